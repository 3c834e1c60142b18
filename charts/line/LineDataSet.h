#pragma once

#include "charts/core/DataFunctions.h"
#include "charts/core/Hasher.h"
#include "charts/core/PointStyle.h"
#include "charts/line/LineChartDataPoint.h"
#include "charts/line/LineStyle.h"
#include "kit/base/UUID.h"

#include <string>
#include <vector>

namespace charts {

// One line of a single or multi-line chart: its points left to right, its
// legend text, its marker style and its line style. Made with a fresh id;
// equal and hashed over every field.
struct LineDataSet {
    using DataPoint = LineChartDataPoint;

    kit::UUID id;
    std::vector<LineChartDataPoint> dataPoints;
    std::string legendTitle;
    PointStyle pointStyle;
    LineStyle style;

    LineDataSet(std::vector<LineChartDataPoint> dataPoints, std::string legendTitle, PointStyle pointStyle,
                LineStyle style)
        : dataPoints(std::move(dataPoints)), legendTitle(std::move(legendTitle)), pointStyle(pointStyle),
          style(std::move(style))
    {
    }

    // The largest value (0 without points); the smallest, leaving out zeros
    // when the style ignores them (0 when none is left); the mean of every
    // value, zeros included (not a number without points).
    double largestValue() const;
    double smallestValue() const;
    double averageValue() const;

    friend bool operator==(const LineDataSet&, const LineDataSet&) = default;
};

} // namespace charts

template <>
struct std::hash<charts::LineDataSet> {
    std::size_t operator()(const charts::LineDataSet& s) const
    {
        return charts::hashValues(s.id, s.dataPoints, s.legendTitle, s.pointStyle, s.style);
    }
};

// Defined once the set is hashable, as the data functions require.
inline double charts::LineDataSet::largestValue() const
{
    return largestValueOf(*this);
}
inline double charts::LineDataSet::smallestValue() const
{
    return smallestValueOf(*this);
}
inline double charts::LineDataSet::averageValue() const
{
    return averageValueOf(*this);
}
