#pragma once

#include "charts/axes/LineBarChartDataObject.h"
#include "charts/core/ChartEnums.h"
#include "charts/core/ExtraLineData.h"
#include "kit/base/Path.h"
#include "kit/base/Rect.h"
#include "kit/ui/ObservedObject.h"
#include "kit/ui/Shape.h"
#include "kit/ui/Stacks.h"
#include "kit/ui/State.h"
#include "kit/ui/Transaction.h"

#include <memory>
#include <tuple>
#include <vector>

namespace charts {

// The extra line itself: its shape, how its views reveal it, and the three
// views that stroke it in the three kinds of colour. Its markers, revealed
// the same way, are in ExtraLinePoints.h.

// The outline of a chart's extra line across the plotting rectangle:
// straight, curved or stepped through its values, spaced like a line
// chart's points (first on the left edge, last on the right edge) or like
// the centres of a bar chart's bars. A value v stands at
// H − (v − minValue) × H / range, nothing clamped; the rectangle's origin is
// never added. Nothing animates through the shape itself: a change replaces
// the path at once.
struct ExtraLineShape : kit::ShapeBase<ExtraLineShape> {
    std::vector<double> dataPoints;
    LineType lineType = LineType::line;
    ExtraLineStyle::SpacingType lineSpacing = ExtraLineStyle::SpacingType::line;
    double range = 0;
    double minValue = 0;

    ExtraLineShape(std::vector<double> dataPoints, LineType lineType, ExtraLineStyle::SpacingType lineSpacing,
                   double range, double minValue)
        : dataPoints(std::move(dataPoints)), lineType(lineType), lineSpacing(lineSpacing), range(range),
          minValue(minValue)
    {
    }

    kit::Path path(const kit::Rect& rect) const;
};

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

// The chart's extra line stroked in one flat colour, in front of the
// chart's content. It reads the line from the chart data at every redraw
// and reveals it each time it comes on screen (strokedExtraLine).
template <LineBarChartDataObject ChartData>
struct ColourExtraLineView {
    kit::ObservedObject<ChartData> chartData;
    kit::Color colour;
    Stroke stroke;
    kit::State<bool> startAnimation{false};

    auto dynamicFields() { return std::tie(chartData, startAnimation); }

    kit::View body() const
    {
        return strokedExtraLine(chartData.object(), kit::Paint(colour), stroke, startAnimation).zIndex(1);
    }
};

// The chart's extra line stroked with a linear gradient of evenly spread
// colours from `startPoint` to `endPoint`, behind the chart's content (it
// sets no z-index). It reads the line from the chart data at every redraw
// and reveals it each time it comes on screen (strokedExtraLine).
template <LineBarChartDataObject ChartData>
struct ColoursExtraLineView {
    kit::ObservedObject<ChartData> chartData;
    std::vector<kit::Color> colours;
    kit::UnitPoint startPoint;
    kit::UnitPoint endPoint;
    Stroke stroke;
    kit::State<bool> startAnimation{false};

    auto dynamicFields() { return std::tie(chartData, startAnimation); }

    kit::View body() const
    {
        const kit::Paint paint = kit::LinearGradient{kit::Gradient(colours), startPoint, endPoint};
        return strokedExtraLine(chartData.object(), paint, stroke, startAnimation);
    }
};

// The chart's extra line stroked with a linear gradient of stops (the
// toolkit's, in order) from `startPoint` to `endPoint`, in front of the
// chart's content. It reads the line from the chart data at every redraw
// and reveals it each time it comes on screen (strokedExtraLine).
template <LineBarChartDataObject ChartData>
struct StopsExtraLineView {
    kit::ObservedObject<ChartData> chartData;
    std::vector<kit::Gradient::Stop> stops;
    kit::UnitPoint startPoint;
    kit::UnitPoint endPoint;
    Stroke stroke;
    kit::State<bool> startAnimation{false};

    auto dynamicFields() { return std::tie(chartData, startAnimation); }

    kit::View body() const
    {
        const kit::Paint paint = kit::LinearGradient{kit::Gradient(stops), startPoint, endPoint};
        return strokedExtraLine(chartData.object(), paint, stroke, startAnimation).zIndex(1);
    }
};

} // namespace charts
