// Regular expressions and quote-like operators: where "/" opens a regex rather than
// dividing, %q( ) and its relatives, Perl's q qq qw qr m s tr y with their delimiters.

#include "counter/lex/LineCounter.h"

#include "counter/lex/ByteClasses.h"

#include <algorithm>
#include <cstring>

namespace qm::counter {

const char* LineCounter::regex(const char* p)
{
    // Comments ("//", "/*") were ruled out before.
    const std::string_view line = lineBefore(p);
    markCode(p);
    if (language_.symbols && !line.empty() && line.back() == ':' && (line.size() == 1 || line[line.size() - 2] != ':'))
        return p + 1; // ":/", the name of the method
    if (!regexAllowedAfter(line) && !commandArgument(line, p)) {
        // Division; "//" (Perl's defined-or) is one operator.
        return (p + 1 < end_ && p[1] == '/') ? p + 2 : p + 1;
    }
    openQuote("/", true);
    addStop(ownedStops_, '[');
    addStop(ownedStops_, ']');
    quote_.regex = true;
    quote_.flags = language_.regexFlags;
    quote_.multiline = language_.regexesSpanLines;
    return p + 1;
}

const char* LineCounter::percentLiteral(const char* p)
{
    // %q(...), %w[...], %r{...} ... and %(...): delimiters of any kind, brackets nesting.
    const char* d = p + 1;
    const bool letter = d < end_ && isOneOf(*d, "qQwWiIrsx");
    if (letter)
        ++d;
    if (d >= end_)
        return p;
    const char c = *d;
    if (isWord(c) || isSpace(c) || c == '\n' || c == '=')
        return p;
    const std::string_view line = lineBefore(p);
    if (letter) {
        if (!line.empty() && (isWord(line.back()) || isOneOf(line.back(), ")]")))
            return p; // "x%w": a remainder
    } else if (!isOneOf(c, "([{<|!/^") || (!regexAllowedAfter(line) && !commandArgument(line, p))) {
        return p;
    }
    markCode(p);
    const char bracket = closingBracket(c);
    openQuote(std::string(1, bracket ? bracket : c), true, bracket ? c : 0);
    quote_.flags = letter && p[1] == 'r' && language_.regexFlags;
    return d + 1;
}

const char* LineCounter::quoteOperator(const char* p, std::string_view name)
{
    const char* d = p;
    while (d < end_ && isBlank(*d) && d - p < 16)
        ++d;
    if (d >= end_)
        return p;
    const bool spaced = d != p;
    const char c = *d;
    const char next = d + 1 < end_ ? d[1] : 0;
    // A word, a hash key ("s => 1", "{y}"), the end of a statement ("m ;") or list, or a
    // comment after a space. Right after the name ";" is a delimiter: m;^a;x.
    if (isWord(c) || isSpace(c) || c == '\n' || isOneOf(c, ")}") || (c == ';' && spaced) || (c == '#' && spaced) ||
        (c == '=' && (spaced || isOneOf(next, ">=~"))) || (c == '-' && next == '>'))
        return p;
    const char bracket = closingBracket(c);
    openQuote(std::string(1, bracket ? bracket : c), true, bracket ? c : 0);
    quote_.parts = (name == "s" || name == "tr" || name == "y") ? 1 : 0;
    quote_.flags = language_.regexFlags && name != "q" && name != "qq" && name != "qw";
    quote_.bracketed = bracket != 0;
    return d + 1;
}

const char* LineCounter::quoteGap(const char* p)
{
    // Between the bracketed parts of s{...}{...}: white space, comments, then the next part.
    if (gapComment_ || *p == '#') {
        // To the line end, which may lie in a later piece.
        gapComment_ = true;
        markComment();
        const void* nl = std::memchr(p, '\n', static_cast<std::size_t>(limit_ - p));
        return nl ? static_cast<const char*>(nl) : limit_;
    }
    while (p < limit_ && *p != '\n' && isSpace(*p))
        ++p;
    if (p >= limit_ || *p == '\n' || *p == '#')
        return p;
    markCode(p);
    const bool flags = quote_.flags;
    const char bracket = closingBracket(*p);
    openQuote(std::string(1, bracket ? bracket : *p), true, bracket ? *p : 0);
    quote_.flags = flags;
    return p + 1;
}

bool LineCounter::regexAllowedAfter(std::string_view before) const
{
    before = trimmedEnd(before);
    if (before.empty())
        return regexAtLineStart_;
    const char last = before.back();
    if (isWord(last))
        return syntax_.isRegexWord(lastWord(before));
    // After a value: a closing bracket or the end of a string.
    return !isOneOf(last, ")]}\"'`");
}

bool LineCounter::commandArgument(std::string_view before, const char* p) const
{
    // "puts /x/", "assert_match /a/, s", "foo %(a b)": a method's name, a space, then a
    // literal starting right away ("a / b" and "a /= b" divide).
    if (!language_.commandArguments || before.empty() || !isBlank(before.back()) || p + 1 >= end_ || isSpace(p[1]) ||
        p[1] == '\n' || p[1] == '=')
        return false;
    const std::string_view trimmed = trimmedEnd(before);
    const std::string_view name = lastWord(trimmed);
    if (name.empty() || isDigit(name[0]))
        return false;
    if (name.size() < trimmed.size() && isOneOf(trimmed[trimmed.size() - name.size() - 1], "@$:"))
        return false; // a variable or a symbol
    for (const std::string_view value : {"end", "self", "nil", "true", "false", "def", "__FILE__", "__LINE__"})
        if (name == value)
            return false;
    if (*p != '/')
        return true;
    // A regex argument closes on its line, within the lookahead.
    const char* const stop = p + std::min<std::size_t>(static_cast<std::size_t>(end_ - p), Syntax::lookahead);
    for (const char* q = p + 1; q < stop && *q != '\n'; ++q) {
        if (*q == '\\')
            ++q;
        else if (*q == '/')
            return true;
    }
    return false;
}

} // namespace qm::counter
