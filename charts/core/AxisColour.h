#pragma once

#include "charts/core/ColourStyle.h"

#include <variant>

namespace charts {

// The colour marker beside the y-axis labels: coloured from the chart's
// style, from a given colour, or no marker; with the marker's size.
struct AxisColour {
    struct Style {
        double size = 0;
    };
    struct Custom {
        ColourStyle colour;
        double size = 0;
    };
    struct None {};

    std::variant<Style, Custom, None> value;

    static AxisColour style(double size) { return {Style{size}}; }
    static AxisColour custom(ColourStyle colour, double size) { return {Custom{std::move(colour), size}}; }
    static AxisColour none() { return {None{}}; }
};

} // namespace charts
