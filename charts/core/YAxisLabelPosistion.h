#pragma once

namespace charts {

// Side of the y-axis labels.
enum class YAxisLabelPosistion { leading, trailing };

} // namespace charts
