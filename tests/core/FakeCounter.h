#pragma once

#include "core/LanguageResources.h"
#include "core/Output.h"
#include "kit/base/RunLoop.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace qmtest {

namespace fs = std::filesystem;

inline std::string fileJson(const std::string& name, long long code, const std::string& extra = "")
{
    return R"({"Language":"C++","PossibleLanguages":["C++"],"Filename":")" + name + R"(","Extension":"cpp","Location":"/src/)" + name +
           R"(","Symlocation":"","Bytes":100,"Lines":)" + std::to_string(code + 2) + R"(,"Code":)" + std::to_string(code) +
           R"(,"Comment":1,"Blank":1,"Complexity":3,"WeightedComplexity":0,"Binary":false,"Minified":false,"Generated":true,"EndPoint":0)" +
           extra + "}";
}

inline std::string languageJson(const std::string& name, long long code, const std::vector<std::string>& files = {}, const std::string& extra = "")
{
    std::string list;
    for (const auto& f : files)
        list += (list.empty() ? "" : ",") + f;
    return R"({"Name":")" + name + R"(","Bytes":1000,"CodeBytes":800,"Lines":)" + std::to_string(code + 10) + R"(,"Code":)" +
           std::to_string(code) + R"(,"Comment":5,"Blank":5,"Complexity":7,"Count":)" + std::to_string(files.size()) +
           R"(,"WeightedComplexity":2,"Files":[)" + list + "]" + extra + "}";
}

// A stand-in for the counter: a shell script that records its arguments and
// prints whatever the test put in its output file (and, when asked, a line
// on standard error first). Printed messages are captured.
class FakeCounterTest : public testing::Test {
protected:
    void SetUp() override
    {
        kit::discardPendingWork();
        static int serial = 0;
        dir = fs::temp_directory_path() / ("qm-core-" + std::to_string(::getpid()) + "-" + std::to_string(++serial));
        fs::create_directories(dir);
        auto script = dir / "scc";
        std::ofstream(script) << "#!/bin/sh\n"
                              << "{ echo '--run--'; printf '%s\\n' \"$@\"; } >> '" << (dir / "args.txt").string() << "'\n"
                              << "[ -f '" << (dir / "stderr.txt").string() << "' ] && cat '" << (dir / "stderr.txt").string() << "' >&2\n"
                              << "cat '" << (dir / "output.json").string() << "'\n";
        fs::permissions(script, fs::perms::owner_all);
        setOutput("[]");
        qm::overrideSccPath(script.string());
        qm::setOutputStream(&printed);
    }

    void TearDown() override
    {
        kit::runUntilIdle();
        qm::setOutputStream(nullptr);
        fs::remove_all(dir);
    }

    void setOutput(const std::string& text) { std::ofstream(dir / "output.json", std::ios::binary) << text; }
    void setStandardError(const std::string& text) { std::ofstream(dir / "stderr.txt") << text; }

    // The argument lists of the counter's runs so far.
    std::vector<std::vector<std::string>> runs() const
    {
        std::vector<std::vector<std::string>> result;
        std::ifstream file(dir / "args.txt");
        for (std::string line; std::getline(file, line);) {
            if (line == "--run--")
                result.emplace_back();
            else if (!result.empty())
                result.back().push_back(line);
        }
        return result;
    }

    std::vector<std::string> lines() const
    {
        std::vector<std::string> result;
        std::istringstream in(printed.str());
        for (std::string line; std::getline(in, line);)
            result.push_back(line);
        return result;
    }

    bool printedLineStartingWith(const std::string& prefix) const
    {
        for (const auto& line : lines())
            if (line.rfind(prefix, 0) == 0)
                return true;
        return false;
    }

    // A new folder under the test's directory.
    std::string folder(const std::string& name) const
    {
        fs::create_directories(dir / name);
        return (dir / name).string();
    }

    fs::path dir;
    std::ostringstream printed;
};

} // namespace qmtest
