// Literals: the strings of the language table (with docstrings and holes of code), character
// literals, raw strings whose delimiters the opening one chooses, and long brackets.

#include "counter/lex/LineCounter.h"

#include "counter/lex/ByteClasses.h"

#include <algorithm>
#include <cctype>
#include <utility>

namespace qm::counter {

const char* LineCounter::stringOpener(const char* p)
{
    const Language& l = language_;
    if (l.nodeStartQuotes && !startsNode(p))
        return p; // a quote inside a plain scalar ("it's")
    const char* q;
    if (*p == '"' && l.rawStrings != RawStrings::None && (q = rawString(p)) != p)
        return q;
    for (std::size_t i = 0; i < l.strings.size(); ++i) {
        const StringSyntax& s = l.strings[i];
        if (!matches(p, s.open))
            continue;
        if (s.character) {
            const std::size_t length = characterLiteral(p);
            if (length == 0)
                return p; // a lone quote: plain code
            markCode(p);
            return p + length;
        }
        bool docstring = false;
        if (s.docstring) {
            bool codeBefore = hasCode_;
            if (codeBefore && !l.stringPrefixes.empty()) {
                // The "r" of r"""...""" belongs to the string.
                const std::string_view before = behind(p, 3);
                std::size_t prefix = 0;
                while (prefix < 2 && prefix < before.size() &&
                       l.stringPrefixes.find(static_cast<char>(
                           lower(static_cast<unsigned char>(before[before.size() - 1 - prefix])))) != std::string::npos)
                    ++prefix;
                if (prefix > 0 && (prefix == before.size() || !isWord(before[before.size() - 1 - prefix])) &&
                    codeStart_ == offsetOf(p) - prefix)
                    codeBefore = false;
            }
            docstring = !codeBefore && (!l.docstringStatements || (brackets_ == 0 && !continued_));
            if (docstring)
                hasCode_ = false; // the prefix was all there was
        }
        if (docstring)
            markComment();
        else
            markCode(p);
        openTableString(i, docstring);
        return p + s.open.size();
    }
    return p;
}

const char* LineCounter::rawString(const char* p)
{
    // The raw strings of the language, opening at the quote p; p when there is none.
    const RawStrings kind = language_.rawStrings;
    if (kind == RawStrings::CSharp) {
        // Three quotes or more open a raw string, closed by a run of as many; fewer are its text.
        std::size_t quotes = 1;
        while (quotes < Syntax::lookahead && p + quotes < end_ && p[quotes] == '"')
            ++quotes;
        if (quotes >= 3) {
            markCode(p);
            openQuote(std::string(quotes, '"'), false);
            return p + quotes;
        }
    }
    if (kind == RawStrings::Cpp) {
        // R"delim( ... )delim", with u8R, uR, UR or LR.
        const std::string_view before = behind(p, 4);
        if (!before.empty() && before.back() == 'R') {
            std::size_t prefix = 1;
            if (before.size() >= 3 && before.substr(before.size() - 3) == "u8R")
                prefix = 3;
            else if (before.size() >= 2 && isOneOf(before[before.size() - 2], "uUL"))
                prefix = 2;
            if (before.size() == prefix || !isWord(before[before.size() - prefix - 1])) {
                const char* d = p + 1;
                while (d < end_ && d - p <= 17 && !isSpace(*d) && !isOneOf(*d, "()\\\"\n"))
                    ++d;
                if (d < end_ && *d == '(' && d - p <= 17) {
                    markCode(p);
                    std::string close(1, ')');
                    close.append(p + 1, d).push_back('"');
                    openQuote(std::move(close), false);
                    return d + 1;
                }
            }
        }
    }
    if (kind == RawStrings::Rust) {
        // r"...", r#"..."#, br"...", cr"...": no escapes.
        const std::string_view before = behind(p, Syntax::lookahead);
        std::size_t hashes = 0;
        while (hashes < before.size() && before[before.size() - 1 - hashes] == '#')
            ++hashes;
        if (hashes < before.size() && before[before.size() - 1 - hashes] == 'r') {
            std::size_t prefix = hashes + 1;
            if (prefix < before.size() && isOneOf(before[before.size() - 1 - prefix], "bc"))
                ++prefix;
            if (prefix == before.size() || !isWord(before[before.size() - 1 - prefix])) {
                markCode(p);
                std::string close(hashes + 1, '#');
                close.front() = '"';
                openQuote(std::move(close), false);
                return p + 1;
            }
        }
    }
    return p;
}

const char* LineCounter::longBracket(const char* p)
{
    // "[[", "[=[", "[==[" ... closed by "]]", "]=]", "]==]" ...; after the comment prefix a comment.
    const std::string& prefix = language_.longBracketComment;
    const bool comment = !prefix.empty() && matches(p, prefix);
    if (!comment && !(language_.longBracketStrings && *p == '['))
        return p;
    const char* b = comment ? p + prefix.size() : p;
    if (b >= end_ || *b != '[')
        return p;
    const char* e = b + 1;
    while (e < end_ && *e == '=')
        ++e;
    if (e >= end_ || *e != '[')
        return p;
    std::string close(static_cast<std::size_t>(e - b + 1), '=');
    close.front() = close.back() = ']';
    if (comment) {
        markComment();
        ownedClose_ = std::move(close);
        ownedStops_ = ByteSet{};
        addStop(ownedStops_, '\n');
        addStop(ownedStops_, ']');
        openBlock({}, ownedClose_, &ownedStops_, false);
    } else {
        markCode(p);
        openQuote(std::move(close), false);
    }
    return e + 1;
}

// Length of a character literal starting at the quote `at` ('x', '\n', '\u{1F600}'), or 0
// when the quote starts something else (a lifetime, an attribute, a prime).
std::size_t LineCounter::characterLiteral(const char* at) const
{
    const char* p = at + 1;
    if (p >= end_ || *p == '\n' || *p == '\'')
        return 0;
    if (*p == '\\') {
        // The escaped byte may be a quote ('\''), never a line end.
        for (const char* q = p + 1; q < end_ && q < p + 12; ++q) {
            if (*q == '\n')
                return 0;
            if (*q == '\'' && q > p + 1)
                return static_cast<std::size_t>(q - at + 1);
        }
        return 0;
    }
    // One code point: a lead byte and its continuation bytes (a stray lead byte is no character).
    const std::size_t length = utf8Length(static_cast<unsigned char>(*p));
    if (static_cast<std::size_t>(end_ - p) <= length)
        return 0;
    for (std::size_t i = 1; i < length; ++i)
        if ((static_cast<unsigned char>(p[i]) & 0xC0) != 0x80)
            return 0;
    return p[length] == '\'' ? length + 2 : 0;
}

void LineCounter::openTableString(std::size_t index, bool docstring)
{
    const StringSyntax& s = language_.strings[index];
    quote_ = Quote{};
    quote_.stops = &syntax_.stringStops[index];
    quote_.close = s.close;
    quote_.escapes = s.escapes;
    quote_.multiline = s.multiline;
    quote_.docstring = docstring;
    quote_.doubled = s.doubled;
    quote_.templated = static_cast<int>(index) == syntax_.templateString;
    inClass_ = false;
    mode_ = Mode::String;
}

void LineCounter::openQuote(std::string close, bool escapes, char opener)
{
    ownedClose_ = std::move(close);
    ownedStops_ = ByteSet{};
    addStop(ownedStops_, '\n');
    addStop(ownedStops_, ownedClose_[0]);
    if (escapes)
        addStop(ownedStops_, '\\');
    if (opener)
        addStop(ownedStops_, opener);
    quote_ = Quote{};
    quote_.stops = &ownedStops_;
    quote_.close = ownedClose_;
    quote_.escapes = escapes;
    quote_.opener = opener;
    inClass_ = false;
    mode_ = Mode::String;
}

const char* LineCounter::string(const char* p)
{
    if (quote_.skipsSpace) {
        // After "\z" the string goes on past white space and line ends to its next text.
        while (p < limit_ && isSpace(*p))
            ++p;
        if (p >= limit_ || *p == '\n')
            return p;
        quote_.skipsSpace = false;
    }
    bool text = false;
    const char* q = quote_.stops->find(p, limit_, end_, text);
    if (text)
        markString();
    if (q != p)
        return q;
    const char c = *p;
    if (quote_.escapes && c == '\\') {
        markString();
        // An escaped line end carries the string on to the next line.
        if (p + 1 < end_ && p[1] == '\n') {
            endLine(p + 1, true);
            return p + 2;
        }
        if (p + 2 < end_ && p[1] == '\r' && p[2] == '\n') {
            endLine(p + 2, true);
            return p + 3;
        }
        quote_.skipsSpace = language_.skipSpaceEscapes && p + 1 < end_ && p[1] == 'z';
        return std::min(p + 2, end_);
    }
    if (quote_.regex && (c == '[' || c == ']' || inClass_)) {
        // Inside a character class the closing delimiter is an ordinary character.
        if (c == '[')
            inClass_ = true;
        else if (c == ']')
            inClass_ = false;
        markString();
        return p + 1;
    }
    if (quote_.templated && c == syntax_.hole[0]) {
        markString();
        if (p + 1 < end_ && p[1] == syntax_.hole[1]) {
            holes_.push_back(0);
            mode_ = Mode::Code;
            return p + 2;
        }
        return p + 1;
    }
    if (quote_.opener && c == quote_.opener) {
        ++quote_.depth;
        markString();
        return p + 1;
    }
    if (matches(p, quote_.close)) {
        markString();
        p += quote_.close.size();
        if (quote_.doubled && matches(p, quote_.close))
            return p + quote_.close.size();
        if (quote_.depth > 0) {
            --quote_.depth;
        } else if (quote_.parts > 0) {
            --quote_.parts;
            if (quote_.bracketed)
                mode_ = Mode::QuoteGap;
        } else {
            mode_ = Mode::Code;
            // Flags ("/x/i", "s{a}{b}gr") belong to the regex, whatever letters they are.
            for (const char* flags = p;
                 quote_.flags && p < end_ && p - flags < 16 && std::isalpha(static_cast<unsigned char>(*p));)
                ++p;
        }
        return p;
    }
    if (!isSpace(c))
        markString();
    return p + 1;
}

} // namespace qm::counter
