#include "kit/base/Format.h"

#include <clocale>
#include <cstdio>
#include <locale.h>
#include <optional>
#include <vector>

namespace kit {

namespace {

enum class Kind { floating, integer };

// Checks the pattern and returns it in the form handed to snprintf (integer
// conversions normalised to "ll"), or nothing when it is not valid.
std::optional<std::string> normalise(std::string_view pattern, Kind kind)
{
    std::string out;
    int conversions = 0;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        char c = pattern[i];
        out += c;
        if (c != '%')
            continue;
        if (++i >= pattern.size())
            return std::nullopt;
        if (pattern[i] == '%') {
            out += '%';
            continue;
        }
        if (++conversions > 1)
            return std::nullopt;
        auto digitsAt = [&](std::size_t& j) {
            std::size_t start = j;
            while (j < pattern.size() && pattern[j] >= '0' && pattern[j] <= '9')
                ++j;
            return j - start;
        };
        std::size_t j = i;
        while (j < pattern.size() && std::string_view("-+ 0#").find(pattern[j]) != std::string_view::npos)
            ++j;
        if (digitsAt(j) > 3)
            return std::nullopt;
        if (j < pattern.size() && pattern[j] == '.') {
            ++j;
            if (digitsAt(j) > 3)
                return std::nullopt;
        }
        out.append(pattern.substr(i, j - i));
        if (kind == Kind::floating) {
            if (j >= pattern.size() || std::string_view("fFeEgGaA").find(pattern[j]) == std::string_view::npos)
                return std::nullopt;
            out += pattern[j];
        } else {
            std::size_t longs = 0;
            while (j < pattern.size() && pattern[j] == 'l' && longs < 2) {
                ++longs;
                ++j;
            }
            if (j >= pattern.size() || (pattern[j] != 'd' && pattern[j] != 'i'))
                return std::nullopt;
            out += "ll";
            out += pattern[j];
        }
        i = j;
    }
    if (conversions != 1)
        return std::nullopt;
    return out;
}

// snprintf under the "C" locale for this thread only.
template <class T>
std::string printInCLocale(const std::string& pattern, T value)
{
    static locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(0));
    locale_t previous = uselocale(cLocale);
    // Most figures fit a small buffer: printed once; longer ones again in
    // a buffer of their length.
    char small[64];
    const int length = std::snprintf(small, sizeof small, pattern.c_str(), value);
    std::string out;
    if (length > 0 && std::size_t(length) < sizeof small) {
        out.assign(small, std::size_t(length));
    } else if (length > 0) {
        std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
        std::snprintf(buffer.data(), buffer.size(), pattern.c_str(), value);
        out.assign(buffer.data(), static_cast<std::size_t>(length));
    }
    uselocale(previous);
    return out;
}

} // namespace

std::string format(std::string_view pattern, double value)
{
    auto checked = normalise(pattern, Kind::floating);
    return printInCLocale(checked ? *checked : std::string("%.0f"), value);
}

std::string formatInt(std::string_view pattern, std::int64_t value)
{
    auto checked = normalise(pattern, Kind::integer);
    return printInCLocale(checked ? *checked : std::string("%lld"), static_cast<long long>(value));
}

} // namespace kit
