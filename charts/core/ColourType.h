#pragma once

namespace charts {

// Which member of a ColourStyle applies.
enum class ColourType { colour, gradientColour, gradientStops };

} // namespace charts
