#pragma once

#include "charts/axes/AxisLabelPlacement.h"
#include "charts/bar/BarChartFrame.h"
#include "charts/bar/HorizontalBarChartData.h"
#include "charts/bar/SingleSetBarSubViews.h"

#include <concepts>
#include <memory>
#include <tuple>

namespace charts {

// A horizontal bar chart: one horizontal bar per data point, stacked from
// the top in equal slots of the chart's height with no gaps, each bar
// barWidth of its slot thick and value / maxValue of the chart's width long
// from the leading edge (see BarElement). The bars take the bar
// style's colour (HorizontalBarChartBarStyleSubView) or their own
// (HorizontalBarChartDataPointSubView), and carry the chart's title as
// their accessibility label. When the value axis reaches below 0 the chart
// is shrunk towards its trailing edge, so bars of negative values reach
// into the room left before the zero line.
//
// A chart without points shows the chart data's no-data view. The chart
// writes its frame into viewData.chartSize when the frame changes after
// the first layout, and posts layoutDidFinishNotification (with a copy of
// itself) half a second after each appearance.
//
//   kit::View chart = charts::HorizontalBarChart(chartData);
template <class ChartData>
requires std::derived_from<ChartData, HorizontalBarChartData>
struct HorizontalBarChart {
    kit::ObservedObject<ChartData> chartData;
    kit::State<std::shared_ptr<OwnedTimer>> timer;

    explicit HorizontalBarChart(std::shared_ptr<ChartData> chartData) : chartData(std::move(chartData)) {}

    auto dynamicFields() { return std::tie(chartData, timer); }

    kit::View body() const
    {
        const std::shared_ptr<ChartData>& data = chartData.object();
        const kit::View chart =
            singleSetBarChart<HorizontalBarChartData>(data, ChartSizeWrite::onFrameChange, timer,
                                                      kit::AnyObject::box(HorizontalBarChart(data)));
        return markedAsPlot(scaledForNegativeValues(chart, *chartData), data.get());
    }
};

} // namespace charts
