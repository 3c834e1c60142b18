#pragma once

namespace charts {

// How a chart with axes spreads its data points along the category axis:
// a bar chart gives each of n points an equal slot and marks the slot's
// centre; a line chart puts its first point on the leading edge and its last
// on the trailing edge. Each chart-data class with axes states its kind as
// `static constexpr CategorySpacing categorySpacing`.
enum class CategorySpacing { bar, line };

} // namespace charts
