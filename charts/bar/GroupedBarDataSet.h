#pragma once

#include "charts/bar/MultiBarDataPoints.h"
#include "charts/core/Hasher.h"
#include "kit/base/UUID.h"

#include <string>
#include <vector>

namespace charts {

// One cluster of a grouped bar chart: its bars in drawing order and its
// title (the cluster's label, and the legend tag of a touched bar).
struct GroupedBarDataSet {
    using DataPoint = GroupedBarDataPoint;

    kit::UUID id;
    std::vector<GroupedBarDataPoint> dataPoints;
    std::string setTitle;

    // A cluster with a fresh id.
    GroupedBarDataSet(std::vector<GroupedBarDataPoint> dataPoints, std::string setTitle)
        : dataPoints(std::move(dataPoints)), setTitle(std::move(setTitle))
    {
    }

    friend bool operator==(const GroupedBarDataSet&, const GroupedBarDataSet&) = default;
};

} // namespace charts

template <>
struct std::hash<charts::GroupedBarDataSet> {
    std::size_t operator()(const charts::GroupedBarDataSet& s) const
    {
        return charts::hashValues(s.id, s.dataPoints, s.setTitle);
    }
};
