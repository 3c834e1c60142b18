#pragma once

namespace charts {

// The outline of a point marker.
enum class PointShape { circle, square, roundSquare };

} // namespace charts
