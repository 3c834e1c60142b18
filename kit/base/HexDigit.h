#pragma once

namespace kit {

// The value of a hexadecimal digit (0-9, a-f, A-F), or -1 for any other
// character; takes UTF-8 bytes, UTF-16 units and code points alike.
constexpr int hexDigit(char32_t c)
{
    if (c >= U'0' && c <= U'9')
        return int(c - U'0');
    if (c >= U'a' && c <= U'f')
        return int(c - U'a') + 10;
    if (c >= U'A' && c <= U'F')
        return int(c - U'A') + 10;
    return -1;
}

} // namespace kit
