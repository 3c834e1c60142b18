#pragma once

#include "kit/base/Point.h"
#include "kit/ui/CoordinateSpace.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <variant>

namespace kit {

// A drag: it starts once the pointer is `minimumDistance` from the press
// point (0 starts at the press itself); onChanged fires at the start and on
// every move, onEnded on release if it had started.
class DragGesture {
public:
    struct Value {
        Point location;
        Point startLocation;
        Point translation;
        double time = 0;
        Point predictedEndLocation; // location + velocity · 0.25 s
    };
    using Action = std::function<void(const Value&)>;

    explicit DragGesture(double minimumDistance = 10, CoordinateSpace coordinateSpace = CoordinateSpace::local())
        : minimumDistance(minimumDistance), coordinateSpace(std::move(coordinateSpace))
    {
    }
    DragGesture onChanged(Action action) const
    {
        DragGesture g = *this;
        g.changed = std::move(action);
        return g;
    }
    DragGesture onEnded(Action action) const
    {
        DragGesture g = *this;
        g.ended = std::move(action);
        return g;
    }

    double minimumDistance;
    CoordinateSpace coordinateSpace;
    Action changed;
    Action ended;
};

// A tap: recognised on release inside the hit area, having moved less than
// 10 points; `count` presses within the double-click interval.
class TapGesture {
public:
    explicit TapGesture(int count = 1) : count(count) {}
    TapGesture onEnded(std::function<void()> action) const
    {
        TapGesture g = *this;
        g.ended = std::move(action);
        return g;
    }

    int count;
    std::function<void()> ended;
};

using Gesture = std::variant<DragGesture, TapGesture>;

// Which gestures a gesture(_:including:) modifier leaves active.
enum class GestureMask : std::uint8_t {
    none = 0,
    gesture = 1,  // this gesture only: subviews' gestures are disabled
    subviews = 2, // subviews' gestures only: this one is disabled
    all = 3,
};

} // namespace kit
