#pragma once

#include "charts/core/MarkerTypes.h"
#include "kit/base/Color.h"
#include "kit/base/StrokeStyle.h"

#include <variant>

namespace charts {

// What a touch draws on a bar chart: a cross through the touched bar's
// marker position (`vertical` draws the same cross as `full`), a corner
// marker whose two arms come from the named side and the named top or
// bottom edge, or nothing. All but `none` carry the colour and stroke with
// which the marker is drawn.
struct BarMarkerType : MarkerType {
    // The payload of the six drawn markers.
    struct Marker {
        kit::Color colour;
        kit::StrokeStyle style;
    };
    struct Vertical : Marker {};
    struct Full : Marker {};
    struct BottomLeading : Marker {};
    struct BottomTrailing : Marker {};
    struct TopLeading : Marker {};
    struct TopTrailing : Marker {};
    struct None {};

    std::variant<Vertical, Full, BottomLeading, BottomTrailing, TopLeading, TopTrailing, None> value;

    BarMarkerType(decltype(value) value) : value(std::move(value)) {}

    static BarMarkerType vertical(kit::Color colour, kit::StrokeStyle style)
    {
        return drawn<Vertical>(colour, std::move(style));
    }
    static BarMarkerType full(kit::Color colour, kit::StrokeStyle style)
    {
        return drawn<Full>(colour, std::move(style));
    }
    static BarMarkerType bottomLeading(kit::Color colour, kit::StrokeStyle style)
    {
        return drawn<BottomLeading>(colour, std::move(style));
    }
    static BarMarkerType bottomTrailing(kit::Color colour, kit::StrokeStyle style)
    {
        return drawn<BottomTrailing>(colour, std::move(style));
    }
    static BarMarkerType topLeading(kit::Color colour, kit::StrokeStyle style)
    {
        return drawn<TopLeading>(colour, std::move(style));
    }
    static BarMarkerType topTrailing(kit::Color colour, kit::StrokeStyle style)
    {
        return drawn<TopTrailing>(colour, std::move(style));
    }
    static BarMarkerType none() { return {None{}}; }

    // The colour and stroke of a drawn marker, or null for `none`.
    const Marker* marker() const { return payloadOf<Marker>(value); }

private:
    template <class Case>
    static BarMarkerType drawn(kit::Color colour, kit::StrokeStyle style)
    {
        return {Case{{.colour = colour, .style = std::move(style)}}};
    }
};

} // namespace charts
