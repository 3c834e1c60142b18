#pragma once

#include "kit/base/Bundle.h"
#include "kit/base/ObservableObject.h"

#include <nlohmann/json_fwd.hpp>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace kit {
class Decoder;
}

namespace qm {

// One content kind of a recognized language.
class Supported {
public:
    std::string content;
    bool supportedExtension = false; // JSON key "extension"
    bool recognize = false;

    static std::shared_ptr<Supported> fromJson(const kit::Decoder& d);
    nlohmann::ordered_json toJson() const;
};

// One language of the "supported" resource and its content kinds, in file order.
class RecognizedElement : public kit::ObservableObject {
public:
    std::string lang;
    std::vector<std::shared_ptr<Supported>> supported;

    static std::shared_ptr<RecognizedElement> fromJson(const kit::Decoder& d);
    nlohmann::ordered_json toJson() const;
};

// Language name → settings texts; "color" holds the language's colour.
using LangSpecs = std::map<std::string, std::map<std::string, std::string>>;
using SupportedLanguages = std::vector<std::shared_ptr<RecognizedElement>>;

// The process-wide language dictionaries, replaced as a whole by the loader.
LangSpecs& langSpecs();
SupportedLanguages& supportedLanguages();

// The counter executable: the bundle's auxiliary executable "scc", looked
// up once on first use. A counter missing from the bundle is a fault of the
// installation, not of the application: counts then fail, saying so.
const std::string& sccPath();
// Uses another counter from now on (tests run a fake one).
void overrideSccPath(std::string path);
// Where the counter of `bundle` belongs, whether or not it is there.
std::string sccPathIn(const kit::Bundle& bundle);

// Loads the "langspecs" and "supported" resources ("json") of the bundle
// into langSpecs() and supportedLanguages(). A resource missing from the
// bundle stops the process with a fatal error. A file that cannot be read or
// decoded prints "Error: " and the reason and stops there: that value and
// the later one keep what they held.
void loadLanguageResources(const kit::Bundle& bundle = kit::Bundle::main());

} // namespace qm
