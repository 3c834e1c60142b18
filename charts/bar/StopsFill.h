#pragma once

#include "kit/base/Gradient.h"
#include "kit/base/Paint.h"
#include "kit/base/UnitPoint.h"

#include <vector>

namespace charts {

// The fill of a bar, cell or part drawn in a linear gradient of stops from
// `startPoint` to `endPoint` of its frame (stops sorted by location and held
// to 0 ... 1; nothing for no stops).
struct StopsFill {
    std::vector<kit::Gradient::Stop> stops;
    kit::UnitPoint startPoint;
    kit::UnitPoint endPoint;

    kit::Paint fill() const { return kit::LinearGradient{kit::Gradient(stops), startPoint, endPoint}; }
};

} // namespace charts
