#pragma once

#include "charts/bar/BarSeries.h"
#include "charts/bar/RangedBarChartData.h"
#include "charts/core/ColourStylePaint.h"
#include "kit/ui/ObservedObject.h"
#include "kit/ui/State.h"
#include "kit/ui/View.h"

#include <concepts>
#include <tuple>

namespace charts {

// The row of a ranged bar chart whose bars all take the bar style's
// colour: one slot per data point, identified by the point's id, holding
// its floating bar, all drawn as the marks of one view (barSeries). No
// slots at all when the colour lacks a member its kind needs.
template <class ChartData>
requires std::derived_from<ChartData, RangedBarChartData>
struct RangedBarChartBarStyleSubView {
    kit::ObservedObject<ChartData> chartData;
    kit::State<bool> startAnimation{false};

    auto dynamicFields() { return std::tie(chartData, startAnimation); }

    kit::View body() const
    {
        const std::optional<kit::Paint> paint = colourStylePaint(chartData->barStyle->colour);
        if (!paint)
            return kit::EmptyView();
        return rangedBars(chartData.object(), startAnimation,
                          [p = *paint](const RangedBarDataPoint&) { return std::optional<kit::Paint>(p); });
    }
};

} // namespace charts
