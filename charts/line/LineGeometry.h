#pragma once

#include "kit/base/Point.h"
#include "kit/base/Rect.h"

#include <cmath>
#include <cstddef>

namespace charts {

// Where the points of one line stand in a chart rectangle W wide and H high
// (only the size counts, never the origin). Point i of n stands at
// x = i × W / (n − 1), the first on the left edge and the last on the right
// edge; a line of one point (or none) stands at x 0. A value v stands at
// y = H − (v − minValue) × H / range: minValue on the bottom edge,
// minValue + range on the top edge, nothing clamped. A range of 0 or one
// that is not a finite number puts every value on the bottom edge.
struct LineGeometry {
    double width = 0;
    double height = 0;
    std::size_t count = 0;
    double minValue = 0;
    double range = 0;

    LineGeometry(const kit::Rect& rect, std::size_t count, double minValue, double range)
        : width(rect.width()), height(rect.height()), count(count), minValue(minValue), range(range)
    {
    }

    // The horizontal distance between neighbouring points; 0 for fewer than two.
    double step() const { return count > 1 ? width / static_cast<double>(count - 1) : 0; }
    double x(std::size_t index) const { return step() * static_cast<double>(index); }
    double y(double value) const
    {
        if (range == 0 || !std::isfinite(range))
            return height;
        return height - (value - minValue) * height / range;
    }
    kit::Point point(std::size_t index, double value) const { return {x(index), y(value)}; }
};

// Whether a value can be drawn at all: values that are not finite numbers
// are left out of lines, bands, markers and marker positions.
inline bool isDrawableValue(double value)
{
    return std::isfinite(value);
}

} // namespace charts
