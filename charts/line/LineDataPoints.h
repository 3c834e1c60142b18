#pragma once

// The data points of line charts: the point of a single or multi-line chart,
// the point of a ranged line with its band, and the protocols they answer.

#include "charts/core/DataPointProtocols.h"
#include "charts/core/Hasher.h"
#include "charts/core/PointStyle.h"
#include "charts/core/ValueText.h"
#include "kit/base/Date.h"
#include "kit/base/UUID.h"

#include <concepts>
#include <optional>
#include <string>
#include <string_view>

namespace charts {

// A data point of a line, with its own optional marker colours.
template <class T>
concept CTLineDataPointProtocol = CTDataPointBaseProtocol<T> && requires(T point)
{
    {
        point.pointColour
        } -> std::convertible_to<std::optional<PointColour>>;
};

// A point of a single or multi-line chart: one value, its marker colours,
// its x-axis label, and the mark that leaves it out of the line.
template <class T>
concept CTStandardLineDataPoint = CTLineDataPointProtocol<T> && CTStandardDataPointProtocol<T> &&
    CTLineBarDataPointProtocol<T> && IgnoreMe<T> && std::derived_from<T, CTnotRanged>;

// A point of a ranged line chart: the line's value with a band from its
// lower to its upper value around it.
template <class T>
concept CTRangedLineDataPoint = CTLineDataPointProtocol<T> && CTRangeDataPointProtocol<T> &&
    CTStandardDataPointProtocol<T> && CTLineBarDataPointProtocol<T> && IgnoreMe<T> && std::derived_from<T, CTisRanged>;

// One point of a single or multi-line chart. Made with a fresh id, not left
// out (ignoreMe false) and untagged (legendTag ""); the chart data tags it
// with its line's legend title when it is touched, and marks a touched zero
// as left out when the line ignores zeros. Equal and hashed over every
// field, the id included, so two points made apart are never equal.
struct LineChartDataPoint : CTnotRanged {
    kit::UUID id;
    double value;
    std::optional<std::string> xAxisLabel;
    std::optional<std::string> description;
    std::optional<kit::Date> date;
    std::optional<PointColour> pointColour;
    bool ignoreMe = false;
    std::string legendTag;

    LineChartDataPoint(double value, std::optional<std::string> xAxisLabel = std::nullopt,
                       std::optional<std::string> description = std::nullopt,
                       std::optional<kit::Date> date = std::nullopt,
                       std::optional<PointColour> pointColour = std::nullopt)
        : value(value), xAxisLabel(std::move(xAxisLabel)), description(std::move(description)), date(date),
          pointColour(pointColour)
    {
    }

    // The formatter's text for the value when a formatter is given;
    // otherwise the specifier's, or "" for a point that is left out.
    std::string formattedValue(std::string_view specifier, const NumberFormatterPtr& formatter) const
    {
        if (formatter)
            return formatterText(*formatter, value);
        return ignoreMe ? std::string() : specifierText(specifier, value);
    }

    friend bool operator==(const LineChartDataPoint&, const LineChartDataPoint&) = default;
};

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
struct std::hash<charts::LineChartDataPoint> {
    std::size_t operator()(const charts::LineChartDataPoint& p) const
    {
        return charts::hashValues(p.id, p.value, p.xAxisLabel, p.description, p.date, p.pointColour, p.ignoreMe,
                                  p.legendTag);
    }
};

template <>
struct std::hash<charts::RangedLineChartDataPoint> {
    std::size_t operator()(const charts::RangedLineChartDataPoint& p) const
    {
        return charts::hashValues(p.id, p.value, p.upperValue, p.lowerValue, p.xAxisLabel, p.description, p.date,
                                  p.pointColour, p.ignoreMe, p.legendTag, p._valueOnly);
    }
};
