#pragma once

#include "charts/pie/PieDoughnutChartData.h"
#include "charts/pie/SegmentChartView.h"

#include <concepts>

namespace charts {

// A doughnut chart: the pie chart drawn as a ring. Each slice is an arc
// stroked in its colour with the style's strokeWidth (butt caps, miter
// joins), the ring's outer edge on the largest circle that fits the chart
// area (the arc inset by half the ring's width). Animation, labels, the touch highlight
// and the layout notification are those of PieChart.
//
//   kit::View chart = charts::DoughnutChart(chartData);
template <class ChartData>
requires std::derived_from<ChartData, DoughnutChartData>
struct DoughnutChart : SegmentChartView<DoughnutChart<ChartData>, ChartData> {
    explicit DoughnutChart(std::shared_ptr<ChartData> chartData)
        : SegmentChartView<DoughnutChart, ChartData>(std::move(chartData))
    {
    }

    static SegmentShape segmentShape(const ChartData& data)
    {
        return [width = data.chartStyle->strokeWidth](const PieChartDataPoint& point) {
            return doughnutSegment(point, width);
        };
    }
    static SegmentArea segmentArea(const ChartData& data) { return doughnutSegmentArea(data.chartStyle->strokeWidth); }
};

} // namespace charts
