#pragma once

#include <string>
#include <vector>

namespace qm::counter {

enum class OutputFormat { Tabular, Json };
enum class SortKey { Files, Name, Lines, Blanks, Code, Comments, Complexity };

// The counter's command line.
struct Options {
    std::vector<std::string> paths;
    bool byFile = false;
    OutputFormat format = OutputFormat::Tabular;
    SortKey sort = SortKey::Files;
    std::vector<std::string> excludedExtensions; // lower case, without a leading dot
    bool markMinified = false;
    bool skipMinified = false;
    bool markGenerated = false;
    bool skipGenerated = false;
    bool skipDuplicates = false;
    bool verbose = false;
    unsigned threads = 0; // 0: one per processor

    bool operator==(const Options&) const = default;
};

// What the command line asks for: a count, the help text, the version, or nothing but an
// error message (exit status 2).
struct CommandLine {
    enum class Action { Count, Help, Version, Error } action = Action::Count;
    Options options;
    std::string error;
};

CommandLine parseCommandLine(const std::vector<std::string>& arguments);

// Splits "a, .B ,c" into {"a", "b", "c"}.
std::vector<std::string> parseExtensionList(const std::string& text);

std::string helpText();
std::string versionText();

} // namespace qm::counter
