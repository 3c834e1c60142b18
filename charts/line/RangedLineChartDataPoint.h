#pragma once

#include "charts/core/DataPointProtocols.h"
#include "charts/core/Hasher.h"
#include "charts/core/PointStyle.h"
#include "charts/core/ValueText.h"
#include "kit/base/Date.h"
#include "kit/base/UUID.h"

#include <optional>
#include <string>
#include <string_view>

namespace charts {

// One point of a ranged line chart: `value` is the line itself, the band
// around it runs from `lowerValue` to `upperValue` (neither order nor
// containment is required). `_valueOnly` makes the value text the line's
// value alone instead of the band. Made with a fresh id, not left out,
// untagged and showing the band; equal and hashed over every field.
struct RangedLineChartDataPoint : CTisRanged {
    kit::UUID id;
    double value;
    double upperValue;
    double lowerValue;
    std::optional<std::string> xAxisLabel;
    std::optional<std::string> description;
    std::optional<kit::Date> date;
    std::optional<PointColour> pointColour;
    bool ignoreMe = false;
    std::string legendTag;
    bool _valueOnly = false;

    RangedLineChartDataPoint(double value, double upperValue, double lowerValue,
                             std::optional<std::string> xAxisLabel = std::nullopt,
                             std::optional<std::string> description = std::nullopt,
                             std::optional<kit::Date> date = std::nullopt,
                             std::optional<PointColour> pointColour = std::nullopt)
        : value(value), upperValue(upperValue), lowerValue(lowerValue), xAxisLabel(std::move(xAxisLabel)),
          description(std::move(description)), date(date), pointColour(pointColour)
    {
    }

    // With a formatter: the formatter's text for the value (not the band).
    // Otherwise the specifier's text for the value alone when `_valueOnly`,
    // else "lower-upper". `ignoreMe` plays no part.
    std::string formattedValue(std::string_view specifier, const NumberFormatterPtr& formatter) const
    {
        if (formatter)
            return formatterText(*formatter, value);
        if (_valueOnly)
            return specifierText(specifier, value);
        return rangeText(lowerValue, upperValue, specifier, nullptr);
    }

    friend bool operator==(const RangedLineChartDataPoint&, const RangedLineChartDataPoint&) = default;
};

} // namespace charts

template <>
struct std::hash<charts::RangedLineChartDataPoint> {
    std::size_t operator()(const charts::RangedLineChartDataPoint& p) const
    {
        return charts::hashValues(p.id, p.value, p.upperValue, p.lowerValue, p.xAxisLabel, p.description, p.date,
                                  p.pointColour, p.ignoreMe, p.legendTag, p._valueOnly);
    }
};
