#pragma once

#include "charts/core/DataPointProtocols.h"
#include "charts/core/ValueText.h"
#include "kit/ui/Text.h"

#include <string>
#include <string_view>

namespace charts {

// The point's description, or "" when it has none.
template <CTDataPointBaseProtocol Point>
std::string descriptionOrEmpty(const Point& point)
{
    return point.description.value_or("");
}

// The accessibility value of a data point, shown as it is: the localized
// format "%@ <description>" with the point's value text in place of "%@".
template <CTDataPointBaseProtocol Point>
std::string accessibilityValueString(const Point& point, std::string_view specifier,
                                     const NumberFormatterPtr& formatter)
{
    return accessibilityValueString(point.description, point.formattedValue(specifier, formatter));
}

template <CTDataPointBaseProtocol Point>
kit::View accessibilityValueText(const Point& point, std::string_view specifier, const NumberFormatterPtr& formatter)
{
    return kit::Text(kit::Verbatim{accessibilityValueString(point, specifier, formatter)});
}

} // namespace charts
