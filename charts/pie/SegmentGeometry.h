#pragma once

#include "kit/base/Point.h"
#include "kit/base/Rect.h"

#include <algorithm>

namespace charts {

// The centre of a pie or doughnut drawn in `rect`, from its width and height
// only: segments, labels and touches all work in the rectangle's own
// coordinates.
inline kit::Point segmentCentre(const kit::Rect& rect) { return {rect.width() * 0.5, rect.height() * 0.5}; }

// The radius of the largest circle that fits `rect`.
inline double segmentRadius(const kit::Rect& rect) { return std::min(rect.width(), rect.height()) * 0.5; }

} // namespace charts
