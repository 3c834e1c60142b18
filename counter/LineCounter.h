#pragma once

#include "counter/BytePairs.h"
#include "counter/ByteSet.h"
#include "counter/Language.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace qm::counter {

// The line figures of one file (or of a whole language).
struct Counts {
    std::uint64_t lines = 0;
    std::uint64_t code = 0;
    std::uint64_t comment = 0;
    std::uint64_t blank = 0;
    std::uint64_t complexity = 0;
    std::uint64_t codeBytes = 0;

    Counts& operator+=(const Counts& other);
    bool operator==(const Counts&) const = default;
};

// A language's rules prepared for fast scanning: the bytes that may start a token, the
// first bytes of keywords, and the stop bytes of its comments and strings.
class Syntax {
public:
    explicit Syntax(const Language& language);

    const Language& language() const { return *language_; }

    // The most bytes a token check may look ahead of the current position.
    static constexpr std::size_t lookahead = 128;

private:
    friend class LineCounter;

    bool isKeyword(const char* word, std::size_t length) const;

    // Bit i is set when p[i] may start a token in code (a stop or a keyword's start), for the
    // ByteSet::width bytes at p (reading one more); `text` gets the bytes that are not white
    // space. `lookBehind`: p[-1] may be read, and a keyword's first bytes right after a word
    // byte may be left out. codeEvents() works sixteen bytes at a time, codeEventsAvx2()
    // (where lanes::avx2) 32.
    std::uint64_t codeEvents(const char* p, std::uint64_t& text, bool lookBehind) const;
#if QM_LANES_X86
    QM_AVX2 std::uint64_t codeEventsAvx2(const char* p, std::uint64_t& text, bool lookBehind) const;
#endif
    bool isRegexWord(std::string_view word) const;

    // What a byte in code may start, so that only those tokens are tried.
    enum Token : std::uint16_t {
        Sigil = 1 << 0,
        LineStartBlock = 1 << 1,
        FirstTextComment = 1 << 2,
        LongBracket = 1 << 3,
        BlockComment = 1 << 4,
        LineComment = 1 << 5,
        HereDocument = 1 << 6,
        Regex = 1 << 7,
        PercentLiteral = 1 << 8,
        String = 1 << 9,
        Backslash = 1 << 10,
        Bracket = 1 << 11,
        TemplateBrace = 1 << 12,
        Operator = 1 << 13,
        QuestionMark = 1 << 14,
        Tag = 1 << 15, // a markup tag's "<", PHP's closing "?>"
    };

    const Language* language_;
    std::array<std::uint16_t, 256> tokens_{};
    ByteSet codeStops_;                // a line end and the bytes that may start a comment, a string or an operator
    BytePairs words_;                  // where keywords (and quote operators) may start
    std::vector<ByteSet> stringStops_; // per string of the table
    std::vector<ByteSet> blockStops_;  // per block comment of the table
    std::vector<BytePairs> blockEnds_; // the same, by the whole closing pair; empty where it nests
    ByteSet lineEnd_;
    ByteSet commentStops_; // a line end and what else may end a line comment ("?>", "\u000a")
    bool commentsEndEarly_ = false;
    BytePairs outputEnds_;                            // a line end and "<?", which may open PHP's code
    BytePairs rawTextEnds_;                           // a line end and "</", which may end a <script> or <style>
    std::array<std::uint32_t, 256> keywordLengths_{}; // per first byte: bit n set when a keyword has length n
    std::vector<std::string> keywords_;
    std::vector<std::string> operators_;
    std::size_t longestKeyword_ = 0;
    int templateString_ = -1;     // index of the string with holes of code among the strings
    std::string hole_;            // what opens a hole of code in that string: "${", "$(" or "#{"
    bool readsLineEnds_ = false;  // a line's end decides how the next line starts (regexes, POD)
    bool wordStartsOnly_ = false; // no code stop is a word byte
};

