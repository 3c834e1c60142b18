#pragma once

#include "charts/bar/BarChartData.h"
#include "charts/bar/BarChartFrame.h"
#include "charts/bar/BarSeries.h"
#include "charts/bar/HorizontalBarChartData.h"
#include "charts/bar/RangedBarChartData.h"
#include "charts/core/ColourStylePaint.h"
#include "kit/ui/ObservedObject.h"
#include "kit/ui/Stacks.h"
#include "kit/ui/State.h"
#include "kit/ui/View.h"

#include <concepts>
#include <memory>
#include <optional>
#include <tuple>

namespace charts {

// The sub-views of the bar charts of one data set, the standard, horizontal
// and ranged charts (`Chart`, the chart-data class a sub-view draws): the
// row of bars of a standard or ranged chart, the column of a horizontal one,
// top to bottom, each bar identified by its point's id and labelled with
// the chart's title, all drawn as the marks of one view (singleSetBars).
// The chart shows one of the two its bar style's colourFrom picks.

// The bars that all take the bar style's colour (a flat colour or a
// gradient over each bar's own frame); none at all when the colour lacks a
// member its kind needs.
template <class ChartData, class Chart>
requires std::derived_from<ChartData, Chart>
struct SingleSetBarStyleSubView {
    kit::ObservedObject<ChartData> chartData;
    kit::State<bool> startAnimation{false};

    auto dynamicFields() { return std::tie(chartData, startAnimation); }

    kit::View body() const
    {
        const std::optional<kit::Paint> paint = colourStylePaint(chartData->barStyle->colour);
        if (!paint)
            return kit::EmptyView();
        return singleSetBars(chartData.object(), startAnimation,
                             [p = *paint](const auto&) { return std::optional<kit::Paint>(p); });
    }
};

// The bars that take their own data point's colour. A point whose colour
// lacks a member its kind needs is drawn in the standard blue on a standard
// chart; on a horizontal chart it has no bar and no slot (the other bars
// share the chart's height); on a ranged chart it keeps its slot, empty.
template <class ChartData, class Chart>
requires std::derived_from<ChartData, Chart>
struct SingleSetDataPointSubView {
    kit::ObservedObject<ChartData> chartData;
    kit::State<bool> startAnimation{false};

    auto dynamicFields() { return std::tie(chartData, startAnimation); }

    kit::View body() const
    {
        return singleSetBars(chartData.object(), startAnimation, [](const auto& point) {
            const std::optional<kit::Paint> paint = colourStylePaint(point.colour);
            if constexpr (std::same_as<Chart, BarChartData>)
                return std::optional<kit::Paint>(paint.value_or(kit::Color::blue()));
            else
                return paint;
        });
    }
};

template <class ChartData>
using BarChartBarStyleSubView = SingleSetBarStyleSubView<ChartData, BarChartData>;
template <class ChartData>
using BarChartDataPointSubView = SingleSetDataPointSubView<ChartData, BarChartData>;
template <class ChartData>
using HorizontalBarChartBarStyleSubView = SingleSetBarStyleSubView<ChartData, HorizontalBarChartData>;
template <class ChartData>
using HorizontalBarChartDataPointSubView = SingleSetDataPointSubView<ChartData, HorizontalBarChartData>;
template <class ChartData>
using RangedBarChartBarStyleSubView = SingleSetBarStyleSubView<ChartData, RangedBarChartData>;
template <class ChartData>
using RangedBarChartDataPointSubView = SingleSetDataPointSubView<ChartData, RangedBarChartData>;

// The content of a bar chart of one data set of kind `Chart`, in
// barChartFrame: the sub-view its bar style's colourFrom picks (the bar
// style's colour for barStyle, the points' own for dataPoints), in a row
// with no spacing (bars measured along the vertical axis) or a column
// (along the horizontal axis).
template <class Chart, class ChartData>
kit::View singleSetBarChart(const std::shared_ptr<ChartData>& chartData, ChartSizeWrite write,
                            const kit::State<std::shared_ptr<OwnedTimer>>& timer, kit::AnyObject chartView)
{
    const bool fromStyle = chartData->barStyle->colourFrom == ColourFrom::barStyle;
    const auto content = [chartData, fromStyle] {
        const kit::View bars = fromStyle ? kit::View(SingleSetBarStyleSubView<ChartData, Chart>{chartData})
                                         : kit::View(SingleSetDataPointSubView<ChartData, Chart>{chartData});
        if constexpr (valueAxisOf<ChartData> == kit::Axis::vertical)
            return kit::HStack(kit::VerticalAlignment::center, 0, {bars});
        else
            return kit::VStack(kit::HorizontalAlignment::center, 0, {bars});
    };
    return barChartFrame(chartData, hasDataPoints(*chartData), write, content, timer, std::move(chartView));
}

} // namespace charts
