#pragma once

#include "charts/core/DotStyle.h"
#include "charts/core/MarkerAttachment.h"
#include "charts/core/MarkerType.h"
#include "kit/base/Color.h"
#include "kit/base/StrokeStyle.h"

#include <variant>

namespace charts {

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
