#pragma once

#include "counter/lang/Language.h"
#include "counter/lex/BytePairs.h"
#include "counter/lex/ByteSet.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qm::counter {

// A language's rules prepared for fast scanning, once per language: the bytes that may
// start a token, the first bytes of keywords, and the stop bytes of its comments and
// strings. The lexer (LineCounter) reads these tables; nothing changes them after they are
// made.
struct Syntax {
    explicit Syntax(const Language& language);

    // The most bytes a token check may look ahead of the current position.
    static constexpr std::size_t lookahead = 128;

    bool isKeyword(const char* word, std::size_t length) const;
    bool isRegexWord(std::string_view word) const;

    // Bit i is set when p[i] may start a token in code (a stop or a keyword's start), for the
    // ByteSet::width bytes at p (reading one more); `text` gets the bytes that are not white
    // space. `lookBehind`: p[-1] may be read, and a keyword's first bytes right after a word
    // byte may be left out. codeEvents() works sixteen bytes at a time, codeEventsAvx2()
    // (where lanes::avx2) 32.
    std::uint64_t codeEvents(const char* p, std::uint64_t& text, bool lookBehind) const;
#if QM_LANES_X86
    QM_AVX2 std::uint64_t codeEventsAvx2(const char* p, std::uint64_t& text, bool lookBehind) const;
#endif

    // What a byte in code may open, one bit per opener, in the order the lexer tries them:
    // the first that takes the bytes wins (a "#" that opens "#[" in PHP is no comment).
    enum Token : std::uint16_t {
        Sigil = 1 << 0,            // $' $" $# ... as variables; $'...' with escapes
        QuestionMark = 1 << 1,     // ?a: a character
        LineStartBlock = 1 << 2,   // POD, =begin ... =end
        FirstTextComment = 1 << 3, // a comment only as a line's first text
        LongBracket = 1 << 4,      // [[ ]], [=[ ]=] ...: strings, or comments after a prefix
        BlockComment = 1 << 5,
        Tag = 1 << 6, // a markup tag's "<", PHP's closing "?>"
        LineComment = 1 << 7,
        HereDocument = 1 << 8,
        Regex = 1 << 9,
        PercentLiteral = 1 << 10,
        String = 1 << 11,
        Backslash = 1 << 12,
        Bracket = 1 << 13,       // brackets open, for Python's statements
        TemplateBrace = 1 << 14, // braces inside a hole of code in a string
        Operator = 1 << 15,      // an operator that adds to the complexity
    };
    static constexpr unsigned tokenKinds = 16;

    const Language& language;
    std::array<std::uint16_t, 256> tokens{}; // per byte: the Token bits it may open
    ByteSet codeStops;                // a line end and the bytes that may start a comment, a string or an operator
    BytePairs words;                  // where keywords (and quote operators) may start
    std::vector<ByteSet> stringStops; // per string of the table
    std::vector<ByteSet> blockStops;  // per block comment of the table
    std::vector<BytePairs> blockEnds; // the same, by the whole closing pair; empty where it nests
    ByteSet lineEnd;
    ByteSet commentStops; // a line end and what else may end a line comment ("?>", "\u000a")
    bool commentsEndEarly = false;
    BytePairs outputEnds;                            // a line end and "<?", which may open PHP's code
    BytePairs rawTextEnds;                           // a line end and "</", which may end a <script> or <style>
    std::array<std::uint32_t, 256> keywordLengths{}; // per first byte: bit n set when a keyword has length n
    std::vector<std::string> keywords;
    std::vector<std::string> operators;
    std::size_t longestKeyword = 0;
    int templateString = -1;     // index of the string with holes of code among the strings
    std::string hole;            // what opens a hole of code in that string: "${", "$(" or "#{"
    bool readsLineEnds = false;  // a line's end decides how the next line starts (regexes, POD)
    bool wordStartsOnly = false; // no code stop is a word byte
};

// Adds a byte to a set of stop bytes; a language needing more kinds of stop than a set holds
// is a fault of the language table.
void addStop(ByteSet& set, char c);

} // namespace qm::counter
