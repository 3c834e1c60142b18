#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace qm::counter {

// A pair of delimiters: block comments and strings.
struct Delimiters {
    std::string open;
    std::string close;
};

// How a string literal of a language looks.
struct StringSyntax {
    std::string open;
    std::string close;
    bool escapes = true;     // a backslash escapes the next byte
    bool multiline = false;  // may run over line ends (otherwise a line end closes it)
    bool character = false;  // a character literal: one code point or one escape, else plain code
    bool docstring = false;  // on a line of its own it is documentation, counted as comment
};

// One language of the counter: how files are recognised and how their lines are read.
struct Language {
    std::string name;
    std::vector<std::string> extensions;    // lower case, without the dot
    std::vector<std::string> fileNames;     // whole file names, compared without case
    std::vector<std::string> interpreters;  // shebang interpreters (version digits stripped)
    std::vector<std::string> lineComments;
    std::vector<Delimiters> blockComments;
    bool nestedComments = false;
    std::vector<std::string> lineStartComments;  // block openers valid only at the start of a line
    std::string lineStartCommentEnd;              // the line that closes such a block
    std::vector<StringSyntax> strings;
    std::vector<std::string> complexity;  // branch keywords (whole words) and operators
    bool codeEscapes = false;             // a backslash in code escapes the next byte
    bool keywordsIgnoreCase = false;
};

// The language table: every language the counter knows, in a fixed order.
const std::vector<Language>& languages();

// Index of the language with this display name, or -1.
int languageIndex(std::string_view name);

// Languages that have a content kind the counter reads as plain code (for the
// resource describing what each language's counts take into account).
struct UnreadContent {
    std::string language;
    std::string content;
};
const std::vector<UnreadContent>& unreadContent();

} // namespace qm::counter
