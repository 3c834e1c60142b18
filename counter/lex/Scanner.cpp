// The core scanner: a file's pieces are read mode by mode; in code, 64 bytes at a time to
// the next byte that may start a token; each line end counts the line it ends.

#include "counter/lex/LineCounter.h"

#include "counter/lex/ByteClasses.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace qm::counter {

Counts& Counts::operator+=(const Counts& other)
{
    lines += other.lines;
    code += other.code;
    comment += other.comment;
    blank += other.blank;
    complexity += other.complexity;
    codeBytes += other.codeBytes;
    return *this;
}

LineCounter::LineCounter(const Syntax& syntax)
    : syntax_(syntax), language_(syntax.language), mode_(language_.openTags ? Mode::Output : Mode::Code)
{
}

std::size_t LineCounter::feed(const char* data, std::size_t size, bool atEnd)
{
    data_ = data;
    end_ = data + size;
    atEnd_ = atEnd;
    limit_ = atEnd ? end_ : (size > Syntax::lookahead ? end_ - Syntax::lookahead : data);
    const char* p = data;
    if (offset_ == 0 && p < limit_) {
        // A byte-order mark is not part of the first line.
        if (size >= 3 && std::memcmp(p, "\xEF\xBB\xBF", 3) == 0) {
            p += 3;
            lineStart_ = 3;
        }
        // "#!" opening the file: a comment where the language says so (ECMAScript does); Lua's
        // loader skips any first line starting with "#".
        const std::string& first = language_.firstLineComment;
        if (!first.empty() && matches(p, first)) {
            markComment();
            commentStart_ = offsetOf(p);
            afterComment_ = mode_; // PHP's output goes on after it
            mode_ = Mode::LineComment;
            p += first.size();
        }
    }

    while (p < limit_) {
        if (*p == '\n') {
            endLine(p);
            ++p;
            continue;
        }
        switch (mode_) {
        case Mode::Code:
            p = code(p);
            break;
        case Mode::LineComment:
            p = lineComment(p);
            break;
        case Mode::Block:
            p = block(p);
            break;
        case Mode::String:
            p = string(p);
            break;
        case Mode::LineBlock:
            p = lineBlock(p);
            break;
        case Mode::HereDoc:
            p = hereDoc(p);
            break;
        case Mode::QuoteGap:
            p = quoteGap(p);
            break;
        case Mode::Data:
            p = dataSection(p);
            break;
        case Mode::Output:
            p = output(p);
            break;
        case Mode::Indented:
            p = indented(p);
            break;
        case Mode::Tag:
            p = tagBody(p);
            break;
        case Mode::RawText:
            p = rawText(p);
            break;
        }
    }

    const std::size_t taken = static_cast<std::size_t>(p - data);
    if (taken >= history_.size()) {
        std::memcpy(history_.data(), p - history_.size(), history_.size());
        historyLength_ = history_.size();
    } else {
        const std::size_t keep = std::min(historyLength_, history_.size() - taken);
        std::memmove(history_.data(), history_.data() + historyLength_ - keep, keep);
        std::memcpy(history_.data() + keep, data, taken);
        historyLength_ = keep + taken;
    }
    offset_ += taken;
    return taken;
}

const char* LineCounter::code(const char* p)
{
    const ByteSet& stops = syntax_.codeStops;
    const BytePairs& words = syntax_.words;
    const bool anyWords = !words.empty();
    while (p < limit_) {
        // 64 bytes at a time: where the next token may start, and (until the line has
        // code) which bytes are text.
        const char* const base = p;
        const std::size_t left = static_cast<std::size_t>(limit_ - p);
        const std::size_t n = left < ByteSet::width ? left : ByteSet::width;
        const bool whole = static_cast<std::size_t>(end_ - p) > ByteSet::width;
        std::uint64_t shown; // the bytes that are not white space
        std::uint64_t events;
        if (!whole) {
            events = stops.matchSome(p, n) | (anyWords ? words.matchSome(p, n, static_cast<std::size_t>(end_ - p)) : 0);
            shown = ByteSet::textSome(p, n);
        } else {
#if QM_LANES_X86
            events = lanes::avx2 ? syntax_.codeEventsAvx2(p, shown, p > data_)
                                 : syntax_.codeEvents(p, shown, p > data_);
#else
            events = syntax_.codeEvents(p, shown, p > data_);
#endif
        }
        const std::uint64_t inside = ByteSet::first(n);
        events &= inside;
        shown &= inside;
        bool haveText = !hasCode_;
        std::uint64_t text = haveText ? shown : 0;
        for (;;) {
            if (!events) {
                if (text)
                    markCode(base + ctz(text));
                p = base + n;
                break;
            }
            const unsigned at = ctz(events);
            if (const std::uint64_t before = text & ByteSet::first(at))
                markCode(base + ctz(before));
            const char* next;
            if (base[at] == '\n') {
                endLine(base + at);
                next = base + at + 1;
                if (!haveText) {
                    haveText = true;
                    text = shown;
                }
            } else {
                next = codeToken(base + at);
            }
            if (mode_ != Mode::Code)
                return next;
            const std::size_t used = static_cast<std::size_t>(next - base);
            if (used >= n) {
                p = next;
                break;
            }
            const std::uint64_t rest = ~ByteSet::first(used);
            events &= rest;
            text &= rest;
        }
    }
    return p;
}

