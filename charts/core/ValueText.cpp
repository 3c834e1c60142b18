#include "charts/core/ValueText.h"

#include "kit/base/Format.h"
#include "kit/base/Localization.h"

#include <array>
#include <cctype>
#include <clocale>
#include <cstdio>
#include <locale.h>

namespace charts {

namespace {

// The conversion character of the one floating conversion of a specifier,
// or 0 when the specifier is not literal text plus exactly one such
// conversion (flags "-+ 0#", width and precision of at most three digits).
char floatingConversion(std::string_view specifier)
{
    char found = 0;
    for (std::size_t i = 0; i < specifier.size(); ++i) {
        if (specifier[i] != '%')
            continue;
        if (++i < specifier.size() && specifier[i] == '%')
            continue;
        while (i < specifier.size() && std::string_view("-+ 0#").find(specifier[i]) != std::string_view::npos)
            ++i;
        auto digits = [&] {
            std::size_t n = 0;
            for (; i < specifier.size() && std::isdigit(static_cast<unsigned char>(specifier[i])); ++i)
                ++n;
            return n;
        };
        if (digits() > 3)
            return 0;
        if (i < specifier.size() && specifier[i] == '.') {
            ++i;
            if (digits() > 3)
                return 0;
        }
        if (i >= specifier.size() || std::string_view("fFeEgGaA").find(specifier[i]) == std::string_view::npos
            || found != 0)
            return 0;
        found = specifier[i];
    }
    return found;
}

// Hexadecimal floating output, which kit::format leaves out: printf's own,
// in the "C" locale whatever the process locale.
std::string hexFloatText(std::string_view specifier, double value)
{
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(0));
    const std::string pattern(specifier);
    const locale_t previous = uselocale(cLocale);
    const int length = std::snprintf(nullptr, 0, pattern.c_str(), value);
    std::string text(length > 0 ? static_cast<std::size_t>(length) : 0, '\0');
    if (length > 0)
        std::snprintf(text.data(), text.size() + 1, pattern.c_str(), value);
    uselocale(previous);
    return text;
}

} // namespace

std::string specifierText(std::string_view specifier, double value)
{
    const char conversion = floatingConversion(specifier);
    if (conversion == 'a' || conversion == 'A')
        return hexFloatText(specifier, value);
    return kit::format(conversion != 0 ? specifier : std::string_view("%.0f"), value);
}

std::string formatterText(const kit::NumberFormatter& formatter, double value)
{
    return formatter.string(value).value_or("");
}

std::string valueText(double value, std::string_view specifier, const NumberFormatterPtr& formatter)
{
    return formatter ? formatterText(*formatter, value) : specifierText(specifier, value);
}

std::string rangeText(double lower, double upper, std::string_view specifier, const NumberFormatterPtr& formatter)
{
    return valueText(lower, specifier, formatter) + "-" + valueText(upper, specifier, formatter);
}

std::string accessibilityValueString(const std::optional<std::string>& description, std::string_view valueText)
{
    const std::string format = kit::localized("%@ " + description.value_or(""));
    const std::size_t placeholder = format.find("%@");
    if (placeholder == std::string::npos)
        return format;
    std::string result = format.substr(0, placeholder);
    result += valueText;
    result += format.substr(placeholder + 2);
    return result;
}

} // namespace charts
