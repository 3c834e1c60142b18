#pragma once

#include "charts/bar/BarSeries.h"
#include "charts/bar/HorizontalBarChartData.h"
#include "charts/core/ColourStylePaint.h"
#include "kit/ui/ObservedObject.h"
#include "kit/ui/State.h"
#include "kit/ui/View.h"

#include <concepts>
#include <tuple>

namespace charts {

// The column of a horizontal bar chart whose bars all take the bar style's
// colour: one bar per data point, top to bottom, identified by the point's
// id, drawn as the marks of one view (barSeries). None at all when the
// colour lacks a member its kind needs.
template <class ChartData>
requires std::derived_from<ChartData, HorizontalBarChartData>
struct HorizontalBarChartBarStyleSubView {
    kit::ObservedObject<ChartData> chartData;
    kit::State<bool> startAnimation{false};

    auto dynamicFields() { return std::tie(chartData, startAnimation); }

    kit::View body() const
    {
        const std::optional<kit::Paint> paint = colourStylePaint(chartData->barStyle->colour);
        if (!paint)
            return kit::EmptyView();
        return singleSetBars(chartData.object(), startAnimation, ValueAxis::horizontal,
                             [p = *paint](const BarChartDataPoint&) { return std::optional<kit::Paint>(p); });
    }
};

} // namespace charts
