#pragma once

#include "charts/core/ColourStylePaint.h"
#include "kit/base/Color.h"
#include "kit/base/Gradient.h"
#include "kit/base/Paint.h"
#include "kit/base/UnitPoint.h"
#include "kit/ui/View.h"

#include <optional>
#include <vector>

namespace charts {

// The three fills of a bar, a ranged cell or a stacked part: one colour, a
// linear gradient of evenly spread colours, or a linear gradient of stops.
// A view drawn in one of them derives from it and paints with `fill()`.

// One colour.
struct ColourFill {
    kit::Color colour;

    kit::Paint fill() const { return colour; }
};

// A linear gradient of evenly spread colours from `startPoint` to
// `endPoint` of the view's frame (nothing for no colours, one solid colour
// for one).
struct ColoursFill {
    std::vector<kit::Color> colours;
    kit::UnitPoint startPoint;
    kit::UnitPoint endPoint;

    kit::Paint fill() const { return kit::LinearGradient{kit::Gradient(colours), startPoint, endPoint}; }
};

// A linear gradient of stops from `startPoint` to `endPoint` of the view's
// frame (stops sorted by location and held to 0 ... 1; nothing for no
// stops). The caller turns the chart library's stops into the toolkit's
// (GradientStop::convert).
struct StopsFill {
    std::vector<kit::Gradient::Stop> stops;
    kit::UnitPoint startPoint;
    kit::UnitPoint endPoint;

    kit::Paint fill() const { return kit::LinearGradient{kit::Gradient(stops), startPoint, endPoint}; }
};

// The view `make(fill)` gives for the fill `style`'s kind of colour calls
// for; none when the style lacks a member its kind needs.
template <class Make>
std::optional<kit::View> viewForFill(const ColourStyle& style, Make make)
{
    return viewForColourKind(
        style, [&](const kit::Color& c) { return make(ColourFill{.colour = c}); },
        [&](const std::vector<kit::Color>& cs, kit::UnitPoint start, kit::UnitPoint end) {
            return make(ColoursFill{.colours = cs, .startPoint = start, .endPoint = end});
        },
        [&](const std::vector<kit::Gradient::Stop>& stops, kit::UnitPoint start, kit::UnitPoint end) {
            return make(StopsFill{.stops = stops, .startPoint = start, .endPoint = end});
        });
}

} // namespace charts
