#pragma once

#include "charts/core/Dot.h"

#include <variant>

namespace charts {

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

} // namespace charts
