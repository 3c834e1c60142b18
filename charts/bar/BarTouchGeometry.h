#pragma once

#include "charts/core/PositionIndex.h"

#include <cstddef>
#include <cstdint>
#include <optional>

namespace charts {

// One of `count` equal sections of a length: its index and its size.
struct BarSection {
    std::size_t index;
    double size;

    // The middle of the section, from the start of the length.
    double middle() const { return size * 0.5 + size * static_cast<double>(index); }
};

// The section, among `count` equal sections of `length`, that holds
// `position` (a coordinate along the same axis), its index truncated toward
// zero, so a position less than one section before the start still counts
// as section 0. None beyond the sections, and none when the quotient is not
// a finite number in the signed 64-bit range (a chart of zero length).
inline std::optional<BarSection> barSection(double position, double length, std::size_t count)
{
    const double size = length / static_cast<double>(count);
    const std::optional<std::int64_t> index = positionIndex(position / size);
    if (!index || *index < 0 || *index >= static_cast<std::int64_t>(count))
        return std::nullopt;
    return BarSection{static_cast<std::size_t>(*index), size};
}

// How far below the top of a vertical bar chart `height` high the top of a
// bar of `value` stands, on an axis from `minValue` to `maxValue`. With a
// negative minimum the axis is scaled over the whole range; otherwise from
// 0, so a positive minimum plays no part. A range (or maximum) of 0 gives a
// coordinate that is not finite.
inline double barTopY(double value, double height, double minValue, double maxValue)
{
    if (minValue < 0)
        return height - (value - minValue) * height / (maxValue - minValue);
    return height - height / maxValue * value;
}

} // namespace charts
