#pragma once

#include "charts/overlays/ExtraLineMarker.h"
#include "charts/overlays/ExtraLineReveal.h"
#include "kit/ui/ObservedObject.h"

#include <tuple>

namespace charts {

// How a marker of the extra line is painted: filled with the fill colour, or
// its outline stroked in the border colour at the point style's line width
// (butt cap, miter join).
enum class ExtraLinePointPaint { fill, outline };

// One marker of the chart's extra line, for point `index` (a copy of it
// taken when the view is built), painted in the point's own colours or else
// the point style's, and revealed like the line each time it comes on
// screen. Empty while the chart has no extra line.
template <LineBarChartDataObject ChartData, ExtraLinePointPaint paint>
struct ExtraLinePointView {
    kit::ObservedObject<ChartData> chartData;
    ExtraLineDataPoint dataPoint;
    int index = 0;
    // The line's lower end and drawing range, as its markers' view worked
    // them out once for all of them.
    double lowest = 0;
    double span = 0;
    kit::State<bool> startAnimation{false};

    auto dynamicFields() { return std::tie(chartData, startAnimation); }

    kit::View body() const
    {
        const std::optional<ExtraLineData>& extraLine = *chartData->extraLineData;
        if (!extraLine)
            return kit::EmptyView();
        const ExtraLineStyle& style = extraLine->style;
        const kit::Shape marker = revealedExtraLine(extraLineMarker(*extraLine, dataPoint.value, index, lowest, span),
                                                    style.animationType,
                                                    extraLineFraction(*chartData, *startAnimation));
        const PointColour colours = extraLineMarkerColours(dataPoint, style.pointStyle);
        const kit::View painted = paint == ExtraLinePointPaint::fill
                                      ? marker.fill(colours.fill)
                                      : marker.stroke(colours.border,
                                                      kit::StrokeStyle{.lineWidth = style.pointStyle.lineWidth});
        return extraLineRevealActions(painted, chartData.object(), startAnimation);
    }
};

} // namespace charts
