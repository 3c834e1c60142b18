#pragma once

#include "kit/base/Path.h"
#include "kit/base/Point.h"

#include <vector>

namespace liquid {

// A closed curve of cubic segments through every point, in order. The tangent
// at each point is parallel to the chord between its two neighbours, and each
// handle is a third of the distance to the neighbour on its side. The path
// starts at the last point and its last segment ends there again (no close
// element). Fewer than three points make no curve: the result is empty.
kit::Path smoothClosedCurve(const std::vector<kit::Point>& points);

} // namespace liquid
