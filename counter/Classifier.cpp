#include "counter/Classifier.h"

#include "counter/Language.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace qm::counter {

namespace {

std::string lowered(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

bool startsWith(std::string_view s, std::string_view prefix)
{
    return s.substr(0, prefix.size()) == prefix;
}

// Calls `visit` with each line of `text`, leading whitespace removed, until it returns true.
template <typename Visit>
bool anyLine(std::string_view text, Visit visit)
{
    while (!text.empty()) {
        const auto nl = text.find('\n');
        std::string_view line = text.substr(0, nl);
        const auto first = line.find_first_not_of(" \t\r");
        if (first != std::string_view::npos && visit(line.substr(first)))
            return true;
        if (nl == std::string_view::npos)
            break;
        text.remove_prefix(nl + 1);
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
    return anyLine(head, [](std::string_view line) {
        for (std::string_view marker : {"@interface", "@implementation", "@protocol", "@end", "#import"})
            if (startsWithWord(line, marker))
                return true;
        return false;
    });
}

bool looksLikeCpp(std::string_view head)
{
    if (head.find("std::") != std::string_view::npos)
        return true;
    return anyLine(head, [](std::string_view line) {
        for (std::string_view marker : {"namespace ", "template<", "template <", "public:", "private:", "protected:"})
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
    });
}

bool looksLikeMatlab(std::string_view head)
{
    return anyLine(head, [](std::string_view line) {
        return startsWith(line, "%") || startsWith(line, "function ") || startsWith(line, "classdef ");
    });
}

bool looksLikeXml(std::string_view head)
{
    return head.find("<?xml") != std::string_view::npos || head.find("<TS") != std::string_view::npos;
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
    return false;
}

} // namespace

Classifier::Classifier()
{
    const auto& table = languages();
    for (std::size_t i = 0; i < table.size(); ++i) {
        const int index = static_cast<int>(i);
        for (const auto& name : table[i].fileNames)
            byFileName_[lowered(name)].push_back(index);
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
    if (const auto it = byFileName_.find(lowered(fileName)); it != byFileName_.end())
        return it->second;
    if (extension.empty())
        return none_;
    if (const auto it = byExtension_.find(std::string(extension)); it != byExtension_.end())
        return it->second;
    return none_;
}

int Classifier::byShebang(std::string_view head) const
{
    if (!startsWith(head, "#!"))
        return -1;
    std::string_view line = head.substr(2, head.find('\n') == std::string_view::npos ? head.size() - 2 : head.find('\n') - 2);
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

int Classifier::choose(const std::vector<int>& candidates, std::string_view head) const
{
    if (candidates.empty())
        return -1;
    const auto& table = languages();
    for (const int c : candidates)
        if (looksLike(table[static_cast<std::size_t>(c)].name, head))
            return c;
    return candidates.front();
}

} // namespace qm::counter
