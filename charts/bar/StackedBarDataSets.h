#pragma once

#include "charts/bar/StackedBarDataSet.h"
#include "charts/core/DataFunctions.h"
#include "charts/core/Hasher.h"
#include "kit/base/UUID.h"

#include <vector>

namespace charts {

// The columns of a stacked bar chart, left to right. Its largest value is
// the largest column total (an empty column totals 0; 0 without columns),
// its smallest the smallest single segment (0 without segments), its
// average the mean of the columns' means, not a number when a column is
// empty or there is none.
struct StackedBarDataSets {
    using DataSet = StackedBarDataSet;

    kit::UUID id;
    std::vector<StackedBarDataSet> dataSets;

    // Columns with a fresh id.
    explicit StackedBarDataSets(std::vector<StackedBarDataSet> dataSets) : dataSets(std::move(dataSets)) {}

    double largestValue() const
    {
        std::vector<double> totals;
        for (const StackedBarDataSet& stack : dataSets)
            totals.push_back(stack.totalValue());
        return largestOf(totals).value_or(0);
    }
    double smallestValue() const;
    double averageValue() const;

    friend bool operator==(const StackedBarDataSets&, const StackedBarDataSets&) = default;
};

} // namespace charts

template <>
struct std::hash<charts::StackedBarDataSets> {
    std::size_t operator()(const charts::StackedBarDataSets& s) const { return charts::hashValues(s.id, s.dataSets); }
};

// Defined once std::hash knows the set, which the data functions ask for.
namespace charts {

inline double StackedBarDataSets::smallestValue() const
{
    return smallestValueOf(*this);
}
inline double StackedBarDataSets::averageValue() const
{
    return averageValueOf(*this);
}

} // namespace charts
