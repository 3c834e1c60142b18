#pragma once

namespace charts {

// Marks the touch-marker enumerations of the charts with axes.
struct MarkerType {};

} // namespace charts
