#pragma once

#include "kit/base/Path.h"
#include "kit/base/Rect.h"
#include "kit/ui/Shape.h"
#include "liquid/AnimatableArray.h"

#include <vector>

namespace liquid {

// A blob around the ellipse inscribed in its frame: a smooth closed curve
// through one point per angle. Animations interpolate the angles.
struct LiquidCircle : kit::ShapeBase<LiquidCircle> {
    AnimatableArray radians;

    LiquidCircle() = default;
    explicit LiquidCircle(AnimatableArray radians) : radians(std::move(radians)) {}

    // `samples` random angles in radians, one in each equal sector of the full
    // turn, all shifted by one shared offset of at most half a sector. No
    // samples give no angles.
    static AnimatableArray sampleRadians(int samples);

    // The points of the blob in `rect`, on its inscribed ellipse.
    std::vector<kit::Point> points(const kit::Rect& rect) const;
    kit::Path path(const kit::Rect& rect) const;

    kit::AnimatableData animatableData() const { return {radians.values}; }
    void setAnimatableData(const kit::AnimatableData& data) { radians.values = data.first; }
};

} // namespace liquid
