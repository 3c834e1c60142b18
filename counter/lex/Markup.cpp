// Markup and PHP's output: tags and their attribute values, the raw text of <script> and
// <style>, and the text around PHP's code.

#include "counter/lex/LineCounter.h"

#include "counter/lex/ByteClasses.h"

#include <cctype>

namespace qm::counter {

const char* LineCounter::tag(const char* p)
{
    if (*p == '?') {
        // PHP's "?>": the code ends and its output goes on. A here-document opened on the
        // line was none, since its opener ends a line.
        if (p + 1 >= end_ || p[1] != '>')
            return p;
        markCode(p);
        pendingDocs_.clear();
        mode_ = Mode::Output;
        return p + 2;
    }
    // "<name" or "</name" opens a tag; a "<" before anything else is text.
    const char* name = p + 1;
    const bool endTag = name < end_ && *name == '/';
    if (endTag)
        ++name;
    if (name >= end_ || !std::isalpha(static_cast<unsigned char>(*name)))
        return p;
    markCode(p);
    rawTextElement_ = {};
    if (!endTag)
        for (const std::string_view element : {"script", "style"})
            if (namesElement(name, element))
                rawTextElement_ = element;
    tagQuote_ = 0;
    afterEquals_ = false;
    mode_ = Mode::Tag;
    return name;
}

const char* LineCounter::tagBody(const char* p)
{
    // Up to the tag's ">", except inside an attribute value in quotes (a quote right after
    // "=" opens one), which may hold anything ("<!--", ">") over any number of lines.
    while (p < limit_ && *p != '\n') {
        if (tagQuote_ != 0) {
            const char* q = p;
            while (q < limit_ && *q != tagQuote_ && *q != '\n')
                ++q;
            for (const char* r = p; r < q && !hasCode_; ++r)
                if (!isSpace(*r))
                    markCode(r);
            if (q < limit_ && *q == tagQuote_) {
                markCode(q);
                tagQuote_ = 0;
                ++q;
            }
            p = q;
            continue;
        }
        const char c = *p;
        if (!isSpace(c)) {
            markCode(p);
            if (c == '>') {
                mode_ = rawTextElement_.empty() ? Mode::Code : Mode::RawText;
                return p + 1;
            }
            if (afterEquals_ && (c == '"' || c == '\''))
                tagQuote_ = c;
            afterEquals_ = c == '=';
        }
        ++p;
    }
    return p;
}

const char* LineCounter::rawText(const char* p)
{
    // The text of <script> or <style>, code whatever it holds ("<!--" too), up to the
    // element's end tag.
    bool text = false;
    const char* q = syntax_.rawTextEnds.find(p, limit_, end_, text);
    if (text)
        markCode(p);
    if (q == limit_ || *q == '\n')
        return q;
    if (namesElement(q + 2, rawTextElement_))
        return tag(q);
    markCode(q);
    return q + 2;
}

bool LineCounter::namesElement(const char* at, std::string_view name) const
{
    // The name in any case, ended as a tag's name ends.
    if (static_cast<std::size_t>(end_ - at) < name.size())
        return false;
    for (std::size_t i = 0; i < name.size(); ++i)
        if (lower(static_cast<unsigned char>(at[i])) != static_cast<unsigned char>(name[i]))
            return false;
    const char* after = at + name.size();
    return after == end_ ? atEnd_ : isOneOf(*after, " \t\n\f\r/>");
}

const char* LineCounter::output(const char* p)
{
    // PHP's output around its code: plain lines of text up to "<?php" or "<?=".
    bool text = false;
    const char* q = syntax_.outputEnds.find(p, limit_, end_, text);
    if (text)
        markCode(p);
    if (q == limit_ || *q == '\n')
        return q;
    markCode(q);
    if (q + 2 < end_ && q[2] == '=') {
        mode_ = Mode::Code;
        return q + 3;
    }
    // "<?php" in any case, then a blank, a line end or the file's end ("<?xml" is text).
    if (end_ - q >= 5 && lower(static_cast<unsigned char>(q[2])) == 'p' &&
        lower(static_cast<unsigned char>(q[3])) == 'h' && lower(static_cast<unsigned char>(q[4])) == 'p' &&
        (end_ - q == 5 || isOneOf(q[5], " \t\r\n"))) {
        mode_ = Mode::Code;
        return q + 5;
    }
    return q + 2;
}

} // namespace qm::counter
