#pragma once

#include "charts/core/ChartEnums.h"
#include "charts/core/ExtraLineData.h"
#include "charts/line/PointMarkers.h"
#include "charts/overlays/ExtraLineViews.h"
#include "kit/base/Path.h"
#include "kit/base/Rect.h"
#include "kit/ui/ForEach.h"
#include "kit/ui/ObservedObject.h"
#include "kit/ui/Shape.h"

#include <tuple>

namespace charts {

// The markers of the extra line: their shapes, one marker's view, and the
// view of all of them.

// The marker of one point of a bar-spaced extra line: a circle, square or
// rounded square `pointSize` across, centred in slot `index` of
// `datapointCount` equal slots across the width, at the height of its value
// (minValue on the bottom edge, minValue + range on the top edge). A shape
// over the whole plotting rectangle that draws only its own small box; a
// point of value 0 under `ignoreZero`, a line without points, or a place
// that is not a finite number give no marker; a range of 0 puts the marker
// on the bottom edge, as the line chart's Point does.
struct PointBarSpcing : kit::ShapeBase<PointBarSpcing> {
    double value = 0;
    int index = 0;
    double minValue = 0;
    double range = 0;
    int datapointCount = 0;
    double pointSize = 0;
    bool ignoreZero = false;
    PointShape pointStyle = PointShape::circle;

    PointBarSpcing(double value, int index, double minValue, double range, int datapointCount, double pointSize,
                   bool ignoreZero, PointShape pointStyle)
        : value(value), index(index), minValue(minValue), range(range), datapointCount(datapointCount),
          pointSize(pointSize), ignoreZero(ignoreZero), pointStyle(pointStyle)
    {
    }

    kit::Path path(const kit::Rect& rect) const;
};

// The marker of point `index` (of value `value`) on `extraLine`, on the
// line's own value range: a Point under line spacing (the first and last on
// the edges), a PointBarSpcing under bar spacing (centred in its slot). A
// value of 0 gets a marker too.
inline kit::Shape extraLineMarker(const ExtraLineData& extraLine, double value, int index, double lowest, double span)
{
    const PointStyle& style = extraLine.style.pointStyle;
    const int count = static_cast<int>(extraLine.dataPoints.size());
    if (extraLine.style.lineSpacing == ExtraLineStyle::SpacingType::bar)
        return PointBarSpcing(value, index, lowest, span, count, style.pointSize, false, style.pointShape).shape();
    return Point(value, index, lowest, span, count, style.pointSize, false, style.pointShape).shape();
}

// The same, the line's lower end and drawing range worked out here: a
// caller drawing many markers works them out once (they read every point).
inline kit::Shape extraLineMarker(const ExtraLineData& extraLine, double value, int index)
{
    return extraLineMarker(extraLine, value, index, extraLine.lowerEnd(), extraLine.drawingRange());
}

// A point's own marker colours when it has them, else the point style's.
inline PointColour extraLineMarkerColours(const ExtraLineDataPoint& point, const PointStyle& style)
{
    return point.pointColour.value_or(PointColour{style.borderColour, style.fillColour});
}

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

// A marker of the extra line filled with the point's own fill colour, else
// the point style's.
template <LineBarChartDataObject ChartData>
using FilledDataPointExtraLineView = ExtraLinePointView<ChartData, ExtraLinePointPaint::fill>;

// A marker of the extra line whose outline is stroked in the point's own
// border colour, else the point style's, at the point style's line width.
template <LineBarChartDataObject ChartData>
using OutLineDataPointExtraLineView = ExtraLinePointView<ChartData, ExtraLinePointPaint::outline>;

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
                    return FilledDataPointExtraLineView<ChartData>{
                        .chartData = data, .dataPoint = point, .index = i, .lowest = lowest, .span = span};
                case PointType::outline:
                    return OutLineDataPointExtraLineView<ChartData>{
                        .chartData = data, .dataPoint = point, .index = i, .lowest = lowest, .span = span};
                case PointType::filledOutLine:
                    break;
                }
                const kit::View fill = kit::View(extraLineMarker(line, point.value, i, lowest, span))
                                           .foregroundColor(extraLineMarkerColours(point, style).fill);
                return kit::View(OutLineDataPointExtraLineView<ChartData>{
                                     .chartData = data, .dataPoint = point, .index = i, .lowest = lowest, .span = span})
                    .background(fill, kit::Alignment::center());
            });
        return kit::Group({rows}).zIndex(1);
    }
};

} // namespace charts
