#pragma once

#include "kit/base/Path.h"
#include "kit/base/Rect.h"
#include "liquid/AnimatableArray.h"

#include <vector>

namespace liquid {

// A blob through given points (x[i], y[i]) in the shape's own drawing
// coordinates: a smooth closed curve, drawn where the points lie whatever the
// frame. Animations interpolate both coordinate lists.
struct LiquidPath {
    AnimatableArray x;
    AnimatableArray y;

    std::vector<kit::Point> points() const;
    kit::Path path(const kit::Rect& rect) const;
};

} // namespace liquid
