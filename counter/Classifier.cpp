#include "counter/Classifier.h"

#include "counter/lang/Language.h"
#include "counter/lex/ByteSet.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>

namespace qm::counter {

namespace {

std::string lowered(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// Called for every line of a header against several markers, most of which differ in
// their first byte: compared a byte at a time, without a call.
bool startsWith(std::string_view s, std::string_view prefix)
{
    if (s.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (s[i] != prefix[i])
            return false;
    return true;
}

// Calls `visit` with each line of `text`, leading whitespace removed, until it returns true;
// with `starts`, only lines whose text starts with one of those bytes. Line ends are found
// 64 bytes at a time: the heads looked at are up to a read long, their lines short.
template <typename Visit>
bool anyLine(std::string_view text, Visit visit, std::string_view starts = {})
{
    static const ByteSet newline = [] {
        ByteSet set;
        set.add('\n');
        return set;
    }();
    const char* p = text.data();
    const char* const end = p + text.size();
    const char* block = p; // the line ends of [block, block + ByteSet::width) are in `ends`
    std::uint64_t ends = 0;
    bool scanned = false;
    const auto nextLineEnd = [&](const char* from) {
        for (;;) {
            if (!scanned) {
                const std::size_t left = static_cast<std::size_t>(end - block);
                ends = left >= ByteSet::width ? newline.match(block) : newline.matchSome(block, left);
                scanned = true;
            }
            const std::size_t skip = from > block ? static_cast<std::size_t>(from - block) : 0;
            const std::uint64_t later = skip >= ByteSet::width ? 0 : ends & ~ByteSet::first(skip);
            if (later)
                return block + __builtin_ctzll(later);
            if (end - block <= static_cast<std::ptrdiff_t>(ByteSet::width))
                return end;
            block += ByteSet::width;
            scanned = false;
        }
    };
    while (p < end) {
        while (p < end && (*p == ' ' || *p == '\t' || *p == '\r'))
            ++p;
        if (p >= end)
            break;
        const char* lineEnd = nextLineEnd(p);
        if (p < lineEnd && (starts.empty() || starts.find(*p) != std::string_view::npos) &&
            visit(std::string_view(p, static_cast<std::size_t>(lineEnd - p))))
            return true;
        p = lineEnd + 1;
    }
    return false;
}

// Whether `line` starts with the whole word `word` ("@end", not "@endcode").
bool startsWithWord(std::string_view line, std::string_view word)
{
    if (!startsWith(line, word))
        return false;
    if (line.size() == word.size())
        return true;
    const unsigned char next = static_cast<unsigned char>(line[word.size()]);
    return !(std::isalnum(next) || next == '_');
}

bool looksLikeObjectiveC(std::string_view head)
{
    return anyLine(
        head,
        [](std::string_view line) {
            for (std::string_view marker : {"@interface", "@implementation", "@protocol", "@end", "#import"})
                if (startsWithWord(line, marker))
                    return true;
            return false;
        },
        "@#");
}

// Whether `text` holds "std::". Each one holds "::", and a C header has few colons: they
// are found with memchr, and what stands before them is compared.
bool holdsStd(std::string_view text)
{
    const char* p = text.data();
    const char* const end = p + text.size();
    while (p < end) {
        const auto* colon = static_cast<const char*>(std::memchr(p, ':', static_cast<std::size_t>(end - p)));
        if (!colon || colon + 1 >= end)
            return false;
        if (colon[1] == ':' && colon - text.data() >= 3 && std::memcmp(colon - 3, "std", 3) == 0)
            return true;
        p = colon + 1;
    }
    return false;
}

bool looksLikeCpp(std::string_view head)
{
    if (holdsStd(head))
        return true;
    return anyLine(
        head,
        [](std::string_view line) {
            for (std::string_view marker :
                 {"namespace ", "template<", "template <", "public:", "private:", "protected:"})
                if (startsWith(line, marker))
                    return true;
            if (startsWith(line, "class ")) {
                // "class Name {", "class Name : Base", "class Name;"
                const auto rest = line.substr(6);
                const auto stop = rest.find_first_of("{:;");
                return stop != std::string_view::npos && rest.substr(0, stop).find('(') == std::string_view::npos &&
                       rest.substr(0, stop).find('=') == std::string_view::npos;
            }
            return false;
        },
        "ntpc");
}

bool looksLikeMatlab(std::string_view head)
{
    return anyLine(head, [](std::string_view line) {
        return startsWith(line, "%") || startsWith(line, "function ") || startsWith(line, "classdef ");
    });
}

// The first line that is not blank and is not a comment starting with one of `comments`.
std::string_view firstMeaningfulLine(std::string_view head, std::string_view comments)
{
    std::string_view found;
    anyLine(head, [&](std::string_view line) {
        if (comments.find(line[0]) != std::string_view::npos)
            return false;
        found = line;
        return true;
    });
    while (!found.empty() && (found.back() == '\r' || found.back() == ' ' || found.back() == '\t'))
        found.remove_suffix(1);
    return found;
}

bool looksLikeXml(std::string_view head)
{
    if (head.find("<?xml") != std::string_view::npos || head.find("<TS") != std::string_view::npos)
        return true;
    const auto first = head.find_first_not_of(" \t\r\n");
    return first != std::string_view::npos && head[first] == '<';
}

// "[section]" or "key = value" before anything else, or nothing but comments.
bool looksLikeIni(std::string_view head)
{
    const std::string_view line = firstMeaningfulLine(head, ";#");
    if (line.empty())
        return head.find_first_not_of(" \t\r\n") != std::string_view::npos;
    if (line.front() == '[')
        return line.back() == ']';
    const auto eq = line.find('=');
    if (eq == std::string_view::npos || eq == 0)
        return false;
    const std::string_view key = line.substr(0, eq);
    return std::all_of(key.begin(), key.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) ||
               std::string_view("_.-/ \t").find(c) != std::string_view::npos;
    });
}

// A module or import declaration, a main function, a unit test or a D attribute.
bool looksLikeD(std::string_view head)
{
    return anyLine(head, [](std::string_view line) {
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
            line.remove_suffix(1);
        if ((startsWithWord(line, "module") || startsWithWord(line, "import")) && line.ends_with(';'))
            return true;
        for (std::string_view marker : {"void main(", "int main(", "unittest", "@safe", "@trusted", "@nogc", "@system"})
            if (startsWith(line, marker))
                return true;
        return false;
    });
}

// Make rules ("target.o: source.c header.h \\") or variable settings, before anything else.
bool looksLikeMakefile(std::string_view head)
{
    const std::string_view line = firstMeaningfulLine(head, "#");
    if (line.empty() || line.find(';') != std::string_view::npos)
        return false;
    const auto colon = line.find(':');
    const unsigned char lead = static_cast<unsigned char>(line[0]);
    if (!(std::isalnum(lead) || std::string_view("._/$-").find(static_cast<char>(lead)) != std::string_view::npos))
        return false;
    if (colon != std::string_view::npos && (colon + 1 == line.size() || line[colon + 1] != '='))
        return line.substr(0, colon).find('=') == std::string_view::npos;
    const auto eq = line.find('=');
    if (eq == std::string_view::npos)
        return false;
    std::string_view name = line.substr(0, eq);
    while (!name.empty() && std::string_view(" \t:+?").find(name.back()) != std::string_view::npos)
        name.remove_suffix(1);
    return !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '.' || c == '-';
    });
}

