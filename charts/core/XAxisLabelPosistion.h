#pragma once

namespace charts {

// Side of the x-axis labels.
enum class XAxisLabelPosistion { top, bottom };

} // namespace charts
