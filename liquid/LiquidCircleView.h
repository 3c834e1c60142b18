#pragma once

#include "kit/base/Cancellable.h"
#include "kit/base/TimerPublisher.h"
#include "kit/ui/State.h"
#include "kit/ui/View.h"
#include "liquid/AnimatableArray.h"

#include <memory>
#include <optional>
#include <tuple>

namespace liquid {

// A blob around the ellipse inscribed in its frame whose angles are drawn
// anew every `period` seconds and animated there linearly over one period.
// It runs while it is on screen: the first morph starts on the next turn of
// the main queue after it appears, and its timer stops when it disappears.
struct LiquidCircleView {
    LiquidCircleView(int samples, double period);

    kit::State<int> samples;
    kit::State<AnimatableArray> radians;
    // Unused; the running timer lives in `cancellable`.
    kit::State<std::optional<kit::TimerPublisher>> trigger;
    // The timer subscription, present while the view is on screen.
    kit::State<std::shared_ptr<kit::Cancellable>> cancellable;
    double period;

    auto dynamicFields() { return std::tie(samples, radians, trigger, cancellable); }
    kit::View body() const;

private:
    void appear() const;
    void disappear() const;
};

} // namespace liquid
