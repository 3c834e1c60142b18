#include "charts/core/ValueText.h"

#include "kit/base/Format.h"
#include "kit/base/Localization.h"

namespace charts {

std::string specifierText(std::string_view specifier, double value)
{
    return kit::format(specifier, value);
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
