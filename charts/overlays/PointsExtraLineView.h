#pragma once

#include "charts/overlays/FilledDataPointExtraLineView.h"
#include "charts/overlays/OutLineDataPointExtraLineView.h"
#include "kit/ui/ForEach.h"

#include <tuple>

namespace charts {

// The markers of the chart's extra line, one per point and identified by
// its index, in front of the chart's content: filled, outlined, or (for
// filledOutLine) an outline revealed over a fill that stands whole from the
// first frame. Empty while the chart has no extra line.
template <LineBarChartDataObject ChartData>
struct PointsExtraLineView {
    kit::ObservedObject<ChartData> chartData;

    auto dynamicFields() { return std::tie(chartData); }

    kit::View body() const
    {
        const std::optional<ExtraLineData>& extraLine = *chartData->extraLineData;
        if (!extraLine)
            return kit::EmptyView();
        const std::shared_ptr<ChartData> data = chartData.object();
        const ExtraLineData& line = *extraLine;
        const PointStyle& style = line.style.pointStyle;
        // Both read every point: worked out once, not once a marker.
        const double lowest = line.lowerEnd(), span = line.drawingRange();
        const auto rows =
            kit::ForEach(kit::Range{0, static_cast<int>(line.dataPoints.size())}, [&](int i) -> kit::View {
                const ExtraLineDataPoint& point = line.dataPoints[static_cast<std::size_t>(i)];
                switch (style.pointType) {
                case PointType::filled:
                    return FilledDataPointExtraLineView<ChartData>{data, point, i, lowest, span};
                case PointType::outline:
                    return OutLineDataPointExtraLineView<ChartData>{data, point, i, lowest, span};
                case PointType::filledOutLine:
                    break;
                }
                const kit::View fill = kit::View(extraLineMarker(line, point.value, i, lowest, span))
                                           .foregroundColor(extraLineMarkerColours(point, style).fill);
                return kit::View(OutLineDataPointExtraLineView<ChartData>{data, point, i, lowest, span})
                    .background(fill, kit::Alignment::center());
            });
        return kit::Group({rows}).zIndex(1);
    }
};

} // namespace charts
