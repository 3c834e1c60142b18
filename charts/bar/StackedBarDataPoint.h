#pragma once

#include "charts/bar/MultiBarDataPoint.h"

namespace charts {

// One segment of a column of a stacked bar chart, coloured by its group.
struct StackedBarDataPoint : MultiBarDataPoint<StackedBarDataPoint> {
    using MultiBarDataPoint::MultiBarDataPoint;
    friend bool operator==(const StackedBarDataPoint&, const StackedBarDataPoint&) = default;
};

} // namespace charts
