#pragma once

#include "charts/bar/MultiBarDataPoints.h"
#include "charts/core/Hasher.h"
#include "kit/base/UUID.h"

#include <string>
#include <vector>

namespace charts {

// One column of a stacked bar chart: its segments from the bottom up and
// its title (the column's label, and the legend tag of a touched segment).
struct StackedBarDataSet {
    using DataPoint = StackedBarDataPoint;

    kit::UUID id;
    std::vector<StackedBarDataPoint> dataPoints;
    std::string setTitle;

    // A column with a fresh id.
    StackedBarDataSet(std::vector<StackedBarDataPoint> dataPoints, std::string setTitle)
        : dataPoints(std::move(dataPoints)), setTitle(std::move(setTitle))
    {
    }

    // The segments' values added from the first to the last, from 0.
    double totalValue() const
    {
        double total = 0;
        for (const StackedBarDataPoint& point : dataPoints)
            total += point.value;
        return total;
    }

    friend bool operator==(const StackedBarDataSet&, const StackedBarDataSet&) = default;
};

} // namespace charts

template <>
struct std::hash<charts::StackedBarDataSet> {
    std::size_t operator()(const charts::StackedBarDataSet& s) const
    {
        return charts::hashValues(s.id, s.dataPoints, s.setTitle);
    }
};
