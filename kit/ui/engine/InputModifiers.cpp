// Gestures and hover, and how the host finds them on a node (Input.cpp).

#include "kit/ui/engine/InputModifiers.h"

namespace kit::detail {

namespace {

class HoverModifier final : public LayoutNeutralModifier {
public:
    HoverModifier(View content, std::function<void(bool)> action)
        : LayoutNeutralModifier(std::move(content)), action_(std::move(action))
    {
    }
    void disappeared(Node& node, std::vector<std::function<void()>>& actions) const override
    {
        bool& hovered = node.data<HoverState>().hovered;
        if (hovered) {
            hovered = false;
            actions.push_back([action = action_] { action(false); });
        }
    }
    const std::function<void(bool)>& action() const { return action_; }

private:
    std::function<void(bool)> action_;
};

} // namespace

const std::function<void(bool)>* hoverAction(Node& node)
{
    if (auto* m = dynamic_cast<const HoverModifier*>(node.primitive.get()))
        return &m->action();
    return nullptr;
}

const GestureModifier* gestureModifier(Node& node)
{
    return dynamic_cast<const GestureModifier*>(node.primitive.get());
}

View gesture(const View& v, Gesture g, GestureMask mask)
{
    return modify(v, [=](View c) { return std::make_shared<GestureModifier>(std::move(c), g, mask); });
}

View onHover(const View& v, std::function<void(bool)> action)
{
    return modify(v, [=](View c) { return std::make_shared<HoverModifier>(std::move(c), action); });
}

} // namespace kit::detail
