#pragma once

// A stand-in for the bundled counter and the counter's output for made-up
// languages, shared by the tests of the counting core and of the application.

#include "core/LanguageEntry.h"
#include "core/LanguageResources.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace qmtest {

using Args = std::vector<std::string>;

struct FakeFile {
    std::string filename;
    std::int64_t code = 0;
    std::int64_t comment = 0;
    std::int64_t blank = 0;
    std::int64_t bytes = 0;
};

// A language of a fake count; its totals are the sums of its files.
struct FakeLanguage {
    std::string name;
    std::vector<FakeFile> files;
};

// The counter's JSON output for these languages.
inline std::string counterOutput(const std::vector<FakeLanguage>& languages)
{
    auto out = nlohmann::ordered_json::array();
    for (const FakeLanguage& language : languages) {
        std::int64_t code = 0, comment = 0, blank = 0, bytes = 0;
        auto files = nlohmann::ordered_json::array();
        for (const FakeFile& f : language.files) {
            code += f.code, comment += f.comment, blank += f.blank, bytes += f.bytes;
            files.push_back({{"Language", language.name}, {"PossibleLanguages", {language.name}}, {"Filename", f.filename},
                             {"Extension", ""}, {"Location", "/x/" + f.filename}, {"Symlocation", ""}, {"Bytes", f.bytes},
                             {"Lines", f.code + f.comment + f.blank}, {"Code", f.code}, {"Comment", f.comment}, {"Blank", f.blank},
                             {"Complexity", 0}, {"WeightedComplexity", 0}, {"Binary", false}, {"Minified", false},
                             {"Generated", false}, {"EndPoint", 0}});
        }
        out.push_back({{"Name", language.name}, {"Bytes", bytes}, {"CodeBytes", 0}, {"Lines", code + comment + blank},
                       {"Code", code}, {"Comment", comment}, {"Blank", blank}, {"Complexity", 0},
                       {"Count", std::int64_t(language.files.size())}, {"WeightedComplexity", 0}, {"Files", files}});
    }
    return out.dump();
}

// Decoded records for these languages, as a count would give them.
inline qm::LanguageList languageList(const std::vector<FakeLanguage>& languages)
{
    return qm::decodeCounterOutput(counterOutput(languages));
}

// While it lives, counts run a script in place of the counter: a count of a
// folder records its arguments in the folder's ".args", writes the folder's
// "stderr.txt" (when there is one) on standard error, then prints its
// "counter.json".
class FakeCounter {
public:
    FakeCounter()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "qm-counter-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("cannot make a temporary folder");
        root_ = pattern;
        const std::string script = path("scc");
        std::ofstream(script) << "#!/bin/sh\nfor last; do :; done\n{ echo --run--; printf '%s\\n' \"$@\"; } >> \"$last/.args\"\n"
                                 "[ -f \"$last/stderr.txt\" ] && cat \"$last/stderr.txt\" >&2\ncat \"$last/counter.json\"\n";
        std::filesystem::permissions(script, std::filesystem::perms::owner_all);
        qm::overrideSccPath(script);
    }
    ~FakeCounter() { std::filesystem::remove_all(root_); }
    FakeCounter(const FakeCounter&) = delete;
    FakeCounter& operator=(const FakeCounter&) = delete;

    std::string path(const std::string& name) const { return root_ + "/" + name; }
    // A new folder whose count prints `output`.
    std::string folder(const std::string& name, const std::string& output = "[]") const
    {
        std::filesystem::create_directories(path(name));
        setOutput(path(name), output);
        return path(name);
    }
    static void setOutput(const std::string& folder, const std::string& output)
    {
        std::ofstream(folder + "/counter.json", std::ios::binary) << output;
    }
    static void setStandardError(const std::string& folder, const std::string& text)
    {
        std::ofstream(folder + "/stderr.txt", std::ios::binary) << text;
    }
    // The argument lists of the folder's counts so far.
    static std::vector<Args> runs(const std::string& folder)
    {
        std::vector<Args> result;
        std::ifstream in(folder + "/.args");
        for (std::string line; std::getline(in, line);) {
            if (line == "--run--")
                result.emplace_back();
            else if (!result.empty())
                result.back().push_back(line);
        }
        return result;
    }

private:
    std::string root_;
};

} // namespace qmtest
