#pragma once

#include "charts/pie/PieDoughnutChartData.h"
#include "charts/pie/SegmentChartView.h"

#include <concepts>

namespace charts {

// A pie chart: one filled wedge per slice of the chart data, in the slice's
// colour, in the largest circle that fits the chart area, with the slice's
// label or symbol over it. The wedges grow and fade in one after the other
// when the chart appears (at once when the data disables animation); the
// touched slice is drawn enlarged, above the others, with a shadow. Half a
// second after each appearance the chart posts layoutDidFinishNotification.
//
//   kit::View chart = charts::PieChart(chartData);
template <class ChartData>
requires std::derived_from<ChartData, PieChartData>
struct PieChart : SegmentChartView<PieChart<ChartData>, ChartData> {
    explicit PieChart(std::shared_ptr<ChartData> chartData)
        : SegmentChartView<PieChart, ChartData>(std::move(chartData))
    {
    }

    static SegmentShape segmentShape(const ChartData&) { return pieSegment; }
    static SegmentArea segmentArea(const ChartData&) { return pieSegmentArea; }
};

} // namespace charts
