#pragma once

#include "charts/core/DataFunctions.h"
#include "charts/core/Hasher.h"
#include "charts/core/PointStyle.h"
#include "charts/line/RangedLineChartDataPoint.h"
#include "charts/line/RangedLineStyle.h"
#include "kit/base/UUID.h"

#include <string>
#include <vector>

namespace charts {

// The line and band of a ranged line chart: its points, the legend texts of
// the line and of the band, the marker style and the style. Made with a
// fresh id; equal and hashed over every field.
struct RangedLineDataSet {
    using DataPoint = RangedLineChartDataPoint;

    kit::UUID id;
    std::vector<RangedLineChartDataPoint> dataPoints;
    std::string legendTitle;
    std::string legendFillTitle;
    PointStyle pointStyle;
    RangedLineStyle style;

    RangedLineDataSet(std::vector<RangedLineChartDataPoint> dataPoints, std::string legendTitle,
                      std::string legendFillTitle, PointStyle pointStyle, RangedLineStyle style)
        : dataPoints(std::move(dataPoints)), legendTitle(std::move(legendTitle)),
          legendFillTitle(std::move(legendFillTitle)), pointStyle(pointStyle), style(std::move(style))
    {
    }

    // The largest upper value and the smallest lower value (0 without
    // points; zeros are never left out), and the mean height of the band.
    double largestValue() const;
    double smallestValue() const;
    double averageValue() const;

    friend bool operator==(const RangedLineDataSet&, const RangedLineDataSet&) = default;
};

} // namespace charts

template <>
struct std::hash<charts::RangedLineDataSet> {
    std::size_t operator()(const charts::RangedLineDataSet& s) const
    {
        return charts::hashValues(s.id, s.dataPoints, s.legendTitle, s.legendFillTitle, s.pointStyle, s.style);
    }
};

// Defined once the set is hashable, as the data functions require.
inline double charts::RangedLineDataSet::largestValue() const
{
    return largestValueOf(*this);
}
inline double charts::RangedLineDataSet::smallestValue() const
{
    return smallestValueOf(*this);
}
inline double charts::RangedLineDataSet::averageValue() const
{
    return averageValueOf(*this);
}
