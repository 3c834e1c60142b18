// Blocks that open and close at a line's start: Perl's POD (=pod ... =cut) and Ruby's
// =begin ... =end, and the data after Perl's __END__ or __DATA__.

#include "counter/lex/LineCounter.h"

#include "counter/lex/ByteClasses.h"

#include <cctype>

namespace qm::counter {

const char* LineCounter::podOpener(const char* p)
{
    // "=" and a letter: POD up to a line starting with "=cut"; a stray "=cut" opens it too.
    if (p + 1 >= end_ || !std::isalpha(static_cast<unsigned char>(p[1])))
        return p;
    markComment();
    closeBlockAtLineEnd_ = false;
    mode_ = Mode::LineBlock;
    return p + 2;
}

const char* LineCounter::lineBlock(const char* p)
{
    // Perl's "=cut" closes POD unless a letter follows ("=cut2" does, "=cutting" does not);
    // Ruby's "=end" closes only before white space or the line's end.
    const std::string_view end = language_.lineStartCommentEnd;
    if (offsetOf(p) == lineStart_ && matches(p, end)) {
        const char next = p + end.size() < end_ ? p[end.size()] : '\n';
        if (language_.podDocumentation ? !std::isalpha(static_cast<unsigned char>(next))
                                       : isSpace(next) || next == '\n' || isOneOf(next, "\004\032") || next == 0)
            closeBlockAtLineEnd_ = true;
    }
    bool text = false;
    const char* q = syntax_.lineEnd.find(p, limit_, end_, text);
    if (text)
        markComment();
    return q;
}

const char* LineCounter::dataSection(const char* p)
{
    // After __END__ or __DATA__: data, read as code, and POD.
    const char* q;
    if (offsetOf(p) == lineStart_ && language_.podDocumentation && *p == '=' && (q = podOpener(p)) != p)
        return q;
    bool text = false;
    q = syntax_.lineEnd.find(p, limit_, end_, text);
    if (text)
        markCode(p);
    return q;
}

} // namespace qm::counter
