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

} // namespace charts

template <>
struct std::hash<charts::LineChartDataPoint> {
    std::size_t operator()(const charts::LineChartDataPoint& p) const
    {
        return charts::hashValues(p.id, p.value, p.xAxisLabel, p.description, p.date, p.pointColour, p.ignoreMe,
                                  p.legendTag);
    }
};
