#pragma once

#include "charts/bar/ColourBar.h"
#include "charts/bar/ColourKindView.h"
#include "charts/bar/GradientColoursBar.h"
#include "charts/bar/GradientStopsBar.h"
#include "charts/bar/GroupedBarDataPoint.h"

#include <memory>

namespace charts {

// One bar of a grouped bar chart: the element view of the kind its group's
// colour calls for, labelled for accessibility with the group's title;
// nothing when that colour lacks a member its kind needs. Holds the chart
// data without observing it: it is redrawn with its chart.
template <class ChartData>
struct GroupedBarCell {
    std::shared_ptr<ChartData> chartData;
    GroupedBarDataPoint dataPoint;

    kit::View body() const
    {
        const std::optional<kit::View> bar =
            barElementFor<ColourBar, GradientColoursBar, GradientStopsBar>(chartData, dataPoint,
                                                                           dataPoint.group.colour);
        return kit::Group({bar ? bar->accessibilityLabel(dataPoint.group.title) : kit::EmptyView()});
    }
};

} // namespace charts
