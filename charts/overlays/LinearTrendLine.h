#pragma once

#include "charts/axes/GetDataProtocol.h"
#include "charts/axes/LineBarChartDataObject.h"
#include "charts/core/ColourStylePaint.h"
#include "kit/base/Path.h"
#include "kit/base/Rect.h"
#include "kit/ui/ObservedObject.h"
#include "kit/ui/Shape.h"
#include "kit/ui/Stacks.h"

#include <cmath>
#include <memory>
#include <tuple>

namespace charts {

// A straight line from `firstValue` on the leading edge to `lastValue` on
// the trailing edge, both on the vertical value axis that runs from
// `minValue` on the bottom edge to minValue + range on the top edge. Values
// outside that span lie outside the rectangle; nothing is clamped. A range
// of 0 puts both ends on the bottom edge; an end that is not a finite number
// leaves the path empty.
struct LinearTrendLineShape : kit::ShapeBase<LinearTrendLineShape> {
    double firstValue = 0;
    double lastValue = 0;
    double range = 0;
    double minValue = 0;

    LinearTrendLineShape(double firstValue, double lastValue, double range, double minValue)
        : firstValue(firstValue), lastValue(lastValue), range(range), minValue(minValue)
    {
    }

    kit::Path path(const kit::Rect& rect) const
    {
        const double h = rect.height();
        const double w = rect.width();
        // With no span to divide by, every value sits on the bottom edge.
        const double k = range == 0 ? 0 : -h / range;
        const double startY = (firstValue - minValue) * k + h;
        const double endY = (lastValue - minValue) * k + h;
        kit::Path path;
        if (!std::isfinite(startY) || !std::isfinite(endY))
            return path;
        path.move({0, startY});
        path.addLine({w, endY});
        return path;
    }
};

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
