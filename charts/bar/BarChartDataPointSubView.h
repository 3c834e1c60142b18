#pragma once

#include "charts/bar/BarChartData.h"
#include "charts/bar/BarSeries.h"
#include "charts/core/ColourStylePaint.h"
#include "kit/ui/ObservedObject.h"
#include "kit/ui/State.h"
#include "kit/ui/View.h"

#include <concepts>
#include <tuple>

namespace charts {

// The row of a standard bar chart whose bars take their own data point's
// colour: one bar per point, identified by the point's id, drawn as the
// marks of one view (barSeries); a point whose colour lacks a member its
// kind needs is drawn in the standard blue.
template <class ChartData>
requires std::derived_from<ChartData, BarChartData>
struct BarChartDataPointSubView {
    kit::ObservedObject<ChartData> chartData;
    kit::State<bool> startAnimation{false};

    auto dynamicFields() { return std::tie(chartData, startAnimation); }

    kit::View body() const
    {
        return singleSetBars(chartData.object(), startAnimation, ValueAxis::vertical,
                             [](const BarChartDataPoint& point) {
                                 return std::optional<kit::Paint>(
                                     colourStylePaint(point.colour).value_or(kit::Color::blue()));
                             });
    }
};

} // namespace charts
