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

// The row of a ranged bar chart whose bars take their own data point's
// colour: one slot per point, identified by the point's id, holding its
// floating bar, all drawn as the marks of one view (barSeries). A point
// whose colour lacks a member its kind needs keeps its slot, empty.
template <class ChartData>
requires std::derived_from<ChartData, RangedBarChartData>
struct RangedBarChartDataPointSubView {
    kit::ObservedObject<ChartData> chartData;
    kit::State<bool> startAnimation{false};

    auto dynamicFields() { return std::tie(chartData, startAnimation); }

    kit::View body() const
    {
        return rangedBars(chartData.object(), startAnimation,
                          [](const RangedBarDataPoint& point) { return colourStylePaint(point.colour); });
    }
};

} // namespace charts
