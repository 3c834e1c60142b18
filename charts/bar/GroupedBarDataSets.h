#pragma once

#include "charts/bar/GroupedBarDataSet.h"
#include "charts/core/DataFunctions.h"
#include "charts/core/Hasher.h"
#include "kit/base/UUID.h"

#include <vector>

namespace charts {

// The clusters of a grouped bar chart, left to right. Its largest and
// smallest values are those of all bars of all clusters (0 without bars);
// its average is the mean of the clusters' means, not a number when a
// cluster is empty or there is none.
struct GroupedBarDataSets {
    using DataSet = GroupedBarDataSet;

    kit::UUID id;
    std::vector<GroupedBarDataSet> dataSets;

    // Clusters with a fresh id.
    explicit GroupedBarDataSets(std::vector<GroupedBarDataSet> dataSets) : dataSets(std::move(dataSets)) {}

    double largestValue() const;
    double smallestValue() const;
    double averageValue() const;

    friend bool operator==(const GroupedBarDataSets&, const GroupedBarDataSets&) = default;
};

} // namespace charts

template <>
struct std::hash<charts::GroupedBarDataSets> {
    std::size_t operator()(const charts::GroupedBarDataSets& s) const { return charts::hashValues(s.id, s.dataSets); }
};

// Defined once std::hash knows the set, which the data functions ask for.
namespace charts {

inline double GroupedBarDataSets::largestValue() const
{
    return largestValueOf(*this);
}
inline double GroupedBarDataSets::smallestValue() const
{
    return smallestValueOf(*this);
}
inline double GroupedBarDataSets::averageValue() const
{
    return averageValueOf(*this);
}

} // namespace charts