// Reads a file's bytes, in pieces of any size, and counts its lines by the language's rules:
// blank lines hold only whitespace; a line with any code is code; a line holding only
// comments (or documentation strings) is a comment. Strings, here-documents, regular
// expressions and the like are code, whatever they hold. Complexity counts branch keywords
// and operators outside comments and strings.
class LineCounter {
public:
    explicit LineCounter(const Syntax& syntax);

    // Reads bytes [data, data + size). Unless `atEnd`, bytes near the end may be left for the
    // next call (at most Syntax::lookahead of them): returns how many were taken. The caller
    // passes the rest again, followed by more of the file.
    std::size_t feed(const char* data, std::size_t size, bool atEnd);

    // The figures once the whole file has been fed.
    Counts finish();

    // Convenience: counts a whole text at once.
    static Counts count(const Syntax& syntax, std::string_view text);

private:
    enum class Mode {
        Code,
        LineComment,
        Block,
        String,
        LineBlock,
        HereDoc,
        QuoteGap,
        Data,
        Output,   // PHP's text around its code
        Indented, // a YAML block scalar
        Tag,      // inside a markup tag, up to its ">"
        RawText,  // the text of <script> or <style>
    };

    // The string, regular expression or quote-like operator being read.
    struct Quote {
        const ByteSet* stops = nullptr;
        std::string_view close;
        char opener = 0;         // a bracket that nests inside (q{ {a} }), 0 when none
        std::uint64_t depth = 0; // nesting counts are as wide as a file may be long
        bool escapes = true;
        bool multiline = true;
        bool docstring = false;
        bool doubled = false;
        bool regex = false;      // "[...]" may hold the closing delimiter
        bool templated = false;  // "${" opens code up to the matching "}"
        int parts = 0;           // parts still to read after this one (s/a/b/, tr{a}{b})
        bool bracketed = false;  // the next part has delimiters of its own
        bool flags = false;      // letters after the closing delimiter are flags
        bool skipsSpace = false; // after Lua's "\z": white space and line ends, up to the next text
    };

    enum class Indent { None, Tabs, Any };
    struct HereDoc {
        std::string word;
        Indent indent = Indent::None;
        bool comment = false;  // the body of a here-document given to ":" is a comment
        bool wordOnly = false; // the terminator may be followed by more (";", ")")
    };

    // Modes, each reading from p up to a line end, the limit or a change of mode.
    const char* code(const char* p);
    const char* codeToken(const char* p);
    const char* word(const char* p);
    const char* lineComment(const char* p);
    const char* block(const char* p);
    const char* string(const char* p);
    const char* lineBlock(const char* p);
    const char* hereDoc(const char* p);
    const char* quoteGap(const char* p);
    const char* dataSection(const char* p);
    const char* output(const char* p);
    const char* indented(const char* p);
    const char* tagBody(const char* p);
    const char* rawText(const char* p);

    // Tokens of particular languages; each returns p when the bytes there are not one.
    const char* longBracket(const char* p);
    const char* hereDocOpener(const char* p);
    const char* regex(const char* p);
    const char* percentLiteral(const char* p);
    const char* quoteOperator(const char* p, std::string_view name);
    const char* stringOpener(const char* p);
    const char* rawString(const char* p);
    const char* podOpener(const char* p);
    const char* tag(const char* p);
    const char* escapedLineEnd(const char* p);

    void openTableString(std::size_t index, bool docstring);
    void openQuote(std::string close, bool escapes, char opener = 0);
    void openBlock(std::string_view open, std::string_view close, const ByteSet* stops, bool nested,
                   const BytePairs* ends = nullptr);

    void markCode(const char* at);
    void markComment() { lineHasText_ = hasComment_ = true; }
    void markString()
    {
        lineHasText_ = true;
        (quote_.docstring ? hasComment_ : hasCode_) = true;
    }
    void endLine(const char* newline, bool keepMode = false);
    void readLineEnd(const char* newline);
    void leaveAtLineEnd(const char* newline); // what a line end does to the mode it ends in
    void countLine(std::uint64_t newlineOffset);

