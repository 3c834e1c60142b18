#pragma once

#include "charts/axes/AxisLabelPlacement.h"
#include "charts/bar/BarChartFrame.h"
#include "charts/bar/RangedBarChartData.h"
#include "charts/bar/SingleSetBarSubViews.h"

#include <concepts>
#include <memory>
#include <tuple>

namespace charts {

// A ranged bar chart: one floating bar per data point, side by side in
// equal slots across the chart's width with no gaps, each barWidth of its
// slot wide and spanning from its lower to its upper value on the chart's
// value axis, minValue at the bottom edge and minValue + range at the top
// (see RangedBarCell). The bars take the bar style's colour
// (RangedBarChartBarStyleSubView) or their own
// (RangedBarChartDataPointSubView), and carry the chart's title as their
// accessibility label. The chart is never scaled for negative values.
//
// A chart without points shows the chart data's no-data view. Each
// appearance writes the chart's frame into viewData.chartSize (a later
// resize does not) and posts layoutDidFinishNotification half a second
// later.
//
//   kit::View chart = charts::RangedBarChart(chartData);
template <class ChartData>
requires std::derived_from<ChartData, RangedBarChartData>
struct RangedBarChart {
    kit::ObservedObject<ChartData> chartData;
    kit::State<std::shared_ptr<OwnedTimer>> timer;

    explicit RangedBarChart(std::shared_ptr<ChartData> chartData) : chartData(std::move(chartData)) {}

    auto dynamicFields() { return std::tie(chartData, timer); }

    kit::View body() const
    {
        const std::shared_ptr<ChartData>& data = chartData.object();
        return markedAsPlot(singleSetBarChart<RangedBarChartData>(data, ChartSizeWrite::onAppear, timer,
                                                                  kit::AnyObject::box(RangedBarChart(data))),
                            data.get());
    }
};

} // namespace charts
