#pragma once

#include "charts/core/DotStyle.h"

#include <variant>

namespace charts {

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

} // namespace charts
