#pragma once

#include "kit/ui/engine/Primitive.h"

#include <functional>

namespace kit::detail {

// gesture(_:including:): the gesture and its mask, found by the host when a
// press hits this node or a descendant.
class GestureModifier final : public LayoutNeutralModifier {
public:
    GestureModifier(View content, Gesture gesture, GestureMask mask)
        : LayoutNeutralModifier(std::move(content)), gesture(std::move(gesture)), mask(mask)
    {
    }
    Gesture gesture;
    GestureMask mask;
};

struct HoverState {
    bool hovered = false;
};

// Lookups on nodes for the host's pointer input: the action of an
// onHover modifier node and the gesture of a gesture modifier node.
const std::function<void(bool)>* hoverAction(Node& node);
const GestureModifier* gestureModifier(Node& node);

} // namespace kit::detail
