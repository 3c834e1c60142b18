#include "counter/LineCounter.h"

#include <algorithm>
#include <cstring>

namespace qm::counter {

namespace {

constexpr std::array<bool, 256> makeSpaceTable()
{
    std::array<bool, 256> t{};
    t[' '] = t['\t'] = t['\r'] = t['\f'] = t['\v'] = true;
    return t;
}

constexpr std::array<bool, 256> makeWordTable()
{
    std::array<bool, 256> t{};
    for (int c = 'a'; c <= 'z'; ++c)
        t[c] = true;
    for (int c = 'A'; c <= 'Z'; ++c)
        t[c] = true;
    for (int c = '0'; c <= '9'; ++c)
        t[c] = true;
    t['_'] = true;
    for (int c = 0x80; c < 0x100; ++c)
        t[c] = true;
    return t;
}

constexpr auto isSpace = makeSpaceTable();
constexpr auto isWord = makeWordTable();

unsigned char lower(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + ('a' - 'A')) : c;
}

std::string lowered(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(lower(static_cast<unsigned char>(c)));
    return s;
}

std::size_t utf8Length(unsigned char lead)
{
    if (lead < 0xC0)
        return 1;
    if (lead < 0xE0)
        return 2;
    if (lead < 0xF0)
        return 3;
    return 4;
}

} // namespace

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

Syntax::Syntax(const Language& language) : language_(&language)
{
    auto mark = [this](const std::string& token) {
        if (!token.empty())
            special_[static_cast<unsigned char>(token[0])] = true;
    };
    for (const auto& t : language.lineComments)
        mark(t);
    for (const auto& b : language.blockComments)
        mark(b.open);
    for (const auto& s : language.strings)
        mark(s.open);
    if (language.codeEscapes)
        special_['\\'] = true;
    for (const auto& token : language.complexity) {
        if (token.empty())
            continue;
        const bool word = std::all_of(token.begin(), token.end(),
                                      [](char c) { return isWord[static_cast<unsigned char>(c)]; });
        if (word && token.size() < 32) {
            const std::string key = language.keywordsIgnoreCase ? lowered(token) : token;
            keywords_.push_back(key);
            keywordLengths_[static_cast<unsigned char>(key[0])] |= 1u << key.size();
            longestKeyword_ = std::max(longestKeyword_, key.size());
        } else {
            operators_.push_back(token);
            mark(token);
        }
    }
    // Longer operators first, so "??" wins over "?".
    std::stable_sort(operators_.begin(), operators_.end(),
                     [](const std::string& a, const std::string& b) { return a.size() > b.size(); });
}

bool Syntax::isKeyword(const char* word, std::size_t length) const
{
    if (length > longestKeyword_)
        return false;
    char buffer[32];
    const char* w = word;
    if (language_->keywordsIgnoreCase) {
        for (std::size_t i = 0; i < length; ++i)
            buffer[i] = static_cast<char>(lower(static_cast<unsigned char>(word[i])));
        w = buffer;
    }
    if (!(keywordLengths_[static_cast<unsigned char>(w[0])] & (1u << length)))
        return false;
    for (const auto& k : keywords_)
        if (k.size() == length && std::memcmp(k.data(), w, length) == 0)
            return true;
    return false;
}

LineCounter::LineCounter(const Syntax& syntax) : syntax_(syntax), language_(syntax.language()) {}

bool LineCounter::matches(const char* at, const char* end, const std::string& token) const
{
    // Tokens are a few bytes long: a plain loop beats a call to memcmp.
    const std::size_t size = token.size();
    if (static_cast<std::size_t>(end - at) < size)
        return false;
    for (std::size_t i = 0; i < size; ++i)
        if (at[i] != token[i])
            return false;
    return true;
}

