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

// The column of a horizontal bar chart whose bars take their own data
// point's colour: one bar per point, top to bottom, identified by the
// point's id, drawn as the marks of one view (barSeries). A point whose
// colour lacks a member its kind needs has no bar, and no slot: the other
// bars share the chart's height.
template <class ChartData>
requires std::derived_from<ChartData, HorizontalBarChartData>
struct HorizontalBarChartDataPointSubView {
    kit::ObservedObject<ChartData> chartData;
    kit::State<bool> startAnimation{false};

    auto dynamicFields() { return std::tie(chartData, startAnimation); }

    kit::View body() const
    {
        return singleSetBars(chartData.object(), startAnimation, ValueAxis::horizontal,
                             [](const BarChartDataPoint& point) { return colourStylePaint(point.colour); });
    }
};

} // namespace charts
