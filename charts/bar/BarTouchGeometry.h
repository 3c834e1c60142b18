#pragma once

#include "charts/core/PositionIndex.h"

#include <cstddef>
#include <cstdint>
#include <optional>

namespace charts {

// The index of the section, among `count` equal sections of `length`, that
// holds `position` (a coordinate along the same axis), truncated toward
// zero, so a position less than one section before the start still counts
// as section 0. None beyond the sections, and none when the quotient is not
// a finite number in the signed 64-bit range (a chart of zero length).
inline std::optional<std::size_t> barSectionIndex(double position, double length, std::size_t count)
{
    const double section = length / static_cast<double>(count);
    const std::optional<std::int64_t> index = positionIndex(position / section);
    if (!index || *index < 0 || *index >= static_cast<std::int64_t>(count))
        return std::nullopt;
    return static_cast<std::size_t>(*index);
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
