#pragma once

#include "counter/lang/Language.h"
#include "counter/lex/Syntax.h"

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

// A here-document opened on a line, whose body starts after the line's end: what ends it.
struct HereDoc {
    enum class Indent { None, Tabs, Any }; // what may stand before the terminating word
    std::string word;
    Indent indent = Indent::None;
    bool comment = false;  // the body of a here-document given to ":" is a comment
    bool wordOnly = false; // the terminator may be followed by more (";", ")")
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

    // Modes, each reading from p up to a line end, the limit or a change of mode.
    const char* code(const char* p);        // Scanner.cpp
    const char* word(const char* p);        // Scanner.cpp
    const char* lineComment(const char* p); // Comments.cpp
    const char* block(const char* p);       // Comments.cpp
    const char* string(const char* p);      // Literals.cpp
    const char* lineBlock(const char* p);   // LineStartBlocks.cpp
    const char* hereDoc(const char* p);     // HereDocuments.cpp
    const char* quoteGap(const char* p);    // QuoteOperators.cpp
    const char* dataSection(const char* p); // LineStartBlocks.cpp
    const char* output(const char* p);      // Markup.cpp
    const char* indented(const char* p);    // BlockScalars.cpp
    const char* tagBody(const char* p);     // Markup.cpp
    const char* rawText(const char* p);     // Markup.cpp

    // The token at p in code: the openers its byte may start (Syntax::tokens) are tried in
    // order, then a word, then a byte of plain code (Openers.cpp).
    const char* codeToken(const char* p);

    // The openers, one per Syntax::Token, in that order; each returns p when the bytes there
    // are not its token.
    using Opener = const char* (LineCounter::*)(const char* p);
    struct NamedOpener {
        Syntax::Token token;
        Opener open;
    };
    static const NamedOpener openers_[Syntax::tokenKinds];
    const char* sigil(const char* p);
    const char* questionMarkCharacter(const char* p);
    const char* lineStartBlock(const char* p);
    const char* firstTextComment(const char* p);
    const char* longBracket(const char* p); // Literals.cpp
    const char* blockComment(const char* p);
    const char* tag(const char* p); // Markup.cpp
    const char* lineCommentOpener(const char* p);
    const char* hereDocOpener(const char* p);  // HereDocuments.cpp
    const char* regex(const char* p);          // QuoteOperators.cpp
    const char* percentLiteral(const char* p); // QuoteOperators.cpp
    const char* stringOpener(const char* p);   // Literals.cpp
    const char* backslash(const char* p);
    const char* bracket(const char* p);
    const char* templateBrace(const char* p);
    const char* complexityOperator(const char* p);

    // Tokens the openers above lead to.
    const char* quoteOperator(const char* p, std::string_view name); // QuoteOperators.cpp
    const char* rawString(const char* p);                            // Literals.cpp
    const char* podOpener(const char* p);                            // LineStartBlocks.cpp
    const char* escapedLineEnd(const char* p);                       // Comments.cpp

    void openTableString(std::size_t index, bool docstring);
    void openQuote(std::string close, bool escapes, char opener = 0);
    void openBlock(std::string_view open, std::string_view close, const ByteSet* stops, bool nested,
                   const BytePairs* ends = nullptr);

    // Small and used by every part of the lexer: inline, though the parts live in files of
    // their own.
    void markCode(const char* at)
    {
        if (!hasCode_) {
            hasCode_ = true;
            codeStart_ = offsetOf(at);
        }
        lineHasText_ = true;
    }
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

    bool matches(const char* at, std::string_view token) const
    {
        // Tokens are a few bytes long: a plain loop beats a call to memcmp.
        const std::size_t size = token.size();
        if (static_cast<std::size_t>(end_ - at) < size)
            return false;
        for (std::size_t i = 0; i < size; ++i)
            if (at[i] != token[i])
                return false;
        return true;
    }
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
