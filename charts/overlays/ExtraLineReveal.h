#pragma once

#include "charts/axes/LineBarChartDataObject.h"
#include "charts/core/ExtraLineData.h"
#include "charts/overlays/ExtraLineShape.h"
#include "kit/ui/Shape.h"
#include "kit/ui/Stacks.h"
#include "kit/ui/State.h"
#include "kit/ui/Transaction.h"

#include <memory>

namespace charts {

// How much of an extra-line view is drawn: all of it when the chart's
// animation is disabled, else all once the view has appeared and nothing
// before.
template <ChartDataObject ChartData>
double extraLineFraction(const ChartData& chartData, bool started)
{
    return chartData.disableAnimation || started ? 1.0 : 0.0;
}

// `shape` revealed up to `fraction` by the extra line's animation type:
// traced along its path from its start, or scaled up from the bottom centre
// of its frame (only its height grows).
inline kit::Shape revealedExtraLine(const kit::Shape& shape, ExtraLineStyle::AnimationType type, double fraction)
{
    if (type == ExtraLineStyle::AnimationType::raise)
        return shape.scale(1, fraction, kit::UnitPoint::bottom());
    return shape.trim(0, fraction);
}

// `view` that sets `started` each time it appears and clears it each time it
// disappears: under the chart style's global animation, or at once while the
// chart's animation is disabled; both are read when the action runs.
template <ChartDataObject ChartData>
kit::View extraLineRevealActions(const kit::View& view, const std::shared_ptr<ChartData>& chartData,
                                 const kit::State<bool>& started)
{
    auto setter = [chartData, started](bool value) {
        return [chartData, started, value] {
            if (chartData->disableAnimation)
                started = value;
            else
                kit::withAnimation(chartData->chartStyle->globalAnimation, [&] { started = value; });
        };
    };
    return kit::Group({kit::Group({view}).onAppear(setter(true))}).onDisappear(setter(false));
}

// The body of the extra line's colour views: the chart's extra line as an
// ExtraLineShape on its own value range (its style's baseline and top
// line), revealed by its style's animation type and stroked with `paint`
// and `stroke`. Empty while the chart has no extra line.
template <LineBarChartDataObject ChartData>
kit::View strokedExtraLine(const std::shared_ptr<ChartData>& chartData, const kit::Paint& paint, const Stroke& stroke,
                           const kit::State<bool>& started)
{
    const std::optional<ExtraLineData>& extraLine = *chartData->extraLineData;
    if (!extraLine)
        return kit::EmptyView();
    std::vector<double> values;
    values.reserve(extraLine->dataPoints.size());
    for (const ExtraLineDataPoint& point : extraLine->dataPoints)
        values.push_back(point.value);
    const ExtraLineStyle& style = extraLine->style;
    const kit::Shape shape = ExtraLineShape(std::move(values), style.lineType, style.lineSpacing,
                                            extraLine->drawingRange(), extraLine->lowerEnd())
                                 .shape();
    const double fraction = extraLineFraction(*chartData, *started);
    const kit::View line = revealedExtraLine(shape, style.animationType, fraction).stroke(paint, stroke.strokeStyle());
    return extraLineRevealActions(line, chartData, started);
}

} // namespace charts
