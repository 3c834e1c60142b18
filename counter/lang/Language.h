#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace qm::counter {

// A pair of delimiters: block comments.
struct Delimiters {
    std::string open;
    std::string close;
};

// How a string literal of a language looks.
struct StringSyntax {
    std::string open;
    std::string close;
    bool escapes = true;    // a backslash escapes the next byte
    bool multiline = false; // may run over line ends (otherwise a line end closes it)
    bool character = false; // a character literal: one code point or one escape, else plain code
    bool docstring = false; // as a statement of its own it is documentation, counted as comment
    bool doubled = false;   // the closing delimiter written twice stands for itself ("" in @"...")
};

// Here-documents: after `<<WORD` the following lines up to a line holding WORD are the
// string's body.
enum class HereDocuments {
    None,
    Shell, // <<WORD <<-WORD <<'WORD' <<"WORD" <<\WORD
    Perl,  // <<WORD <<"WORD" <<'WORD' <<~WORD
    Ruby,  // <<WORD <<-WORD <<~WORD, quoted or not
    Php,   // <<<WORD <<<"WORD" <<<'WORD'
};

// Strings whose contents have no escapes and whose closing delimiter the opening one chooses.
enum class RawStrings {
    None,
    Cpp,    // R"delim( ... )delim", also u8R, uR, UR, LR
    Rust,   // r"...", r#"..."#, br"...", cr"..."
    CSharp, // """...""", """"..."""" ...: closed by a run of as many quotes as opened it
};

// One language of the counter: how files are recognised and how their lines are read.
struct Language {
    std::string name;
    std::vector<std::string> extensions;        // lower case, without the dot ("cmake.in" for two)
    std::vector<std::string> fileNames;         // whole file names, compared without case
    std::vector<std::string> fileNamePrefixes;  // "dockerfile." for Dockerfile.dev, compared without case
    std::vector<std::string> checkedExtensions; // extensions that are this language only when the content looks like it
    std::vector<std::string> interpreters;      // shebang interpreters (version digits stripped)
    std::vector<std::string> lineComments;
    std::vector<Delimiters> blockComments;
    bool nestedComments = false;
    std::vector<std::string> lineStartComments; // block openers valid only at the start of a line
    std::string lineStartCommentEnd;            // the line that closes such a block
    std::vector<std::string> firstTextComments; // line comments valid only as a line's first text
    std::vector<StringSyntax> strings;
    std::vector<std::string> complexity; // branch keywords (whole words) and operators
    bool codeEscapes = false;            // a backslash in code escapes the next byte
    bool keywordsIgnoreCase = false;

    // Lexical forms beyond the tables above.
    std::string longBracketComment;   // "[[", "[=[", "[==[" ... after this prefix open block comments
    bool longBracketStrings = false;  // "[[", "[=[" ... open strings closed by "]]", "]=]" ...
    std::string stringPrefixes;       // letters that may stand before a quote as part of the string
    bool docstringStatements = false; // docstrings only where a statement starts (not in brackets)
    HereDocuments hereDocuments = HereDocuments::None;
    RawStrings rawStrings = RawStrings::None;
    bool regexLiterals = false; // "/.../" where an operand may stand, told from division
    bool regexesSpanLines = false;
    std::vector<std::string> regexAfterWords; // words after which "/" starts a regex
    bool templateLiterals = false;            // `...${ code }...`
    // Double-quoted strings whose holes hold code up to the matching bracket: "$(" in shell,
    // "#{" in Ruby. Strings and comments in the code are read as such.
    std::string interpolation;
    bool podDocumentation = false;   // "=word" opening a line where a statement may start opens POD, up to "=cut"
    bool dataSections = false;       // after a line "__END__" or "__DATA__" the rest is data (code) and POD
    bool regexFlags = false;         // letters right after a regex's closing delimiter are its flags
    bool lineEndsStatements = false; // a line end ends a statement, so "/" opening a line starts a regex
    bool commandArguments = false;   // "word /x/" and "word %(x)": a literal as a command's first argument
    bool symbols = false;            // ":/" and ":%" name methods: no regex or literal
    std::string firstLineComment; // a first line starting with it is a comment: "#!"; "#" in Lua, whose loader skips it
    bool quoteOperators = false;  // q qq qw qr m s tr y with any delimiter
    bool percentLiterals = false; // %q( ) %Q[ ] %w{ } %r| | ...
    bool sigilVariables = false;  // $' $" $# $/ are variables, not quotes or comments
    bool questionMarkCharacters = false; // ?a ?' ?/ are characters
    bool wordStartComments = false;      // a line comment starts only where a word may start
    bool continuedLineComments = false;  // a line comment ending in a backslash goes on
    bool ansiCQuotes = false;            // $'...' holds backslash escapes
    bool skipSpaceEscapes = false;       // "\z" in a string skips the white space after it, line ends too
    // Code only between "<?php" (or "<?=") and "?>", which also ends a line comment; the text
    // around it is output, read as plain lines of code (PHP).
    bool openTags = false;
    std::string attributeOpener; // a line comment marker followed by this opens code instead: PHP's "#["
    // "key: |" and "key: >" ending a line open a block scalar: the lines after it as deep as
    // its first one (and deeper than the node holding it) are its text (YAML).
    bool blockScalars = false;
    bool nodeStartQuotes = false; // a quote opens a string only where a value may start (YAML)
    // Markup: tags whose quoted attribute values may hold anything, and <script> and <style>,
    // whose text runs to their end tag; a comment opens only in the text between tags (HTML).
    bool markupTags = false;
    bool unicodeLineEnds = false; // "\u000a" and "\u000d" end a line comment (Java reads such escapes first)
};

// The language table: every language the counter knows, in a fixed order.
const std::vector<Language>& languages();

// Index of the language with this display name, or -1.
int languageIndex(std::string_view name);

// Content kinds that the counter reads as plain text (for the resource describing what each
// language's counts take into account).
struct UnreadContent {
    std::string language;
    std::string content;
};
const std::vector<UnreadContent>& unreadContent();

} // namespace qm::counter
