#include "counter/Options.h"

#include <cctype>
#include <utility>

namespace qm::counter {

namespace {

bool sortKeyFromText(const std::string& text, SortKey& key)
{
    static const std::pair<const char*, SortKey> keys[] = {
        {"files", SortKey::Files},           {"name", SortKey::Name}, {"lines", SortKey::Lines},
        {"blanks", SortKey::Blanks},         {"code", SortKey::Code}, {"comments", SortKey::Comments},
        {"complexity", SortKey::Complexity},
    };
    for (const auto& [name, value] : keys)
        if (text == name) {
            key = value;
            return true;
        }
    return false;
}

} // namespace

std::vector<std::string> parseExtensionList(const std::string& text)
{
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t comma = text.find(',', start);
        if (comma == std::string::npos)
            comma = text.size();
        std::string item = text.substr(start, comma - start);
        const auto first = item.find_first_not_of(" \t");
        const auto last = item.find_last_not_of(" \t");
        item = first == std::string::npos ? std::string() : item.substr(first, last - first + 1);
        while (!item.empty() && item[0] == '.')
            item.erase(0, 1);
        for (char& c : item)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (!item.empty())
            out.push_back(std::move(item));
        start = comma + 1;
    }
    return out;
}

CommandLine parseCommandLine(const std::vector<std::string>& arguments)
{
    CommandLine result;
    Options& o = result.options;
    auto fail = [&result](std::string message) {
        result.action = CommandLine::Action::Error;
        result.error = std::move(message);
        return result;
    };
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        std::string arg = arguments[i];
        if (optionsEnded || arg.empty() || arg[0] != '-' || arg == "-") {
            o.paths.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        std::string value;
        bool hasInlineValue = false;
        if (const auto eq = arg.find('='); arg.rfind("--", 0) == 0 && eq != std::string::npos) {
            value = arg.substr(eq + 1);
            arg.resize(eq);
            hasInlineValue = true;
        }
        auto takeValue = [&](std::string& out) {
            if (hasInlineValue) {
                out = value;
                return true;
            }
            if (i + 1 >= arguments.size())
                return false;
            out = arguments[++i];
            return true;
        };
        auto flag = [&](bool& target) {
            if (hasInlineValue)
                return false;
            target = true;
            return true;
        };
        bool ok = true;
        if (arg == "--help" || arg == "-h") {
            result.action = CommandLine::Action::Help;
            return result;
        } else if (arg == "--version" || arg == "-v") {
            result.action = CommandLine::Action::Version;
            return result;
        } else if (arg == "--by-file") {
            ok = flag(o.byFile);
        } else if (arg == "--format" || arg == "-f") {
            std::string f;
            if (!takeValue(f))
                return fail("option --format needs a value: tabular or json");
            if (f == "json")
                o.format = OutputFormat::Json;
            else if (f == "tabular")
                o.format = OutputFormat::Tabular;
            else
                return fail("unknown format '" + f + "': use tabular or json");
        } else if (arg == "--sort" || arg == "-s") {
            std::string s;
            if (!takeValue(s))
                return fail("option --sort needs a value");
            if (!sortKeyFromText(s, o.sort))
                return fail("unknown sort key '" + s +
                            "': use files, name, lines, blanks, code, comments or complexity");
        } else if (arg == "--exclude-ext" || arg == "-x") {
            std::string list;
            if (!takeValue(list))
                return fail("option --exclude-ext needs a comma-separated list of extensions");
            for (auto& e : parseExtensionList(list))
                o.excludedExtensions.push_back(std::move(e));
        } else if (arg == "--min") {
            ok = flag(o.markMinified);
        } else if (arg == "--no-min") {
            ok = flag(o.skipMinified);
            o.markMinified = true;
        } else if (arg == "--gen") {
            ok = flag(o.markGenerated);
        } else if (arg == "--no-gen") {
            ok = flag(o.skipGenerated);
            o.markGenerated = true;
        } else if (arg == "--no-duplicates") {
            ok = flag(o.skipDuplicates);
        } else if (arg == "--verbose") {
            ok = flag(o.verbose);
        } else {
            return fail("unknown option '" + arguments[i] + "' (see --help)");
        }
        if (!ok)
            return fail("option " + arg + " takes no value");
    }
    if (o.paths.empty())
        o.paths.push_back(".");
    return result;
}

std::string helpText()
{
    return "Usage: scc [options] [path ...]\n"
           "Counts lines of code, comments and blank lines of the files under each path\n"
           "(default: the current folder), by language.\n"
           "\n"
           "Options:\n"
           "  --by-file               list every file under its language\n"
           "  -f, --format FORMAT     tabular (default) or json\n"
           "  -s, --sort KEY          order languages and files by files, name, lines,\n"
           "                          blanks, code, comments or complexity (default: files)\n"
           "  -x, --exclude-ext LIST  skip files with these extensions (comma-separated)\n"
           "  --min                   mark minified files (average line of 255 bytes or more)\n"
           "  --no-min                leave minified files out\n"
           "  --gen                   mark generated files (a generator's marker, such as\n"
           "                          \"do not edit\", in a comment near the top)\n"
           "  --no-gen                leave generated files out\n"
           "  --no-duplicates         leave out files identical to one already counted\n"
           "  --verbose               report unreadable files and folders on standard error\n"
           "  -h, --help              show this help\n"
           "  -v, --version           show the version\n"
           "\n"
           "Folders named .git, .hg and .svn are skipped, and so is whatever .gitignore,\n"
           ".ignore and .git/info/exclude files exclude. Symbolic links to folders are not\n"
           "followed. A file named by several paths is counted once.\n"
           "Exit status: 0 on success, 1 when the output cannot be written, 2 for a bad\n"
           "command line or a missing or unreadable path.\n";
}

std::string versionText()
{
    return "scc 1.0.0\n";
}

} // namespace qm::counter
