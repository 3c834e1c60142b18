#pragma once

#include "kit/base/Path.h"
#include "kit/base/Rect.h"
#include "kit/ui/Shape.h"
#include "liquid/AnimatableArray.h"

#include <vector>

namespace liquid {

// A blob through given points (x[i], y[i]) in the shape's own drawing
// coordinates: a smooth closed curve, drawn where the points lie whatever the
// frame. Animations interpolate both coordinate lists.
struct LiquidPath : kit::ShapeBase<LiquidPath> {
    AnimatableArray x;
    AnimatableArray y;

    LiquidPath() = default;
    LiquidPath(AnimatableArray x, AnimatableArray y) : x(std::move(x)), y(std::move(y)) {}

    std::vector<kit::Point> points() const;
    kit::Path path(const kit::Rect& rect) const;

    kit::AnimatableData animatableData() const { return {x.values, y.values}; }
    void setAnimatableData(const kit::AnimatableData& data)
    {
        x.values = data.first;
        y.values = data.second;
    }
};

} // namespace liquid