bool looksLike(const std::string& language, std::string_view head)
{
    if (language == "Objective-C")
        return looksLikeObjectiveC(head);
    if (language == "C++ Header")
        return looksLikeCpp(head);
    if (language == "MATLAB")
        return looksLikeMatlab(head);
    if (language == "XML")
        return looksLikeXml(head);
    if (language == "INI")
        return looksLikeIni(head);
    if (language == "D")
        return looksLikeD(head);
    if (language == "Makefile")
        return looksLikeMakefile(head);
    return false;
}

} // namespace

Classifier::Classifier()
{
    const auto& table = languages();
    for (std::size_t i = 0; i < table.size(); ++i) {
        const int index = static_cast<int>(i);
        only_.push_back({index});
        for (const auto& name : table[i].fileNames)
            byFileName_[lowered(name)].push_back(index);
        for (const auto& prefix : table[i].fileNamePrefixes) {
            auto it = std::find_if(byNamePrefix_.begin(), byNamePrefix_.end(),
                                   [&prefix](const auto& entry) { return entry.first == prefix; });
            if (it == byNamePrefix_.end())
                it = byNamePrefix_.insert(byNamePrefix_.end(), {lowered(prefix), {}});
            it->second.push_back(index);
        }
        for (const auto& ext : table[i].extensions)
            byExtension_[ext].push_back(index);
        for (const auto& interpreter : table[i].interpreters)
            byInterpreter_[interpreter] = index;
    }
}

