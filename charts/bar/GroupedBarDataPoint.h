#pragma once

#include "charts/bar/MultiBarDataPoint.h"

namespace charts {

// One bar of a cluster of a grouped bar chart, coloured by its group.
struct GroupedBarDataPoint : MultiBarDataPoint<GroupedBarDataPoint> {
    using MultiBarDataPoint::MultiBarDataPoint;
    friend bool operator==(const GroupedBarDataPoint&, const GroupedBarDataPoint&) = default;
};

} // namespace charts
