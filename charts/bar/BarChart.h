#pragma once

#include "charts/axes/AxisLabelPlacement.h"
#include "charts/bar/BarChartData.h"
#include "charts/bar/BarChartFrame.h"
#include "charts/bar/SingleSetBarSubViews.h"

#include <concepts>
#include <memory>
#include <tuple>

namespace charts {

// A standard bar chart: one vertical bar per data point, side by side in
// equal slots across the chart's width with no gaps, each bar barWidth of
// its slot wide and value / maxValue of the chart's height high from the
// bottom edge (see BarElement). The bars take the bar style's
// colour (BarChartBarStyleSubView) or their own (BarChartDataPointSubView),
// and carry the chart's title as their accessibility label. When the value
// axis reaches below 0 the chart is shrunk towards its top edge, so bars of
// negative values hang into the room left below the zero line.
//
// A chart without points shows the chart data's no-data view. The chart
// writes its frame into viewData.chartSize when the frame changes after
// the first layout, and posts layoutDidFinishNotification (with a copy of
// itself) half a second after each appearance.
//
//   kit::View chart = charts::BarChart(chartData);
template <class ChartData>
requires std::derived_from<ChartData, BarChartData>
struct BarChart {
    kit::ObservedObject<ChartData> chartData;
    kit::State<std::shared_ptr<OwnedTimer>> timer;

    explicit BarChart(std::shared_ptr<ChartData> chartData) : chartData(std::move(chartData)) {}

    auto dynamicFields() { return std::tie(chartData, timer); }

    kit::View body() const
    {
        const std::shared_ptr<ChartData>& data = chartData.object();
        const kit::View chart = singleSetBarChart<BarChartData>(data, ChartSizeWrite::onFrameChange, timer,
                                                                kit::AnyObject::box(BarChart(data)));
        return markedAsPlot(scaledForNegativeValues(chart, *chartData), data.get());
    }
};

} // namespace charts