std::string Classifier::extensionOf(std::string_view fileName)
{
    const auto dot = fileName.rfind('.');
    if (dot == std::string_view::npos || dot == 0)
        return {};
    return lowered(fileName.substr(dot + 1));
}

const std::vector<int>& Classifier::candidates(std::string_view fileName, std::string_view extension) const
{
    // Most names are short: lower-cased on the stack.
    char buffer[256];
    std::string longName;
    std::string_view name;
    if (fileName.size() <= sizeof buffer) {
        for (std::size_t i = 0; i < fileName.size(); ++i)
            buffer[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(fileName[i])));
        name = std::string_view(buffer, fileName.size());
    } else {
        longName = lowered(fileName);
        name = longName;
    }
    if (const auto it = byFileName_.find(name); it != byFileName_.end())
        return it->second;
    for (const auto& [prefix, languages] : byNamePrefix_)
        if (startsWith(name, prefix) && name.size() > prefix.size())
            return languages;
    if (extension.empty())
        return none_;
    // "name.cmake.in": the last two extensions together.
    if (const auto last = name.size() - extension.size() - 1; last > 1) {
        if (const auto dot = name.rfind('.', last - 1); dot != std::string_view::npos && dot > 0)
            if (const auto it = byExtension_.find(name.substr(dot + 1)); it != byExtension_.end())
                return it->second;
    }
    if (const auto it = byExtension_.find(extension); it != byExtension_.end())
        return it->second;
    return none_;
}

int Classifier::byShebang(std::string_view head) const
{
    if (!startsWith(head, "#!"))
        return -1;
    std::string_view line = head.substr(2, head.find('\n') == std::string_view::npos ? head.size() - 2
                                                                                     : head.find('\n') - 2);
    auto words = [&line]() {
        std::vector<std::string_view> out;
        std::size_t i = 0;
        while (i < line.size()) {
            while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r'))
                ++i;
            const std::size_t start = i;
            while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r')
                ++i;
            if (i > start)
                out.push_back(line.substr(start, i - start));
        }
        return out;
    }();
    if (words.empty())
        return -1;
    auto base = [](std::string_view path) {
        const auto slash = path.rfind('/');
        return slash == std::string_view::npos ? path : path.substr(slash + 1);
    };
    std::string_view program = base(words[0]);
    if (program == "env") {
        // "#!/usr/bin/env -S python3 -u": the first word that is not an option or a setting.
        program = {};
        for (std::size_t i = 1; i < words.size(); ++i) {
            if (words[i].starts_with('-') || words[i].find('=') != std::string_view::npos)
                continue;
            program = base(words[i]);
            break;
        }
    }
    // "python3.11" is "python".
    while (!program.empty() && (std::isdigit(static_cast<unsigned char>(program.back())) || program.back() == '.'))
        program.remove_suffix(1);
    const auto it = byInterpreter_.find(lowered(program));
    return it == byInterpreter_.end() ? -1 : it->second;
}

int Classifier::choose(const std::vector<int>& candidates, std::string_view extension, std::string_view head) const
{
    const auto& table = languages();
    const auto checked = [&](int c) {
        const auto& list = table[static_cast<std::size_t>(c)].checkedExtensions;
        return std::find(list.begin(), list.end(), extension) != list.end();
    };
    if (candidates.size() == 1 && !checked(candidates.front()))
        return candidates.front();
    // A shebang naming one of them settles it.
    if (const int byLine = byShebang(head);
        byLine >= 0 && std::find(candidates.begin(), candidates.end(), byLine) != candidates.end())
        return byLine;
    for (const int c : candidates)
        if (looksLike(table[static_cast<std::size_t>(c)].name, head))
            return c;
    for (const int c : candidates)
        if (!checked(c))
            return c;
    return -1;
}

} // namespace qm::counter
