#pragma once

#include <cstddef>
#include <string_view>

namespace qm::counter {

// The length of the valid UTF-8 sequence at the start of `s` (not empty), with its code
// point in `codePoint`; 0 when the bytes there are no such sequence (an overlong form, a
// surrogate, beyond U+10FFFF, cut short).
inline std::size_t decodeUtf8(std::string_view s, char32_t& codePoint)
{
    const auto b = [&s](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char c = b(0);
    std::size_t length = 0;
    unsigned char lo = 0x80;
    unsigned char hi = 0xBF;
    if (c < 0x80) {
        codePoint = c;
        return 1;
    }
    if (c >= 0xC2 && c <= 0xDF) {
        length = 2;
        codePoint = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
        length = 3;
        codePoint = c & 0x0F;
        if (c == 0xE0)
            lo = 0xA0; // no overlong forms
        if (c == 0xED)
            hi = 0x9F; // no surrogates
    } else if (c >= 0xF0 && c <= 0xF4) {
        length = 4;
        codePoint = c & 0x07;
        if (c == 0xF0)
            lo = 0x90;
        if (c == 0xF4)
            hi = 0x8F; // nothing above U+10FFFF
    } else {
        return 0;
    }
    if (s.size() < length || b(1) < lo || b(1) > hi)
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if (i > 1 && (b(i) < 0x80 || b(i) > 0xBF))
            return 0;
        codePoint = (codePoint << 6) | (b(i) & 0x3F);
    }
    return length;
}

} // namespace qm::counter
