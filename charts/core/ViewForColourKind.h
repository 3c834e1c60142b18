#pragma once

#include "charts/core/ColourStyle.h"
#include "charts/core/ColourStylePaint.h"
#include "charts/core/GradientStop.h"
#include "kit/ui/View.h"

#include <optional>
#include <vector>

namespace charts {

// The view that the kind of `style` calls for, from one of three makers:
// `colour(c)` for a flat colour, `colours(cs, start, end)` for a gradient of
// colours, `stops(stops, start, end)` for a gradient of stops (already the
// toolkit's stops, in their order). None when the style lacks a member its
// kind needs (the colour; the colours or stops and both end points): each
// view decides what such a part becomes.
template <class Colour, class Colours, class Stops>
std::optional<kit::View> viewForColourKind(const ColourStyle& style, Colour colour, Colours colours, Stops stops)
{
    const bool ends = style.startPoint && style.endPoint;
    switch (style.colourType) {
    case ColourType::colour:
        if (style.colour)
            return kit::View(colour(*style.colour));
        break;
    case ColourType::gradientColour:
        if (style.colours && ends)
            return kit::View(colours(*style.colours, *style.startPoint, *style.endPoint));
        break;
    case ColourType::gradientStops:
        if (style.stops && ends)
            return kit::View(stops(GradientStop::convert(*style.stops), *style.startPoint, *style.endPoint));
        break;
    }
    return std::nullopt;
}

// Whether `style` holds every member its kind needs.
inline bool hasColourOfItsKind(const ColourStyle& style)
{
    return colourStylePaint(style).has_value();
}

} // namespace charts
