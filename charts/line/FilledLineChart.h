#pragma once

#include "charts/core/DataFunctions.h"
#include "charts/line/LineChartData.h"
#include "charts/line/LineChartView.h"
#include "charts/line/LineSubViews.h"

#include <concepts>
#include <memory>

namespace charts {

// A single line chart drawn as the area under its line: the line closed
// down to the bottom edge, filled in its style's colour kind and risen from
// that edge when it appears. The lowest value and the value range are taken
// once, when the view is made, and kept; making the view also sets the
// chart data's `isFilled`, so point markers added to it rise with the area.
// Otherwise as LineChart: two points or the no-data view, the measured
// frame, the layout notification. A stroked top edge is a separate
// modifier (applyFilledTopLine).
//
//   kit::View chart = applyFilledTopLine(charts::FilledLineChart(chartData), chartData, colour, stroke);
template <class ChartData>
requires std::derived_from<ChartData, LineChartData>
struct FilledLineChart : LineChartView<FilledLineChart<ChartData>, ChartData> {
    double minValue = 0;
    double range = 0;

    explicit FilledLineChart(std::shared_ptr<ChartData> chartData)
        : LineChartView<FilledLineChart, ChartData>(std::move(chartData))
    {
        ChartData& data = *this->chartData.object();
        minValue = data.minValue();
        range = data.range();
        data.isFilled = true;
    }

    kit::View body() const { return this->singleLineFrame(minValue, range, true); }
};

} // namespace charts
