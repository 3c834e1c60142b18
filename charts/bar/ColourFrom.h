#pragma once

namespace charts {

// Where a bar takes its colour: every bar the bar style's colour, or each
// bar its own data point's colour.
enum class ColourFrom { barStyle, dataPoints };

} // namespace charts
