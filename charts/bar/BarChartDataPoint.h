#pragma once

#include "charts/core/ColourStyle.h"
#include "charts/core/DataPointProtocols.h"
#include "charts/core/Hasher.h"
#include "kit/base/Date.h"
#include "kit/base/UUID.h"

#include <optional>
#include <string>
#include <string_view>

namespace charts {

// One bar of a standard or horizontal bar chart: its value, its label on
// the category axis, its description and date, its own colour (used when
// the chart takes colours from the data points), and the legend tag a touch
// writes into it. Every field takes part in equality and hashing, the id
// included, so only copies of one point are equal.
struct BarChartDataPoint : CTnotRanged {
    kit::UUID id;
    double value;
    std::optional<std::string> xAxisLabel;
    std::optional<std::string> description;
    std::optional<kit::Date> date;
    ColourStyle colour;
    std::string legendTag;

    // A point with a fresh id and an empty legend tag.
    BarChartDataPoint(double value, std::optional<std::string> xAxisLabel, std::optional<std::string> description,
                      std::optional<kit::Date> date, ColourStyle colour)
        : value(value), xAxisLabel(std::move(xAxisLabel)), description(std::move(description)), date(date),
          colour(std::move(colour))
    {
    }

    // The value as text: the formatter's ("" when it gives none) when a
    // formatter is given, else the specifier's.
    std::string formattedValue(std::string_view specifier, const NumberFormatterPtr& formatter) const
    {
        return valueText(value, specifier, formatter);
    }

    friend bool operator==(const BarChartDataPoint&, const BarChartDataPoint&) = default;
};

} // namespace charts

template <>
struct std::hash<charts::BarChartDataPoint> {
    std::size_t operator()(const charts::BarChartDataPoint& p) const
    {
        return charts::hashValues(p.id, p.value, p.xAxisLabel, p.description, p.date, p.colour, p.legendTag);
    }
};
