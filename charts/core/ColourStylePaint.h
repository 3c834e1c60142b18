#pragma once

#include "charts/core/ColourStyle.h"
#include "kit/base/Paint.h"
#include "kit/base/UnitPoint.h"

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

} // namespace charts
