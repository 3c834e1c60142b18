#pragma once

#include "charts/bar/BarChartDataPoint.h"
#include "charts/core/DataFunctions.h"
#include "charts/core/Hasher.h"
#include "kit/base/UUID.h"

#include <string>
#include <vector>

namespace charts {

// The bars of a standard or horizontal bar chart, in drawing order, with
// the title of the set (its legend text, and the legend tag of a touched
// bar). Its largest and smallest values are 0 without points, its average
// then not a number. Only copies of one set are equal.
struct BarDataSet {
    using DataPoint = BarChartDataPoint;

    kit::UUID id;
    std::vector<BarChartDataPoint> dataPoints;
    std::string legendTitle;

    // A set with a fresh id.
    BarDataSet(std::vector<BarChartDataPoint> dataPoints, std::string legendTitle)
        : dataPoints(std::move(dataPoints)), legendTitle(std::move(legendTitle))
    {
    }

    double largestValue() const;
    double smallestValue() const;
    double averageValue() const;

    friend bool operator==(const BarDataSet&, const BarDataSet&) = default;
};

} // namespace charts

template <>
struct std::hash<charts::BarDataSet> {
    std::size_t operator()(const charts::BarDataSet& s) const
    {
        return charts::hashValues(s.id, s.dataPoints, s.legendTitle);
    }
};

// Defined once std::hash knows the set, which the data functions ask for.
namespace charts {

inline double BarDataSet::largestValue() const
{
    return largestValueOf(*this);
}
inline double BarDataSet::smallestValue() const
{
    return smallestValueOf(*this);
}
inline double BarDataSet::averageValue() const
{
    return averageValueOf(*this);
}

} // namespace charts
