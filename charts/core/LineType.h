#pragma once

namespace charts {

// Straight segments between points, a smooth curve through them, or horizontal steps.
enum class LineType { line, curvedLine, stepped };

} // namespace charts
