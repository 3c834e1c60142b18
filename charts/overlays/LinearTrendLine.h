#pragma once

#include "charts/axes/GetDataProtocol.h"
#include "charts/axes/LineBarChartDataObject.h"
#include "charts/core/ColourStylePaint.h"
#include "charts/overlays/LinearTrendLineShape.h"
#include "kit/ui/ObservedObject.h"
#include "kit/ui/Stacks.h"

#include <memory>
#include <tuple>

namespace charts {

// A straight line over the chart from `firstValue` on its leading edge to
// `lastValue` on its trailing edge, on the chart's value axis as it stands
// at each redraw (its range and lowest value), stroked with `strokeStyle`
// in `lineColour`, and clipped to the chart's frame: where a value lies
// beyond the axis the line leaves the plot at its edge instead of running
// over the axis labels around it. Drawn at once, without animation; a
// colour that lacks what its kind needs (a gradient without its end points
// included) draws no line and leaves the chart alone. The line takes no
// press: it passes to the chart under it.
template <LineBarChartDataObject ChartData>
requires GetDataProtocol<ChartData>
struct LinearTrendLine {
    kit::ObservedObject<ChartData> chartData;
    double firstValue = 0;
    double lastValue = 0;
    ColourStyle lineColour;
    kit::StrokeStyle strokeStyle;

    auto dynamicFields() { return std::tie(chartData); }

    kit::View body(const kit::View& content) const
    {
        const std::optional<kit::Paint> paint = colourStylePaint(lineColour);
        if (!paint)
            return kit::ZStack(kit::Alignment::center(), {content});
        const LinearTrendLineShape line(firstValue, lastValue, chartData->range(), chartData->minValue());
        return kit::ZStack(kit::Alignment::center(),
                           {content, line.stroke(*paint, strokeStyle).clipped().allowsHitTesting(false)});
    }
};

// `view` with a trend line from `firstValue` to `lastValue`.
template <LineBarChartDataObject ChartData>
requires GetDataProtocol<ChartData> kit::View applyLinearTrendLine(const kit::View& view,
                                                                   std::shared_ptr<ChartData> chartData,
                                                                   double firstValue, double lastValue,
                                                                   ColourStyle lineColour, kit::StrokeStyle strokeStyle)
{
    return view.modifier(LinearTrendLine<ChartData>{std::move(chartData), firstValue, lastValue, std::move(lineColour),
                                                    std::move(strokeStyle)});
}

} // namespace charts
