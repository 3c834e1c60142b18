#include "core/LanguageResources.h"

#include "core/Output.h"
#include "kit/base/Json.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <mutex>

namespace qm {

namespace {

struct Counter {
    std::once_flag found;
    std::string path;
};

Counter& counter()
{
    static Counter c;
    return c;
}

std::string requiredResource(const kit::Bundle& bundle, const std::string& name)
{
    auto path = bundle.resource(name, "json");
    if (!path)
        fatalError("the resource " + name + ".json is missing from the application bundle at " + bundle.root());
    return *path;
}

// Reads and decodes one resource file; prints the reason and returns false on failure.
template <class T>
bool load(const std::string& path, T& target)
{
    std::ifstream file(path, std::ios::binary);
    std::string text;
    if (file)
        text.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    if (!file || file.bad()) {
        printLine("Error: The file " + path + " couldn't be read: " + std::strerror(errno));
        return false;
    }
    try {
        target = kit::decodeJson<T>(text);
        return true;
    } catch (const kit::DecodingError& error) {
        printLine(std::string("Error: ") + error.what());
        return false;
    }
}

} // namespace

std::shared_ptr<Supported> Supported::fromJson(const kit::Decoder& d)
{
    auto s = std::make_shared<Supported>();
    s->content = d.decode<std::string>("content");
    s->supportedExtension = d.decode<bool>("extension");
    s->recognize = d.decode<bool>("recognize");
    return s;
}

nlohmann::ordered_json Supported::toJson() const
{
    return {{"content", content}, {"extension", supportedExtension}, {"recognize", recognize}};
}

std::shared_ptr<RecognizedElement> RecognizedElement::fromJson(const kit::Decoder& d)
{
    auto e = std::make_shared<RecognizedElement>();
    e->lang = d.decode<std::string>("lang");
    e->supported = d.decode<std::vector<std::shared_ptr<Supported>>>("supported");
    return e;
}

nlohmann::ordered_json RecognizedElement::toJson() const
{
    auto kinds = nlohmann::ordered_json::array();
    for (const auto& kind : supported)
        kinds.push_back(kind->toJson());
    return {{"lang", lang}, {"supported", kinds}};
}

LangSpecs& langSpecs()
{
    static LangSpecs specs;
    return specs;
}

SupportedLanguages& supportedLanguages()
{
    static SupportedLanguages languages;
    return languages;
}

std::string sccPathIn(const kit::Bundle& bundle)
{
    return bundle.auxiliaryExecutablePath("scc");
}

const std::string& sccPath()
{
    auto& c = counter();
    std::call_once(c.found, [&] { c.path = sccPathIn(kit::Bundle::main()); });
    return c.path;
}

void overrideSccPath(std::string path)
{
    auto& c = counter();
    std::call_once(c.found, [] {});
    c.path = std::move(path);
}

void loadLanguageResources(const kit::Bundle& bundle)
{
    auto specsPath = requiredResource(bundle, "langspecs");
    auto supportedPath = requiredResource(bundle, "supported");
    if (!load(specsPath, langSpecs()))
        return;
    load(supportedPath, supportedLanguages());
}

} // namespace qm
