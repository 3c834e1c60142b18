#pragma once

#include "kit/ui/Gesture.h"
#include "kit/ui/engine/Node.h"

#include <memory>
#include <vector>

namespace kit::detail {

// One gesture that may recognise the current press.
struct GestureCandidate {
    std::weak_ptr<NodeAnchor> node; // the gesture modifier's node
    Gesture gesture;
    bool failed = false;
};

// From press to release: the candidates, innermost first, and the one that
// recognised the sequence.
struct PointerSession {
    Point pressLocation;
    double pressTime = 0;
    Point lastLocation;
    double lastTime = 0;
    Point velocity; // host points per second
    std::vector<GestureCandidate> candidates;
    int active = -1;
    std::weak_ptr<NodeAnchor> hit;
};

} // namespace kit::detail