// Length of a character literal starting at the quote `at` ('x', '\n', '\u{1F600}'), or 0
// when the quote starts something else (a lifetime, an attribute, a prime).
std::size_t LineCounter::characterLiteral(const char* at, const char* end) const
{
    const char* p = at + 1;
    if (p >= end || *p == '\n' || *p == '\'')
        return 0;
    if (*p == '\\') {
        for (const char* q = p + 2; q < end && q < p + 12; ++q) {
            if (*q == '\n')
                return 0;
            if (*q == '\'')
                return static_cast<std::size_t>(q - at + 1);
        }
        return 0;
    }
    const std::size_t length = utf8Length(static_cast<unsigned char>(*p));
    if (p + length < end && p[length] == '\'')
        return length + 2;
    return 0;
}

void LineCounter::endLine(std::uint64_t newlineOffset)
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
    inWord_ = false;
    if (mode_ == Mode::LineComment)
        mode_ = Mode::Code;
    else if (mode_ == Mode::String && !language_.strings[stringIndex_].multiline)
        mode_ = Mode::Code;
    else if (mode_ == Mode::LineBlock && closeBlockAtLineEnd_) {
        mode_ = Mode::Code;
        closeBlockAtLineEnd_ = false;
    }
}

std::size_t LineCounter::feed(const char* data, std::size_t size, bool atEnd)
{
    const char* const end = data + size;
    const char* const limit = atEnd ? end : (size > Syntax::lookahead ? end - Syntax::lookahead : data);
    const char* p = data;
    const auto offsetOf = [&](const char* at) { return offset_ + static_cast<std::uint64_t>(at - data); };
    const bool lineStartBlocks = !language_.lineStartComments.empty();

    while (p < limit) {
        const unsigned char c = static_cast<unsigned char>(*p);
        if (c == '\n') {
            endLine(offsetOf(p));
            ++p;
            continue;
        }
        switch (mode_) {
        case Mode::Code: {
            if (isSpace[c]) {
                inWord_ = false;
                ++p;
                continue;
            }
            lineHasText_ = true;
            if (lineStartBlocks && offsetOf(p) == lineStart_) {
                const auto& openers = language_.lineStartComments;
                if (std::any_of(openers.begin(), openers.end(), [&](const std::string& o) { return matches(p, end, o); })) {
                    mode_ = Mode::LineBlock;
                    closeBlockAtLineEnd_ = matches(p, end, language_.lineStartCommentEnd);
                    hasComment_ = true;
                    continue;
                }
            }
            if (syntax_.special_[c]) {
                bool handled = true;
                std::size_t i = 0;
                for (i = 0; i < language_.blockComments.size(); ++i)
                    if (matches(p, end, language_.blockComments[i].open))
                        break;
                if (i < language_.blockComments.size()) {
                    mode_ = Mode::Block;
                    blockIndex_ = i;
                    depth_ = 1;
                    hasComment_ = true;
                    p += language_.blockComments[i].open.size();
                } else if (std::any_of(language_.lineComments.begin(), language_.lineComments.end(),
                                       [&](const std::string& t) { return matches(p, end, t); })) {
                    hasComment_ = true;
                    mode_ = Mode::LineComment;
                } else {
                    for (i = 0; i < language_.strings.size(); ++i)
                        if (matches(p, end, language_.strings[i].open))
                            break;
                    if (i < language_.strings.size() && language_.strings[i].character) {
                        const std::size_t length = characterLiteral(p, end);
                        if (length > 0) {
                            hasCode_ = true;
                            p += length;
                        } else {
                            handled = false;
                        }
                    } else if (i < language_.strings.size()) {
                        const auto& s = language_.strings[i];
                        mode_ = Mode::String;
                        stringIndex_ = i;
                        docstring_ = s.docstring && !hasCode_;
                        (docstring_ ? hasComment_ : hasCode_) = true;
                        p += s.open.size();
                    } else if (language_.codeEscapes && c == '\\') {
                        hasCode_ = true;
                        p += (p + 1 < end && p[1] != '\n') ? 2 : 1;
                    } else {
                        const auto& ops = syntax_.operators_;
                        const auto op = std::find_if(ops.begin(), ops.end(), [&](const std::string& t) { return matches(p, end, t); });
                        if (op != ops.end()) {
                            ++counts_.complexity;
                            hasCode_ = true;
                            p += op->size();
                        } else {
                            handled = false;
                        }
                    }
                }
                if (handled) {
                    inWord_ = false;
                    continue;
                }
            }
            hasCode_ = true;
            if (isWord[c]) {
                const char* q = p + 1;
                while (q < end && isWord[static_cast<unsigned char>(*q)])
                    ++q;
                if (!inWord_ && syntax_.isKeyword(p, static_cast<std::size_t>(q - p)))
                    ++counts_.complexity;
                // A word that runs to the end of the piece is longer than any keyword: its
                // continuation in the next piece is not a word start.
                inWord_ = (q == end);
                p = q;
            } else {
                inWord_ = false;
                ++p;
            }
            continue;
        }
        case Mode::LineComment: {
            const void* nl = std::memchr(p, '\n', static_cast<std::size_t>(end - p));
            p = nl ? static_cast<const char*>(nl) : end;
            continue;
        }
        case Mode::LineBlock: {
            if (!isSpace[c])
                lineHasText_ = hasComment_ = true;
            if (offsetOf(p) == lineStart_ && matches(p, end, language_.lineStartCommentEnd))
                closeBlockAtLineEnd_ = true;
            ++p;
            continue;
        }
        case Mode::Block: {
            const Delimiters& d = language_.blockComments[blockIndex_];
            // Skip to the next byte that may end the line, close the comment or open a nested one.
            const char closeFirst = d.close[0];
            const char openFirst = language_.nestedComments ? d.open[0] : '\n';
            const char* q = p;
            bool text = false;
            while (q < limit && *q != '\n' && *q != closeFirst && *q != openFirst) {
                text |= !isSpace[static_cast<unsigned char>(*q)];
                ++q;
            }
            if (text)
                lineHasText_ = hasComment_ = true;
            if (q != p) {
                p = q;
                continue;
            }
            if (language_.nestedComments && matches(p, end, d.open)) {
                ++depth_;
                lineHasText_ = hasComment_ = true;
                p += d.open.size();
            } else if (matches(p, end, d.close)) {
                lineHasText_ = hasComment_ = true;
                p += d.close.size();
                if (--depth_ == 0)
                    mode_ = Mode::Code;
            } else {
                if (!isSpace[c])
                    lineHasText_ = hasComment_ = true;
                ++p;
            }
            continue;
        }
        case Mode::String: {
            const StringSyntax& s = language_.strings[stringIndex_];
            // Skip to the next byte that may end the line, escape or close the string.
            const char closeFirst = s.close[0];
            const char escape = s.escapes ? '\\' : '\n';
            const char* q = p;
            bool text = false;
            while (q < limit && *q != '\n' && *q != closeFirst && *q != escape) {
                text |= !isSpace[static_cast<unsigned char>(*q)];
                ++q;
            }
            if (text) {
                lineHasText_ = true;
                (docstring_ ? hasComment_ : hasCode_) = true;
            }
            if (q != p) {
                p = q;
                continue;
            }
            if (!isSpace[c]) {
                lineHasText_ = true;
                (docstring_ ? hasComment_ : hasCode_) = true;
            }
            if (s.escapes && c == '\\') {
                if (p + 1 < end && p[1] == '\n') {
                    // An escaped line end continues the string on the next line.
                    const Mode keep = mode_;
                    endLine(offsetOf(p + 1));
                    mode_ = keep;
                    p += 2;
                } else {
                    p += (p + 1 < end) ? 2 : 1;
                }
            } else if (matches(p, end, s.close)) {
                p += s.close.size();
                mode_ = Mode::Code;
            } else {
                ++p;
            }
            continue;
        }
        }
    }
    const std::size_t taken = static_cast<std::size_t>(p - data);
    offset_ += taken;
    return taken;
}

Counts LineCounter::finish()
{
    if (offset_ > lineStart_) {
        // The last line has no line end: count it as a line of its own.
        endLine(offset_ - 1);
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
