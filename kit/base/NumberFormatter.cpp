#include "kit/base/NumberFormatter.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace kit {

namespace {

// A non-negative decimal number: 0.d1d2d3… × 10^point.
struct Decimal {
    std::string digits;
    int point = 0;
};

Decimal shortestDecimal(double magnitude)
{
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific);
    std::string text(buffer, result.ptr);
    auto e = text.find('e');
    Decimal d;
    for (std::size_t i = 0; i < e; ++i)
        if (text[i] != '.')
            d.digits += text[i];
    d.point = std::atoi(text.c_str() + e + 1) + 1;
    return d;
}

// Keeps `fractionDigits` digits after the point, rounding half to even.
void roundHalfEven(Decimal& d, int fractionDigits)
{
    int keep = d.point + fractionDigits;
    if (keep >= static_cast<int>(d.digits.size()))
        return;
    if (keep < 0) {
        d = Decimal{"", 0};
        return;
    }
    char first = d.digits[static_cast<std::size_t>(keep)];
    bool restNonZero = d.digits.find_first_not_of('0', static_cast<std::size_t>(keep) + 1) != std::string::npos;
    bool previousOdd = keep > 0 && (d.digits[static_cast<std::size_t>(keep) - 1] - '0') % 2 == 1;
    bool up = first > '5' || (first == '5' && (restNonZero || previousOdd));
    d.digits.resize(static_cast<std::size_t>(keep));
    if (!up)
        return;
    int i = keep - 1;
    for (; i >= 0; --i) {
        auto& digit = d.digits[static_cast<std::size_t>(i)];
        if (digit != '9') {
            ++digit;
            break;
        }
        digit = '0';
    }
    if (i < 0) {
        d.digits.insert(d.digits.begin(), '1');
        ++d.point;
    }
}

} // namespace

void NumberFormatter::setNumberStyle(Style style)
{
    style_ = style;
    minimumFractionDigits = 0;
    maximumFractionDigits = style == Style::decimal ? 3 : 0;
    usesGroupingSeparator = style != Style::none;
}

std::optional<std::string> NumberFormatter::string(double value) const
{
    if (std::isnan(value))
        return "NaN";
    if (std::isinf(value))
        return value > 0 ? "+∞" : "-∞";

    Decimal d = shortestDecimal(std::fabs(value));
    if (style_ == Style::percent)
        d.point += 2;
    int maxDigits = std::max(maximumFractionDigits, minimumFractionDigits);
    roundHalfEven(d, std::max(maxDigits, 0));

    auto digitAt = [&](int i) {
        return i >= 0 && i < static_cast<int>(d.digits.size()) ? d.digits[static_cast<std::size_t>(i)] : '0';
    };
    std::string integer;
    for (int i = 0; i < d.point; ++i)
        integer += digitAt(i);
    if (integer.empty())
        integer = "0";
    std::string fraction;
    for (int i = 0; i < maxDigits; ++i)
        fraction += digitAt(d.point + i);
    while (static_cast<int>(fraction.size()) > std::max(minimumFractionDigits, 0) && fraction.back() == '0')
        fraction.pop_back();

    std::string text = value < 0 ? "-" : "";
    for (std::size_t i = 0; i < integer.size(); ++i) {
        if (usesGroupingSeparator && i > 0 && (integer.size() - i) % 3 == 0)
            text += groupingSeparator;
        text += integer[i];
    }
    if (!fraction.empty())
        text += decimalSeparator + fraction;
    if (style_ == Style::percent)
        text += "%";
    return text;
}

} // namespace kit
