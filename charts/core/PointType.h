#pragma once

namespace charts {

// A point marker filled, outlined, or filled and outlined.
enum class PointType { filled, outline, filledOutLine };

} // namespace charts
