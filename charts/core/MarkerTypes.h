#pragma once

// What a touch draws on a chart with axes: the marker enumerations' common
// base, the touch dot and its style, where a line marker attaches, and the
// markers of a line. The shapes the markers draw are in MarkerShapes.h.

#include "kit/base/Color.h"
#include "kit/base/StrokeStyle.h"

#include <type_traits>
#include <variant>

namespace charts {

// Marks the touch-marker enumerations of the charts with axes. Their cases
// are structs in a variant `value`; the drawn cases derive from one payload
// struct (colour, stroke, ...).
struct MarkerType {
    // The payload of the case `value` holds, or null for a case without one.
    template <class Payload, class... Cases>
    static const Payload* payloadOf(const std::variant<Cases...>& value)
    {
        return std::visit(
            [](const auto& c) -> const Payload* {
                if constexpr (std::is_base_of_v<Payload, std::decay_t<decltype(c)>>)
                    return &c;
                else
                    return nullptr;
            },
            value);
    }
};

// The dot drawn at a touched point: its diameter, fill, outline and outline width.
struct DotStyle {
    double size;
    kit::Color fillColour;
    kit::Color lineColour;
    double lineWidth;
};

// A dot drawn at the touched point in a given style, or no dot.
struct Dot {
    struct Style {
        DotStyle style;
    };
    struct None {};

    std::variant<Style, None> value;

    static Dot style(DotStyle style) { return {Style{style}}; }
    static Dot none() { return {None{}}; }
};

// Where a line marker attaches: to the drawn line, with the dot drawn there,
// or to the nearest data point.
struct MarkerAttachment {
    struct Line {
        Dot dot;
    };
    struct Point {};

    std::variant<Line, Point> value;

    static MarkerAttachment line(Dot dot) { return {Line{std::move(dot)}}; }
    static MarkerAttachment point() { return {Point{}}; }
};

// What a touch draws on a line: only a dot; a vertical line; a full cross; a
// corner marker whose two arms come from the named side and the named top or
// bottom edge; or nothing. The six line markers carry where they attach,
// their colour and their stroke.
struct LineMarkerType : MarkerType {
    struct Indicator {
        DotStyle style;
    };
    // The payload of the six line markers.
    struct LineMarker {
        MarkerAttachment attachment;
        kit::Color colour;
        kit::StrokeStyle style;
    };
    struct Vertical : LineMarker {};
    struct Full : LineMarker {};
    struct BottomLeading : LineMarker {};
    struct BottomTrailing : LineMarker {};
    struct TopLeading : LineMarker {};
    struct TopTrailing : LineMarker {};
    struct None {};

    std::variant<Indicator, Vertical, Full, BottomLeading, BottomTrailing, TopLeading, TopTrailing, None> value;

    LineMarkerType(decltype(value) value) : value(std::move(value)) {}

    static LineMarkerType indicator(DotStyle style) { return {Indicator{style}}; }
    static LineMarkerType vertical(MarkerAttachment attachment, kit::Color colour, kit::StrokeStyle style)
    {
        return drawn<Vertical>(std::move(attachment), colour, std::move(style));
    }
    static LineMarkerType full(MarkerAttachment attachment, kit::Color colour, kit::StrokeStyle style)
    {
        return drawn<Full>(std::move(attachment), colour, std::move(style));
    }
    static LineMarkerType bottomLeading(MarkerAttachment attachment, kit::Color colour, kit::StrokeStyle style)
    {
        return drawn<BottomLeading>(std::move(attachment), colour, std::move(style));
    }
    static LineMarkerType bottomTrailing(MarkerAttachment attachment, kit::Color colour, kit::StrokeStyle style)
    {
        return drawn<BottomTrailing>(std::move(attachment), colour, std::move(style));
    }
    static LineMarkerType topLeading(MarkerAttachment attachment, kit::Color colour, kit::StrokeStyle style)
    {
        return drawn<TopLeading>(std::move(attachment), colour, std::move(style));
    }
    static LineMarkerType topTrailing(MarkerAttachment attachment, kit::Color colour, kit::StrokeStyle style)
    {
        return drawn<TopTrailing>(std::move(attachment), colour, std::move(style));
    }
    static LineMarkerType none() { return {None{}}; }

    // The payload of a line marker, or null for indicator and none.
    const LineMarker* lineMarker() const { return payloadOf<LineMarker>(value); }

private:
    template <class Case>
    static LineMarkerType drawn(MarkerAttachment attachment, kit::Color colour, kit::StrokeStyle style)
    {
        return {Case{{std::move(attachment), colour, std::move(style)}}};
    }
};

} // namespace charts
