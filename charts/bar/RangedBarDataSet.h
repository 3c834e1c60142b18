#pragma once

#include "charts/bar/RangedBarDataPoint.h"
#include "charts/core/DataFunctions.h"
#include "charts/core/Hasher.h"
#include "kit/base/UUID.h"

#include <string>
#include <vector>

namespace charts {

// The bars of a ranged bar chart, in drawing order, with the title of the
// set. Its largest value is the largest upper value, its smallest the
// smallest lower value (each 0 without points) and its average the mean bar
// height (not a number without points). Only copies of one set are equal.
struct RangedBarDataSet {
    using DataPoint = RangedBarDataPoint;

    kit::UUID id;
    std::vector<RangedBarDataPoint> dataPoints;
    std::string legendTitle;

    // A set with a fresh id.
    RangedBarDataSet(std::vector<RangedBarDataPoint> dataPoints, std::string legendTitle)
        : dataPoints(std::move(dataPoints)), legendTitle(std::move(legendTitle))
    {
    }

    double largestValue() const;
    double smallestValue() const;
    double averageValue() const;

    friend bool operator==(const RangedBarDataSet&, const RangedBarDataSet&) = default;
};

} // namespace charts

template <>
struct std::hash<charts::RangedBarDataSet> {
    std::size_t operator()(const charts::RangedBarDataSet& s) const
    {
        return charts::hashValues(s.id, s.dataPoints, s.legendTitle);
    }
};

// Defined once std::hash knows the set, which the data functions ask for.
namespace charts {

inline double RangedBarDataSet::largestValue() const
{
    return largestValueOf(*this);
}
inline double RangedBarDataSet::smallestValue() const
{
    return smallestValueOf(*this);
}
inline double RangedBarDataSet::averageValue() const
{
    return averageValueOf(*this);
}

} // namespace charts
