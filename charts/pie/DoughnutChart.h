#pragma once

#include "charts/pie/DoughnutChartData.h"
#include "charts/pie/DoughnutSegmentShape.h"
#include "charts/pie/SegmentChartView.h"
#include "kit/ui/Shape.h"

#include <cmath>
#include <concepts>

namespace charts {

// A doughnut chart: the pie chart drawn as a ring. Each slice is an arc
// stroked in its colour with the style's strokeWidth (butt caps, miter
// joins), centred on the largest circle that fits the chart area, so half
// the ring lies outside that circle. Animation, labels, the touch highlight
// and the layout notification are those of PieChart.
//
//   kit::View chart = charts::DoughnutChart(chartData);
template <class ChartData>
    requires std::derived_from<ChartData, DoughnutChartData>
struct DoughnutChart : SegmentChartView<DoughnutChart<ChartData>, ChartData> {
    explicit DoughnutChart(std::shared_ptr<ChartData> chartData)
        : SegmentChartView<DoughnutChart<ChartData>, ChartData>(std::move(chartData))
    {
    }

    kit::View body() const
    {
        const double width = this->chartData->chartStyle->strokeWidth;
        return this->segmentBody([width](const PieChartDataPoint& point) {
            if (!std::isfinite(width))
                return kit::EmptyView();
            const kit::StrokeStyle style{.lineWidth = width,
                                         .lineCap = kit::LineCap::butt,
                                         .lineJoin = kit::LineJoin::miter,
                                         .miterLimit = 10};
            return kit::Shape(DoughnutSegmentShape{point.id, point.startAngle, point.amount, 0})
                .stroke(point.colour, style);
        });
    }
};

} // namespace charts
