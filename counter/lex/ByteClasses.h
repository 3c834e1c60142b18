#pragma once

// The classes of bytes the lexer tells apart (white space, word bytes, digits), and small
// helpers on the text around a token. Every part of the lexer reads bytes through these.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace qm::counter {

namespace detail {

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

inline constexpr auto spaceTable = makeSpaceTable();
inline constexpr auto wordTable = makeWordTable();

} // namespace detail

// White space within a line (a line end is not).
inline bool isSpace(char c)
{
    return detail::spaceTable[static_cast<unsigned char>(c)];
}
// A byte of a word: letters, digits, "_" and every byte of a multi-byte character.
inline bool isWord(char c)
{
    return detail::wordTable[static_cast<unsigned char>(c)];
}
inline bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}
inline bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}
inline bool isOneOf(char c, std::string_view set)
{
    return c != 0 && set.find(c) != std::string_view::npos;
}

inline unsigned char lower(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + ('a' - 'A')) : c;
}

inline std::string lowered(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(lower(static_cast<unsigned char>(c)));
    return s;
}

// The bytes of the UTF-8 character whose first byte is `lead`.
inline std::size_t utf8Length(unsigned char lead)
{
    if (lead < 0xC0)
        return 1;
    if (lead < 0xE0)
        return 2;
    if (lead < 0xF0)
        return 3;
    return 4;
}

inline unsigned ctz(std::uint64_t bits)
{
    return static_cast<unsigned>(__builtin_ctzll(bits));
}

// The closing bracket of an opening one, or 0.
inline char closingBracket(char c)
{
    switch (c) {
    case '(':
        return ')';
    case '[':
        return ']';
    case '{':
        return '}';
    case '<':
        return '>';
    default:
        return 0;
    }
}

// What is left of `before` once trailing spaces and tabs are gone.
inline std::string_view trimmedEnd(std::string_view before)
{
    while (!before.empty() && isBlank(before.back()))
        before.remove_suffix(1);
    return before;
}

// The word at the end of `before`.
inline std::string_view lastWord(std::string_view before)
{
    std::size_t start = before.size();
    while (start > 0 && isWord(before[start - 1]))
        --start;
    return before.substr(start);
}

} // namespace qm::counter
