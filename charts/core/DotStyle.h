#pragma once

#include "kit/base/Color.h"

namespace charts {

// The dot drawn at a touched point: its diameter, fill, outline and outline width.
struct DotStyle {
    double size;
    kit::Color fillColour;
    kit::Color lineColour;
    double lineWidth;
};

} // namespace charts