const char* LineCounter::word(const char* p)
{
    const char* q = p + 1;
    while (q < end_ && isWord(*q))
        ++q;
    markCode(p);
    const std::string_view before = behind(p, 2);
    if (!before.empty() && isWord(before.back()))
        return q; // inside a longer word
    const std::size_t length = static_cast<std::size_t>(q - p);
    if (syntax_.isKeyword(p, length))
        ++counts_.complexity;
    if (language_.quoteOperators && length <= 2) {
        const std::string_view name(p, length);
        for (const std::string_view op : {"q", "qq", "qw", "qr", "m", "s", "tr", "y"}) {
            if (name != op)
                continue;
            // Not a variable ($s, @q, %y), a method (->s), a package (Foo::q) or a file test (-s).
            if (!before.empty() && (isOneOf(before.back(), "$@%&*-") || before == "->" || before == "::"))
                return q;
            return quoteOperator(q, name);
        }
    }
    return q;
}

std::string_view LineCounter::behindPieces(const char* at, std::size_t n)
{
    const std::size_t here = static_cast<std::size_t>(at - data_);
    const std::size_t old = std::min(n - here, historyLength_);
    std::memcpy(scratch_.data(), history_.data() + historyLength_ - old, old);
    std::memcpy(scratch_.data() + old, data_, here);
    return {scratch_.data(), old + here};
}

std::string_view LineCounter::lineBefore(const char* at)
{
    std::string_view line = behind(at, Syntax::lookahead);
    if (const auto nl = line.rfind('\n'); nl != std::string_view::npos)
        line.remove_prefix(nl + 1);
    return line;
}

void LineCounter::countLine(std::uint64_t newlineOffset)
{
    ++counts_.lines;
    if (!lineHasText_) {
        ++counts_.blank;
    } else if (hasCode_ || !hasComment_) {
        ++counts_.code;
        counts_.codeBytes += newlineOffset + 1 - lineStart_;
    } else {
        ++counts_.comment;
    }
    lineStart_ = newlineOffset + 1;
    hasCode_ = hasComment_ = lineHasText_ = false;
}

void LineCounter::endLine(const char* newline, bool keepMode)
{
    if (!keepMode && syntax_.readsLineEnds)
        readLineEnd(newline);
    countLine(offsetOf(newline));
    if (keepMode)
        return;
    continued_ = continuesNext_;
    continuesNext_ = false;
    // Most lines end in code: no mode to leave.
    if (mode_ != Mode::Code)
        leaveAtLineEnd(newline);
    if (mode_ == Mode::Code && !pendingDocs_.empty()) {
        hereDoc_ = std::move(pendingDocs_.front());
        pendingDocs_.pop_front();
        mode_ = Mode::HereDoc;
    }
}

void LineCounter::leaveAtLineEnd(const char* newline)
{
    switch (mode_) {
    case Mode::LineComment: {
        const std::string_view before = behind(newline, 2);
        const bool continues = language_.continuedLineComments && !before.empty() &&
                               (before.back() == '\\' ||
                                (before.size() == 2 && before[0] == '\\' && before[1] == '\r'));
        if (!continues)
            mode_ = std::exchange(afterComment_, Mode::Code);
        break;
    }
    case Mode::String:
        if (!quote_.multiline && !quote_.skipsSpace)
            mode_ = Mode::Code;
        break;
    case Mode::QuoteGap:
        gapComment_ = false;
        break;
    case Mode::HereDoc:
        inIndent_ = false;
        break;
    case Mode::Indented:
        lineIndent_ = 0;
        indentEnded_ = lineInScalar_ = false;
        break;
    case Mode::LineBlock:
        if (closeBlockAtLineEnd_) {
            mode_ = inData_ ? Mode::Data : Mode::Code;
            closeBlockAtLineEnd_ = false;
        }
        break;
    default:
        break;
    }
}

void LineCounter::readLineEnd(const char* newline)
{
    const bool closedHereDoc = std::exchange(hereDocEnded_, false);
    if (!hasCode_)
        return;
    if (language_.blockScalars) {
        // All YAML takes from a line's end: whether a block scalar's header closes it.
        if (mode_ == Mode::Code || mode_ == Mode::LineComment)
            readBlockScalarHeader(newline);
        return;
    }
    std::string_view line = lineBefore(newline);
    std::string_view code = line; // without a comment closing the line
    if (mode_ == Mode::LineComment)
        code.remove_suffix(std::min<std::uint64_t>(offsetOf(newline) - commentStart_, code.size()));
    code = trimmedEnd(code.substr(0, code.find_last_not_of('\r') + 1));
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    // Whether a "/" opening the next line starts a regular expression.
    if (language_.lineEndsStatements)
        regexAtLineStart_ = mode_ != Mode::Code || code.empty() || code.back() != '\\';
    else if (language_.regexLiterals)
        regexAtLineStart_ = mode_ != Mode::Code || regexAllowedAfter(line);
    // Whether a statement may start the next line (where "=word" opens POD). The line
    // closing a here-document says nothing: its opener's line did.
    if (language_.podDocumentation && !closedHereDoc && (mode_ == Mode::Code || mode_ == Mode::LineComment))
        statementAtLineStart_ = !code.empty() && isOneOf(code.back(), ";{}");
    if (language_.dataSections && mode_ == Mode::Code && (code == "__END__" || code == "__DATA__") &&
        offsetOf(newline) - lineStart_ <= code.size() + 2) {
        inData_ = true;
        mode_ = Mode::Data;
    }
}

Counts LineCounter::finish()
{
    if (offset_ > lineStart_) {
        // The last line has no line end: count it as a line of its own.
        countLine(offset_ - 1);
    }
    return counts_;
}

Counts LineCounter::count(const Syntax& syntax, std::string_view text)
{
    LineCounter counter(syntax);
    counter.feed(text.data(), text.size(), true);
    return counter.finish();
}

} // namespace qm::counter
