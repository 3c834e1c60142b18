#pragma once

#include "charts/bar/GroupedBarCell.h"
#include "charts/bar/GroupedBarDataSet.h"
#include "kit/ui/ForEach.h"
#include "kit/ui/Stacks.h"

#include <memory>

namespace charts {

// One group of a grouped bar chart: its bars side by side with no gaps,
// sharing the group's width equally, each identified by its point's id.
// Holds the chart data without observing it: it is redrawn with its chart.
template <class ChartData>
struct GroupedBarGroup {
    std::shared_ptr<ChartData> chartData;
    GroupedBarDataSet dataSet;

    kit::View body() const
    {
        return kit::HStack(kit::VerticalAlignment::center, 0,
                           {kit::ForEach(dataSet.dataPoints, [&](const GroupedBarDataPoint& point) {
                               return GroupedBarCell<ChartData>{chartData, point};
                           })});
    }
};

} // namespace charts
