#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

namespace charts {

// The index of a position worked out by a division (a touch over a section
// width, over the step between points), truncated toward zero. A position
// that is not a finite number inside the signed 64-bit range (a division by
// a zero width or a zero step) gives no index, so it finds no point.
inline std::optional<std::int64_t> positionIndex(double position)
{
    constexpr double limit = 9223372036854775808.0; // 2^63
    if (!std::isfinite(position) || position < -limit || position >= limit)
        return std::nullopt;
    return static_cast<std::int64_t>(position);
}

} // namespace charts
