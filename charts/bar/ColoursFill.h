#pragma once

#include "kit/base/Color.h"
#include "kit/base/Paint.h"
#include "kit/base/UnitPoint.h"

#include <vector>

namespace charts {

// The fill of a bar, cell or part drawn in a linear gradient of evenly
// spread colours from `startPoint` to `endPoint` of its frame (nothing for
// no colours, one solid colour for one).
struct ColoursFill {
    std::vector<kit::Color> colours;
    kit::UnitPoint startPoint;
    kit::UnitPoint endPoint;

    kit::Paint fill() const { return kit::LinearGradient{kit::Gradient(colours), startPoint, endPoint}; }
};

} // namespace charts
