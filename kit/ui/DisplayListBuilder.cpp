#include "kit/ui/DisplayListBuilder.h"

#include "kit/ui/Primitive.h"

#include <algorithm>
#include <cmath>

namespace kit::detail {

void DisplayListBuilder::drawRoot(Node& root)
{
    drawNode(root, DrawState{});
    finish();
}

int DisplayListBuilder::addElement(Node& node, const DrawState& state)
{
    const Rect f = node.presentedFrame();
    AccessibilityElement e;
    e.frame = Rect(0, 0, f.width(), f.height()).applying(state.transform);
    e.node = node.id;
    entries_.push_back({std::move(e), state.container});
    return int(entries_.size()) - 1;
}

void DisplayListBuilder::finish()
{
    // Children come after their parents, so nest from the back.
    std::vector<std::vector<AccessibilityElement>> children(entries_.size());
    for (std::size_t i = entries_.size(); i-- > 0;) {
        Entry& entry = entries_[i];
        entry.element.children.assign(std::make_move_iterator(children[i].rbegin()),
                                      std::make_move_iterator(children[i].rend()));
        if (entry.parent >= 0)
            children[std::size_t(entry.parent)].push_back(std::move(entry.element));
        else
            elements_.push_back(std::move(entry.element));
    }
    std::reverse(elements_.begin(), elements_.end());
}

void DisplayListBuilder::drawNode(Node& node, DrawState state)
{
    static const std::vector<double> one{1.0};
    state.opacity *= std::clamp(node.value(ChannelKey::transition, one)[0], 0.0, 1.0);
    if (node.removing)
        state.hittable = false;
    if (node.role() == NodeRole::transparent) {
        node.drawTransform = state.transform;
        node.drawOpacity = state.opacity;
        for (Node* child : node.drawables(0))
            drawNode(*child, state);
        return;
    }
    const Rect f = node.presentedFrame();
    state.transform = AffineTransform::translation(f.minX(), f.minY()).concatenating(state.transform);
    node.drawTransform = state.transform;
    node.drawOpacity = state.opacity;
    node.primitive->draw(node, *this, state);
}

void DisplayListBuilder::drawSlot(Node& node, int slot, const DrawState& state)
{
    std::vector<Node*> order = node.drawables(slot);
    std::stable_sort(order.begin(), order.end(), [](Node* a, Node* b) { return a->zIndex() < b->zIndex(); });
    static const std::vector<double> one{1.0};
    for (Node* child : order) {
        // Groups, ForEach elements and user views in between fade and leave too.
        DrawState s = state;
        for (Node* p = child->parent; p && p != &node; p = p->parent) {
            s.opacity *= std::clamp(p->value(ChannelKey::transition, one)[0], 0.0, 1.0);
            if (p->removing)
                s.hittable = false;
        }
        drawNode(*child, s);
    }
}

void DisplayListBuilder::addItem(Node& node, const DrawState& state, DisplayItem item)
{
    if (state.opacity <= 0)
        return;
    item.node = node.id;
    item.transform = state.transform;
    item.opacity = state.opacity;
    item.hittable = item.hittable && state.hittable;
    if (item.frame.isNull() || item.frame == Rect())
        item.frame = Rect(0, 0, node.presentedFrame().width(), node.presentedFrame().height());
    if (state.clips)
        item.clips = *state.clips;
    if (state.shadows && item.kind != DisplayItem::Kind::hitArea)
        item.shadows = *state.shadows;
    if (item.kind == DisplayItem::Kind::text && state.element >= 0 && state.a11y == DrawState::A11y::normal)
        entries_[std::size_t(state.element)].element.role = AccessibilityElement::Role::staticText;
    list_.items.push_back(std::move(item));
}

void DisplayListBuilder::addClip(DrawState& state, Path path, bool evenOdd, bool antialiased)
{
    auto clips = state.clips ? std::make_shared<std::vector<DisplayClip>>(*state.clips)
                             : std::make_shared<std::vector<DisplayClip>>();
    clips->push_back({std::move(path), state.transform, evenOdd, antialiased});
    state.clips = std::move(clips);
}

void DisplayListBuilder::addShadow(DrawState& state, RGBA color, double radius, Point offset)
{
    // Offsets and radii follow the transform in force (its linear part).
    const AffineTransform& t = state.transform;
    const Point hostOffset{t.a * offset.x + t.c * offset.y, t.b * offset.x + t.d * offset.y};
    const double scale = std::sqrt(std::abs(t.a * t.d - t.b * t.c));
    auto shadows = state.shadows ? std::make_shared<std::vector<DisplayShadow>>(*state.shadows)
                                 : std::make_shared<std::vector<DisplayShadow>>();
    shadows->push_back({color, radius * scale, hostOffset});
    state.shadows = std::move(shadows);
}

} // namespace kit::detail
