#pragma once

namespace charts {

// Y-axis labels computed from the value range, or taken from the chart data's own list.
enum class YAxisLabelType { numeric, custom };

} // namespace charts
