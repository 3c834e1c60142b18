// Comments: line comments (and what may end one early: PHP's "?>", Java's escaped line
// ends) and block comments, nested or not.

#include "counter/lex/LineCounter.h"

#include "counter/lex/ByteClasses.h"

#include <cstring>

namespace qm::counter {

void LineCounter::openBlock(std::string_view open, std::string_view close, const ByteSet* stops, bool nested,
                            const BytePairs* ends)
{
    blockEnds_ = ends && !ends->empty() ? ends : nullptr;
    blockOpen_ = open;
    blockClose_ = close;
    blockStops_ = stops;
    blockNests_ = nested;
    depth_ = 1;
    mode_ = Mode::Block;
}

const char* LineCounter::lineComment(const char* p)
{
    if (!hasComment_) {
        // A line that a comment ending in a backslash carried on to: blank or comment.
        bool text = false;
        const char* q = syntax_.lineEnd.find(p, limit_, end_, text);
        if (text)
            markComment();
        return q;
    }
    if (!syntax_.commentsEndEarly) {
        const void* nl = std::memchr(p, '\n', static_cast<std::size_t>(limit_ - p));
        return nl ? static_cast<const char*>(nl) : limit_;
    }
    bool text = false;
    const char* q = syntax_.commentStops.find(p, limit_, end_, text);
    if (q == limit_ || *q == '\n')
        return q;
    if (*q == '?') {
        // PHP's "?>" ends the comment with the code (not the "#!" line before the code).
        if (q + 1 < end_ && q[1] == '>' && afterComment_ != Mode::Output) {
            mode_ = Mode::Code;
            return q;
        }
        return q + 1;
    }
    return escapedLineEnd(q);
}

const char* LineCounter::escapedLineEnd(const char* p)
{
    // Java reads "\u000a" and "\u000d" (with any number of u's) as the line ends they stand
    // for before it looks for comments: one ends a line comment, and the rest of the line is
    // code. "\\" is an escaped backslash, which starts no escape.
    if (p + 1 < end_ && p[1] == '\\')
        return p + 2;
    const char* u = p + 1;
    while (u < end_ && *u == 'u' && u - p < 64)
        ++u;
    if (u == p + 1 || !matches(u, "000") || end_ - u < 4 || !isOneOf(static_cast<char>(lower(u[3])), "ad"))
        return p + 1;
    mode_ = Mode::Code;
    return u + 4;
}

const char* LineCounter::block(const char* p)
{
    bool text = false;
    const char* q = blockEnds_ ? blockEnds_->find(p, limit_, end_, text) : blockStops_->find(p, limit_, end_, text);
    if (text)
        markComment();
    if (q != p)
        return q;
    if (blockNests_ && matches(p, blockOpen_)) {
        ++depth_;
        markComment();
        return p + blockOpen_.size();
    }
    if (matches(p, blockClose_)) {
        markComment();
        if (--depth_ == 0)
            mode_ = Mode::Code;
        return p + blockClose_.size();
    }
    if (!isSpace(*p))
        markComment();
    return p + 1;
}

} // namespace qm::counter
