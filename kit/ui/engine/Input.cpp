// Pointer input: hit-testing, gesture recognition and hover.

#include "kit/ui/engine/Input.h"
#include "kit/base/Clock.h"
#include "kit/ui/engine/HostCore.h"
#include "kit/ui/engine/IdentityModifiers.h"
#include "kit/ui/engine/InputModifiers.h"

#include <QGuiApplication>
#include <QStyleHints>

#include <algorithm>

namespace kit::detail {

namespace {

constexpr double tapTolerance = 10;
constexpr double predictionTime = 0.25;

Node* alive(const std::weak_ptr<NodeAnchor>& weak)
{
    auto a = weak.lock();
    return a && a->node && !a->node->removing ? a->node : nullptr;
}

// A host point in a gesture's coordinate space.
Point locate(Node& gestureNode, Point host, const CoordinateSpace& space)
{
    auto into = [&](Node& n) {
        const auto inverse = n.drawTransform.inverted();
        return inverse ? inverse->apply(host) : host;
    };
    switch (space.kind) {
    case CoordinateSpace::Kind::local:
        return into(gestureNode);
    case CoordinateSpace::Kind::global:
        return host;
    case CoordinateSpace::Kind::named:
        for (Node* a = gestureNode.parent; a; a = a->parent)
            if (coordinateSpaceName(*a) == space.name)
                return into(*a);
        return host;
    }
    return host;
}

DragGesture::Value dragValue(Node& node, const DragGesture& drag, const PointerSession& s, Point host)
{
    DragGesture::Value v;
    v.location = locate(node, host, drag.coordinateSpace);
    v.startLocation = locate(node, s.pressLocation, drag.coordinateSpace);
    v.translation = v.location - v.startLocation;
    v.time = Clock::now();
    const Point ahead = locate(node, host + s.velocity * predictionTime, drag.coordinateSpace);
    v.predictedEndLocation = ahead;
    return v;
}

double doubleClickInterval()
{
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return app->styleHints()->mouseDoubleClickInterval() / 1000.0;
    return 0.4;
}

struct TapCount {
    int count = 0;
    double lastPress = -1;
};

} // namespace

Node* HostCore::hitNode(Point p)
{
    const DisplayList& l = displayList();
    for (auto it = l.items.rbegin(); it != l.items.rend(); ++it) {
        if (!it->hittable || !(it->effectiveOpacity() > 0))
            continue;
        if (it->hitTest(p)) {
            auto n = nodes_.find(it->node);
            if (n != nodes_.end())
                return n->second;
        }
    }
    return nullptr;
}

void HostCore::pressed(Point p)
{
    cancelPointer();
    Node* hit = hitNode(p);
    if (!hit)
        return;
    pointer_ = std::make_unique<PointerSession>();
    PointerSession& s = *pointer_;
    s.pressLocation = s.lastLocation = p;
    s.pressTime = s.lastTime = Clock::now();
    s.hit = hit->anchor;
    // Candidates innermost first; a mask may disable this gesture, the
    // gestures of its subviews, or both.
    for (Node* n = hit; n; n = n->parent) {
        const GestureModifier* g = gestureModifier(*n);
        if (!g)
            continue;
        const auto mask = static_cast<std::uint8_t>(g->mask);
        if (!(mask & static_cast<std::uint8_t>(GestureMask::subviews)))
            s.candidates.clear();
        if (mask & static_cast<std::uint8_t>(GestureMask::gesture))
            s.candidates.push_back({n->anchor, g->gesture, false});
    }
    for (std::size_t i = 0; i < s.candidates.size(); ++i) {
        GestureCandidate& c = s.candidates[i];
        if (auto* tap = std::get_if<TapGesture>(&c.gesture)) {
            if (Node* n = alive(c.node)) {
                TapCount& count = n->data<TapCount>();
                count.count = (count.lastPress >= 0 && s.pressTime - count.lastPress <= doubleClickInterval())
                                  ? count.count + 1
                                  : 1;
                count.lastPress = s.pressTime;
            }
            (void)tap;
        }
    }
    // A drag with minimum distance 0 starts at the press.
    for (std::size_t i = 0; i < s.candidates.size(); ++i) {
        auto* drag = std::get_if<DragGesture>(&s.candidates[i].gesture);
        if (drag && drag->minimumDistance <= 0) {
            s.active = int(i);
            if (Node* n = alive(s.candidates[i].node); n && drag->changed)
                drag->changed(dragValue(*n, *drag, s, p));
            break;
        }
    }
}

void HostCore::moved(Point p)
{
    if (!pointer_)
        return;
    PointerSession& s = *pointer_;
    const double now = Clock::now();
    if (now > s.lastTime)
        s.velocity = (p - s.lastLocation) * (1.0 / (now - s.lastTime));
    s.lastLocation = p;
    s.lastTime = now;
    if (s.active >= 0) {
        GestureCandidate& c = s.candidates[std::size_t(s.active)];
        Node* n = alive(c.node);
        if (!n) {
            cancelPointer();
            return;
        }
        if (auto* drag = std::get_if<DragGesture>(&c.gesture); drag && drag->changed)
            drag->changed(dragValue(*n, *drag, s, p));
        return;
    }
    const double distance = p.distance(s.pressLocation);
    for (std::size_t i = 0; i < s.candidates.size(); ++i) {
        GestureCandidate& c = s.candidates[i];
        if (c.failed)
            continue;
        if (std::holds_alternative<TapGesture>(c.gesture)) {
            if (distance >= tapTolerance)
                c.failed = true;
            continue;
        }
        auto& drag = std::get<DragGesture>(c.gesture);
        if (distance >= drag.minimumDistance) {
            s.active = int(i);
            if (Node* n = alive(c.node); n && drag.changed)
                drag.changed(dragValue(*n, drag, s, p));
            return;
        }
    }
}

void HostCore::released(Point p)
{
    if (!pointer_)
        return;
    std::unique_ptr<PointerSession> session = std::move(pointer_);
    PointerSession& s = *session;
    if (s.active >= 0) {
        GestureCandidate& c = s.candidates[std::size_t(s.active)];
        if (Node* n = alive(c.node))
            if (auto* drag = std::get_if<DragGesture>(&c.gesture); drag && drag->ended)
                drag->ended(dragValue(*n, *drag, s, p));
        return;
    }
    if (p.distance(s.pressLocation) >= tapTolerance)
        return;
    // A tap counts when the release is still over the gesture's view.
    Node* over = hitNode(p);
    for (GestureCandidate& c : s.candidates) {
        auto* tap = std::get_if<TapGesture>(&c.gesture);
        Node* n = alive(c.node);
        if (!tap || c.failed || !n)
            continue;
        bool inside = false;
        for (Node* a = over; a && !inside; a = a->parent)
            inside = a == n;
        if (!inside)
            continue;
        TapCount& count = n->data<TapCount>();
        if (count.count >= tap->count) {
            count.count = 0;
            count.lastPress = -1;
            if (tap->ended)
                tap->ended();
            return;
        }
    }
}

void HostCore::cancelPointer()
{
    pointer_.reset(); // a drag ends without onEnded
}

void HostCore::hover(std::optional<Point> p)
{
    std::vector<Node*> chain;
    if (p)
        for (Node* n = hitNode(*p); n; n = n->parent)
            if (hoverAction(*n))
                chain.push_back(n);
    std::vector<std::function<void()>> actions;
    // Left: the hovered nodes no longer in the chain.
    for (const auto& weak : hovered_)
        if (Node* n = alive(weak); n && std::find(chain.begin(), chain.end(), n) == chain.end()) {
            n->data<HoverState>().hovered = false;
            actions.push_back([action = *hoverAction(*n)] { action(false); });
        }
    std::vector<std::weak_ptr<NodeAnchor>> now;
    for (Node* n : chain) {
        bool& h = n->data<HoverState>().hovered;
        if (!h) {
            h = true;
            actions.push_back([action = *hoverAction(*n)] { action(true); });
        }
        now.push_back(n->anchor);
    }
    hovered_ = std::move(now);
    for (auto& a : actions)
        a();
}

} // namespace kit::detail
