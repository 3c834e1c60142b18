#pragma once

// What the language table's families share: the forms of strings, the comment markers and
// branch words several languages have in common, and each family's list. The table itself
// (LanguageTable.cpp) puts the families' languages in its fixed order.

#include "counter/lang/Language.h"

#include <string>
#include <utility>
#include <vector>

namespace qm::counter {

using Strings = std::vector<std::string>;

// The forms of string literal. Backslash escapes unless said otherwise; a string that does
// not run over line ends ends at its line's end.
inline StringSyntax quoted(std::string q) // "...", on one line
{
    return {.open = q, .close = q};
}
inline StringSyntax quotedLines(std::string q) // "...", over any number of lines
{
    return {.open = q, .close = q, .multiline = true};
}
inline StringSyntax tripleQuoted(std::string q) // """...""" and the like
{
    return {.open = q, .close = q, .multiline = true};
}
inline StringSyntax docstring(std::string q) // a triple-quoted string that is documentation as a statement
{
    return {.open = q, .close = q, .multiline = true, .docstring = true};
}
inline StringSyntax raw(std::string q) // no escapes, over any number of lines
{
    return {.open = q, .close = q, .escapes = false, .multiline = true};
}
inline StringSyntax rawLine(std::string q) // no escapes, on one line
{
    return {.open = q, .close = q, .escapes = false};
}
inline StringSyntax character() // 'x', '\n': one code point or one escape, else plain code
{
    return {.open = "'", .close = "'", .character = true};
}
// No escapes; the closing delimiter written twice stands for itself (@"a ""b""").
inline StringSyntax verbatim(std::string open, std::string close = "\"")
{
    return {.open = std::move(open), .close = std::move(close), .escapes = false, .multiline = true, .doubled = true};
}
inline StringSyntax verbatimLine(std::string open, std::string close)
{
    return {.open = std::move(open), .close = std::move(close), .escapes = false, .doubled = true};
}

inline const std::vector<Delimiters> cBlock{{"/*", "*/"}};
inline const Strings slashes{"//"};
inline const Strings hash{"#"};

inline const std::vector<StringSyntax> cStrings{quoted("\""), character()};
inline const std::vector<StringSyntax> scriptStrings{quoted("\""), quoted("'")};
inline const std::vector<StringSyntax> jsStrings{quoted("\""), quoted("'"), quotedLines("`")};
inline const std::vector<StringSyntax> jvmStrings{tripleQuoted("\"\"\""), quoted("\""), character()};

inline const Strings cComplexity{"if", "for", "while", "switch", "case", "catch", "&&", "||", "?"};
inline const Strings jsComplexity{"if", "for", "while", "switch", "case", "catch", "&&", "||", "??", "?"};
inline const Strings pyComplexity{"if", "elif", "for", "while", "except", "case", "and", "or"};
inline const Strings rubyComplexity{"if",   "elsif",  "unless", "for", "while", "until",
                                    "when", "rescue", "&&",     "||",  "and",   "or"};
inline const Strings shComplexity{"if", "elif", "for", "while", "until", "case", "&&", "||"};
inline const Strings mlComplexity{"if", "match", "when", "with", "while", "for", "try", "&&", "||"};
inline const Strings lispComplexity{"if", "when", "unless", "cond", "case", "and", "or", "loop"};
inline const Strings sqlComplexity{"case", "when", "and", "or", "where", "join", "if"};

// Words after which "/" starts a regular expression in JavaScript and its relatives.
inline const Strings jsRegexWords{"return", "typeof", "instanceof", "in", "of",   "new",   "delete",
                                  "void",   "throw",  "case",       "do", "else", "yield", "await"};

// The families, each in a file of its own name.
std::vector<Language> cFamily();           // CFamily.cpp
std::vector<Language> cStyleFamily();      // CStyle.cpp
std::vector<Language> scriptingFamily();   // Scripting.cpp
std::vector<Language> shellFamily();       // Shells.cpp
std::vector<Language> webFamily();         // Web.cpp
std::vector<Language> functionalFamily();  // Functional.cpp
std::vector<Language> dataAndTextFamily(); // DataAndText.cpp
std::vector<Language> engineeringFamily(); // Engineering.cpp

} // namespace qm::counter
