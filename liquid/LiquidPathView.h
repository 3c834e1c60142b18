#pragma once

#include "kit/base/Cancellable.h"
#include "kit/base/Path.h"
#include "kit/base/TimerPublisher.h"
#include "kit/ui/State.h"
#include "kit/ui/View.h"
#include "liquid/AnimatableArray.h"
#include "liquid/PointCloud.h"

#include <memory>
#include <tuple>

namespace liquid {

// A blob through points picked at random from the outline of a path, picked
// anew on every tick of a timer and animated there linearly over one period.
// The timer starts with the view value and ends with it (when the last copy
// goes) or when the view disappears, whichever comes first; a view that
// disappeared morphs once more when it reappears and then rests.
struct LiquidPathView {
    LiquidPathView(const kit::Path& path, int pointCount, int samples, double period);

    PointCloud pointCloud;
    kit::State<AnimatableArray> x{AnimatableArray::zero()};
    kit::State<AnimatableArray> y{AnimatableArray::zero()};
    kit::State<int> samples;
    double period;
    kit::TimerPublisher trigger;
    // The connection of `trigger`, shared by the copies of this view value.
    std::shared_ptr<kit::Cancellable> cancellable;

    auto dynamicFields() { return std::tie(x, y, samples); }
    kit::View body() const;
};

} // namespace liquid
