#pragma once

#include "counter/Language.h"

#include <array>
#include <cstddef>
#include <cstdint>
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

// A language's rules prepared for fast scanning: first-byte tables and keyword buckets.
class Syntax {
public:
    explicit Syntax(const Language& language);

    const Language& language() const { return *language_; }

    // The most bytes a token check may look ahead of the current position.
    static constexpr std::size_t lookahead = 64;

private:
    friend class LineCounter;

    bool isKeyword(const char* word, std::size_t length) const;

    const Language* language_;
    std::array<bool, 256> special_{};  // bytes that may start a comment, string or operator
    std::array<std::uint32_t, 256> keywordLengths_{};  // per first byte: bit n set when a keyword has length n
    std::vector<std::string> keywords_;
    std::vector<std::string> operators_;
    std::size_t longestKeyword_ = 0;
};

// Reads a file's bytes, in pieces of any size, and counts its lines by the language's rules:
// blank lines hold only whitespace; a line with any code is code; a line holding only
// comments (or documentation strings) is a comment. Complexity counts branch keywords and
// operators outside comments and strings.
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
    enum class Mode { Code, LineComment, Block, String, LineBlock };

    void endLine(std::uint64_t newlineOffset);
    bool matches(const char* at, const char* end, const std::string& token) const;
    std::size_t characterLiteral(const char* at, const char* end) const;

    const Syntax& syntax_;
    const Language& language_;
    Counts counts_;
    Mode mode_ = Mode::Code;
    std::size_t blockIndex_ = 0;
    int depth_ = 0;
    std::size_t stringIndex_ = 0;
    bool docstring_ = false;
    bool hasCode_ = false;
    bool hasComment_ = false;
    bool inWord_ = false;
    bool closeBlockAtLineEnd_ = false;
    std::uint64_t offset_ = 0;     // file offset of the first byte of the next feed
    std::uint64_t lineStart_ = 0;  // file offset where the current line starts
    bool lineHasText_ = false;
};

} // namespace qm::counter
