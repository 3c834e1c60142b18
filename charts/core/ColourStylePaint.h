#pragma once

#include "charts/core/ColourStyle.h"
#include "kit/base/Paint.h"
#include "kit/base/UnitPoint.h"
#include "kit/ui/View.h"

#include <optional>

namespace charts {

// The paint a ColourStyle describes, for filling or stroking a shape. A
// gradient is a linear one, its colours evenly spread or its stops sorted by
// location and held to 0...1; it paints nothing when it has no colour and
// one solid colour when it has one.

// By the style's colourType: `colour` paints the flat colour; `gradientColour`
// the colours and `gradientStops` the stops, from startPoint to endPoint.
// Nothing (nullopt) when a member that kind needs is missing, so that each
// view can apply its own rule then.
std::optional<kit::Paint> colourStylePaint(const ColourStyle& style);

// By the first member present, in the order colour, colours, stops, whatever
// colourType says: gradients run from the style's own start point to its end
// point, and without both a gradient paints nothing (nullopt).
std::optional<kit::Paint> firstPresentPaint(const ColourStyle& style);

// The same, with every gradient running from `start` to `end` whatever the
// style's own points.
std::optional<kit::Paint> firstPresentPaint(const ColourStyle& style, kit::UnitPoint start, kit::UnitPoint end);

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
