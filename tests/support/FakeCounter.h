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
#include <optional>
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
    std::int64_t bytes = -1; // -1: as few as its lines take, a byte each

    std::int64_t lines() const { return code + comment + blank; }
    std::int64_t size() const { return bytes >= 0 ? bytes : lines(); }
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
            code += f.code, comment += f.comment, blank += f.blank, bytes += f.size();
            files.push_back({{"Language", language.name},
                             {"PossibleLanguages", {language.name}},
                             {"Filename", f.filename},
                             {"Extension", ""},
                             {"Location", "/x/" + f.filename},
                             {"Symlocation", ""},
                             {"Bytes", f.size()},
                             {"Lines", f.lines()},
                             {"Code", f.code},
                             {"Comment", f.comment},
                             {"Blank", f.blank},
                             {"Complexity", 0},
                             {"WeightedComplexity", 0},
                             {"Binary", false},
                             {"Minified", false},
                             {"Generated", false},
                             {"EndPoint", 0}});
        }
        out.push_back({{"Name", language.name},
                       {"Bytes", bytes},
                       {"CodeBytes", 0},
                       {"Lines", code + comment + blank},
                       {"Code", code},
                       {"Comment", comment},
                       {"Blank", blank},
                       {"Complexity", 0},
                       {"Count", std::int64_t(language.files.size())},
                       {"WeightedComplexity", 0},
                       {"Files", files}});
    }
    return out.dump();
}

// Decoded records for these languages, as a count would give them.
inline qm::LanguageList languageList(const std::vector<FakeLanguage>& languages)
{
    return qm::decodeCounterOutput(counterOutput(languages));
}

// While it lives, counts run a script in place of the counter. The n-th
// count of a folder records its arguments in the folder's ".args" (after a
// "--run--" line; "--end--" follows when it ends) and its process id in
// ".pid", waits while the folder holds "hold.<n>" (ten seconds at most),
// writes the folder's "stderr.txt" (when there is one) on standard error,
// prints "counter.json.<n>" or else "counter.json" (or, with "huge", a JSON
// string of that many bytes), then hangs when the folder holds "hang" (two
// minutes at most, unless ended), ends itself with the signal named in
// "signal", or exits with the status in "status" (0 without one).
class FakeCounter {
public:
    FakeCounter()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "qm-counter-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("cannot make a temporary folder");
        root_ = pattern;
        const std::string script = path("scc");
        std::ofstream(script) << R"sh(#!/bin/sh
for last; do :; done
{ echo --run--; printf '%s\n' "$@"; } >> "$last/.args"
n=$(grep -c -- --run-- "$last/.args")
echo $$ > "$last/.pid"
i=0
while [ -f "$last/hold.$n" ] && [ $i -lt 500 ]; do sleep 0.02; i=$((i + 1)); done
[ -f "$last/stderr.txt" ] && cat "$last/stderr.txt" >&2
if [ -f "$last/huge" ]; then
  sleep 0.2 # as a counter walks its tree first
  printf '["'; head -c "$(cat "$last/huge")" /dev/zero | tr '\0' x; printf '"]'
elif [ -f "$last/counter.json.$n" ]; then cat "$last/counter.json.$n"; else cat "$last/counter.json"; fi
[ -f "$last/hang" ] && sleep 120
echo --end-- >> "$last/.args"
[ -f "$last/signal" ] && kill -s "$(cat "$last/signal")" $$
[ -f "$last/status" ] && exit "$(cat "$last/status")"
exit 0
)sh";
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
    // What the folder's n-th count (from 1) prints.
    static void setOutputOfRun(const std::string& folder, int run, const std::string& output)
    {
        std::ofstream(folder + "/counter.json." + std::to_string(run), std::ios::binary) << output;
    }
    static void setStandardError(const std::string& folder, const std::string& text)
    {
        std::ofstream(folder + "/stderr.txt", std::ios::binary) << text;
    }
    static void setExitStatus(const std::string& folder, int status) { std::ofstream(folder + "/status") << status; }
    // The counter ends itself with this signal ("KILL", "SEGV"...) once its output is out.
    static void setSignal(const std::string& folder, const std::string& name)
    {
        std::ofstream(folder + "/signal") << name;
    }
    // The counter prints a JSON string of this many bytes in place of its output.
    static void setHugeOutput(const std::string& folder, std::size_t bytes)
    {
        std::ofstream(folder + "/huge") << bytes;
    }
    // The counter never ends once its output is out (for two minutes, unless ended).
    static void hang(const std::string& folder) { std::ofstream(folder + "/hang"); }
    // The folder's n-th count (from 1) waits until released.
    static void hold(const std::string& folder, int run) { std::ofstream(folder + "/hold." + std::to_string(run)); }
    static void release(const std::string& folder, int run)
    {
        std::filesystem::remove(folder + "/hold." + std::to_string(run));
    }
    // The process id of the folder's latest count, once it has started.
    static std::optional<int> pid(const std::string& folder)
    {
        int id = 0;
        std::ifstream in(folder + "/.pid");
        return in >> id ? std::optional<int>(id) : std::nullopt;
    }
    // The marks of the folder's counts so far: "--run--" as each starts, "--end--" as it ends.
    static Args marks(const std::string& folder)
    {
        Args result;
        std::ifstream in(folder + "/.args");
        for (std::string line; std::getline(in, line);)
            if (line == "--run--" || line == "--end--")
                result.push_back(line);
        return result;
    }
    // The argument lists of the folder's counts so far.
    static std::vector<Args> runs(const std::string& folder)
    {
        std::vector<Args> result;
        std::ifstream in(folder + "/.args");
        for (std::string line; std::getline(in, line);) {
            if (line == "--run--")
                result.emplace_back();
            else if (line != "--end--" && !result.empty())
                result.back().push_back(line);
        }
        return result;
    }

private:
    std::string root_;
};

} // namespace qmtest
