#include "charts/core/ExtraLineTouchMarker.h"

#include "charts/core/MarkerShapes.h"
#include "kit/ui/Shape.h"
#include "kit/ui/Stacks.h"

namespace charts {

namespace {

kit::View placedDot(const DotStyle& style, kit::Point position, const TouchDotView& touchDot)
{
    return touchDot(style).frame(style.size, style.size).position(position);
}

// The marker's shape made at `position`.
kit::Shape markerShape(const LineMarkerType& marker, kit::Point position)
{
    using M = LineMarkerType;
    if (std::holds_alternative<M::Vertical>(marker.value))
        return Vertical{position};
    if (std::holds_alternative<M::Full>(marker.value))
        return MarkerFull{position};
    if (std::holds_alternative<M::BottomLeading>(marker.value))
        return MarkerBottomLeading{position};
    if (std::holds_alternative<M::BottomTrailing>(marker.value))
        return MarkerBottomTrailing{position};
    if (std::holds_alternative<M::TopLeading>(marker.value))
        return MarkerTopLeading{position};
    return MarkerTopTrailing{position};
}

} // namespace

kit::View extraLineTouchMarker(const ExtraLineData& extraLine, kit::Point touchLocation, const kit::Rect& chartSize,
                               const TouchDotView& touchDot)
{
    const LineMarkerType& marker = extraLine.style.markerType;
    if (const auto* indicator = std::get_if<LineMarkerType::Indicator>(&marker.value)) {
        const auto position = extraLine.extraLinePositionOnLine(touchLocation, chartSize);
        if (!position)
            return kit::EmptyView();
        return placedDot(indicator->style, *position, touchDot);
    }
    const LineMarkerType::LineMarker* lineMarker = marker.lineMarker();
    if (!lineMarker)
        return kit::EmptyView();

    const auto* onLine = std::get_if<MarkerAttachment::Line>(&lineMarker->attachment.value);
    const auto position = onLine ? extraLine.extraLinePositionOnLine(touchLocation, chartSize)
                                 : extraLine.extraLinePointLocation(touchLocation, chartSize);
    if (!position)
        return kit::EmptyView();
    const kit::Shape shape = markerShape(marker, *position);
    if (!onLine)
        return shape.stroke(lineMarker->colour, lineMarker->style);

    // On the line, the bottom-leading marker is drawn in the primary colour at width 2.
    const bool bottomLeading = std::holds_alternative<LineMarkerType::BottomLeading>(marker.value);
    const kit::View stroked =
        bottomLeading ? shape.stroke(kit::Color::primary(), kit::StrokeStyle{.lineWidth = 2})
                      : shape.stroke(lineMarker->colour, lineMarker->style);
    const auto* dot = std::get_if<Dot::Style>(&onLine->dot.value);
    return kit::ZStack({stroked, dot ? placedDot(dot->style, *position, touchDot) : kit::EmptyView()});
}

} // namespace charts
