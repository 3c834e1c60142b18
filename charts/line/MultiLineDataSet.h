#pragma once

#include "charts/core/DataFunctions.h"
#include "charts/core/Hasher.h"
#include "charts/line/LineDataSet.h"
#include "kit/base/UUID.h"

#include <vector>

namespace charts {

// The lines of a multi-line chart, in drawing and legend order. Made with a
// fresh id; equal and hashed over its id and its lines.
struct MultiLineDataSet {
    using DataSet = LineDataSet;

    kit::UUID id;
    std::vector<LineDataSet> dataSets;

    explicit MultiLineDataSet(std::vector<LineDataSet> dataSets) : dataSets(std::move(dataSets)) {}

    // The largest of the lines' largest values (0 when no line has a
    // point); the smallest of their smallest values, each line leaving out
    // its zeros when its style says so (100 when no line gives one); the
    // mean of the lines' means, every line counted (not a number when one
    // is empty or there is none).
    double largestValue() const;
    double smallestValue() const;
    double averageValue() const;

    friend bool operator==(const MultiLineDataSet&, const MultiLineDataSet&) = default;
};

} // namespace charts

template <>
struct std::hash<charts::MultiLineDataSet> {
    std::size_t operator()(const charts::MultiLineDataSet& s) const { return charts::hashValues(s.id, s.dataSets); }
};

// Defined once the set is hashable, as the data functions require.
inline double charts::MultiLineDataSet::largestValue() const
{
    return largestValueOf(*this);
}
inline double charts::MultiLineDataSet::smallestValue() const
{
    return smallestValueOf(*this);
}
inline double charts::MultiLineDataSet::averageValue() const
{
    return averageValueOf(*this);
}
