#include "charts/core/ExtraLineTouchMarker.h"

#include "charts/core/MarkerShapes.h"
#include "kit/ui/Shape.h"
#include "kit/ui/Stacks.h"

namespace charts {

namespace {

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

kit::View placedTouchDot(const DotStyle& style, kit::Point position, const TouchDotView& touchDot)
{
    return touchDot(style).frame(style.size, style.size).position(position);
}

kit::View lineTouchMarkerView(const LineMarkerType& marker, const MarkerPosition& onLine, const MarkerPosition& atPoint,
                              const TouchDotView& touchDot)
{
    if (const auto* indicator = std::get_if<LineMarkerType::Indicator>(&marker.value)) {
        const auto position = onLine();
        if (!position)
            return kit::EmptyView();
        return placedTouchDot(indicator->style, *position, touchDot);
    }
    const LineMarkerType::LineMarker* lineMarker = marker.lineMarker();
    if (!lineMarker)
        return kit::EmptyView();

    const auto* attachedToLine = std::get_if<MarkerAttachment::Line>(&lineMarker->attachment.value);
    const auto position = attachedToLine ? onLine() : atPoint();
    if (!position)
        return kit::EmptyView();
    const kit::Shape shape = markerShape(marker, *position);
    if (!attachedToLine)
        return shape.stroke(lineMarker->colour, lineMarker->style);

    const bool bottomLeading = std::holds_alternative<LineMarkerType::BottomLeading>(marker.value);
    const kit::View stroked = bottomLeading ? shape.stroke(kit::Color::primary(), kit::StrokeStyle{.lineWidth = 2})
                                            : shape.stroke(lineMarker->colour, lineMarker->style);
    const auto* dot = std::get_if<Dot::Style>(&attachedToLine->dot.value);
    return kit::ZStack({stroked, dot ? placedTouchDot(dot->style, *position, touchDot) : kit::EmptyView()});
}

kit::View extraLineTouchMarker(const ExtraLineData& extraLine, kit::Point touchLocation, const kit::Rect& chartSize,
                               const TouchDotView& touchDot)
{
    return lineTouchMarkerView(
        extraLine.style.markerType, [&] { return extraLine.extraLinePositionOnLine(touchLocation, chartSize); },
        [&] { return extraLine.extraLinePointLocation(touchLocation, chartSize); }, touchDot);
}

} // namespace charts
