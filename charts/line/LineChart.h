#pragma once

#include "charts/core/DataFunctions.h"
#include "charts/line/LineChartData.h"
#include "charts/line/LineChartView.h"
#include "charts/line/LineSubViews.h"

#include <concepts>
#include <memory>

namespace charts {

// A single line chart: the chart data's line stroked in its style's colour
// kind and drawn in from its first point, scaled between the chart's lowest
// value and value range as they stand at each redraw, over the chart data's
// accessibility layer. Needs two points; with fewer it shows the chart
// data's no-data view. Writes the measured frame into `viewData.chartSize`
// when it appears and posts layoutDidFinishNotification half a second
// later (LineChartView). Axes, markers and the other decorations are
// modifiers applied around it.
//
//   kit::View chart = charts::LineChart(chartData);
template <class ChartData>
requires std::derived_from<ChartData, LineChartData>
struct LineChart : LineChartView<LineChart<ChartData>, ChartData> {
    explicit LineChart(std::shared_ptr<ChartData> chartData) : LineChartView<LineChart, ChartData>(std::move(chartData))
    {
    }

    kit::View body() const
    {
        const ChartData& data = *this->chartData;
        return this->singleLineFrame(data.minValue(), data.range(), false);
    }
};

} // namespace charts