    bool matches(const char* at, std::string_view token) const;
    std::size_t characterLiteral(const char* at) const;
    // Up to n bytes right before `at`, from this piece or the ones before it.
    std::string_view behind(const char* at, std::size_t n)
    {
        return static_cast<std::size_t>(at - data_) >= n ? std::string_view(at - n, n) : behindPieces(at, n);
    }
    std::string_view behindPieces(const char* at, std::size_t n);
    // The bytes of the current line before `at`, up to Syntax::lookahead of them.
    std::string_view lineBefore(const char* at);
    bool regexAllowedAfter(std::string_view before) const;
    bool startsNode(const char* p);
    bool namesElement(const char* at, std::string_view name) const;
    void readBlockScalarHeader(const char* newline);
    bool commandArgument(std::string_view before, const char* p) const;
    std::uint64_t offsetOf(const char* at) const { return offset_ + static_cast<std::uint64_t>(at - data_); }

    const Syntax& syntax_;
    const Language& language_;
    Counts counts_;
    Mode mode_ = Mode::Code;

    // The piece being fed.
    const char* data_ = nullptr;
    const char* end_ = nullptr;
    const char* limit_ = nullptr;
    bool atEnd_ = false;
    std::uint64_t offset_ = 0; // file offset of data_

    // The current line.
    std::uint64_t lineStart_ = 0;
    std::uint64_t codeStart_ = 0; // offset of the line's first code byte, when hasCode_
    bool hasCode_ = false;
    bool hasComment_ = false;
    bool lineHasText_ = false;

    // Comments.
    std::string_view blockOpen_;
    std::string_view blockClose_;
    const ByteSet* blockStops_ = nullptr;
    const BytePairs* blockEnds_ = nullptr; // where the block may end, when they say it all
    bool blockNests_ = false;
    std::uint64_t depth_ = 0;
    bool closeBlockAtLineEnd_ = false;

    // Strings and their relatives.
    Quote quote_;
    bool inClass_ = false;
    bool gapComment_ = false; // in a comment between the parts of s{...}{...}
    std::string ownedClose_;  // closing delimiter chosen by the opening one
    ByteSet ownedStops_;
    std::vector<std::uint64_t> holes_; // open "${" of template literals: braces opened inside each
    std::deque<HereDoc> pendingDocs_;  // a line may open any number
    HereDoc hereDoc_;
    bool inIndent_ = false; // the here-document's line holds only indentation so far

    // Statements (Python): brackets open and lines continued by a backslash.
    std::uint64_t brackets_ = 0;
    bool continued_ = false;
    bool continuesNext_ = false;

    // Regular expressions: whether one may start the next line.
    bool regexAtLineStart_ = true;
    // Perl: whether a statement may start the next line, and whether the data after
    // __END__ or __DATA__ is being read.
    bool statementAtLineStart_ = true;
    bool inData_ = false;
    bool hereDocEnded_ = false;      // this line closed a here-document
    std::uint64_t commentStart_ = 0; // offset of the line comment the line ends in

    // Where a line comment leaves to at its line end: PHP's output after a "#!" line before
    // the code, a YAML block scalar after its header's comment.
    Mode afterComment_ = Mode::Code;

    // YAML's block scalars: a header read at the line's end opens one on the next line. Its
    // lines hold at least `scalarIndent_` spaces, which its first line sets unless the header
    // did. The line's state is clear whenever no line of a scalar is being read.
    std::uint64_t scalarIndent_ = 0;
    bool scalarIndentKnown_ = false;
    std::uint64_t lineIndent_ = 0; // the spaces opening the line so far
    bool indentEnded_ = false;     // a byte other than a space came after them
    bool lineInScalar_ = false;    // the line is the scalar's

    // Markup: the tag being read, and the element whose end tag closes the raw text after it.
    char tagQuote_ = 0;        // the quote of the attribute value being read, or 0
    bool afterEquals_ = false; // a quote here opens an attribute value
    std::string_view rawTextElement_;

    // The last bytes of the pieces before this one, for looking behind.
    std::array<char, 128> history_{};
    std::size_t historyLength_ = 0;
    std::array<char, 256> scratch_{};
};

} // namespace qm::counter
