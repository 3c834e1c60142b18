#include "kit/ui/GeometryReader.h"

#include "kit/ui/engine/GroupLayout.h"
#include "kit/ui/engine/HostCore.h"
#include "kit/ui/engine/IdentityModifiers.h"
#include "kit/ui/engine/Primitive.h"
#include "kit/ui/engine/StackLayout.h"

namespace kit {

Rect GeometryProxy::frame(const CoordinateSpace& space) const
{
    const Rect local(0, 0, size.width, size.height);
    switch (space.kind) {
    case CoordinateSpace::Kind::local:
        return local;
    case CoordinateSpace::Kind::global:
        return local.applying(toHost);
    case CoordinateSpace::Kind::named:
        for (const auto& [name, spaceToHost] : namedSpaces)
            if (name == space.name)
                if (auto inverse = spaceToHost.inverted())
                    return local.applying(toHost.concatenating(*inverse));
        return local.applying(toHost);
    }
    return local;
}

namespace {

// A frame in host coordinates seen from a reader whose local-to-host
// transform is `toHost`.
std::optional<Rect> fromHost(const std::optional<Rect>& host, const AffineTransform& toHost)
{
    if (!host)
        return std::nullopt;
    const std::optional<AffineTransform> inverse = toHost.inverted();
    return inverse ? std::optional<Rect>(host->applying(*inverse)) : std::nullopt;
}

} // namespace

std::optional<Rect> GeometryProxy::anchor(const AnyKey& key) const
{
    return anchorFrame ? fromHost(anchorFrame(key), toHost) : std::nullopt;
}

std::optional<Rect> GeometryProxy::scopeFrame(const AnyKey& key) const
{
    return scopeFrameOf ? fromHost(scopeFrameOf(key), toHost) : std::nullopt;
}

namespace detail {

AffineTransform targetTransformToHost(Node& node)
{
    AffineTransform t;
    Node* n = &node;
    while (n && n->role() == NodeRole::transparent)
        n = n->parent;
    while (n) {
        t = t.concatenating(AffineTransform::translation(n->frame.origin.x, n->frame.origin.y));
        Node* parent = n->layoutParent();
        if (parent)
            if (auto content = parent->primitive->contentTransform(*parent, parent->frame.size, false))
                t = t.concatenating(*content);
        n = parent;
    }
    return t;
}

namespace {

class GeometryReaderPrimitive final : public Primitive {
public:
    GeometryReaderPrimitive(std::function<View(const GeometryProxy&)> content, bool readsAnchors)
        : content_(std::move(content)), readsAnchors_(readsAnchors)
    {
    }
    NodeRole role() const override { return NodeRole::container; }
    // It takes what it is offered, whatever its content.
    bool sameLayout(const Primitive&) const override { return true; }
    bool sizeIgnoresChildren() const override { return true; }
    bool placesFromHost() const override { return true; }

    void placeChildren(Node& node, ProposedSize, Size size) const override
    {
        if (readsAnchors_) {
            node.host.deferPlacement(node);
            return;
        }
        build(node, size);
    }
    void placeDeferred(Node& node) const override { build(node, node.frame.size); }

private:
    void build(Node& node, Size size) const
    {
        GeometryProxy proxy;
        proxy.size = size;
        proxy.toHost = targetTransformToHost(node);
        for (Node* a = node.parent; a; a = a->parent)
            if (auto name = coordinateSpaceName(*a))
                proxy.namedSpaces.emplace_back(*name, targetTransformToHost(*a));
        if (readsAnchors_) {
            HostCore& host = node.host;
            proxy.anchorFrame = [&host](const AnyKey& key) { return host.anchorFrame(key); };
            proxy.scopeFrameOf = [&host](const AnyKey& key) { return host.scopeFrame(key); };
        }
        View content;
        {
            HostCore::EvaluationScope evaluating(node.host);
            content = content_(proxy);
        }
        reconcileChild(node, {0, {}, content});
        const std::vector<Node*> items = node.items(0);
        assignAxis(items, std::nullopt);
        placeItems(items, {0, 0}, size, size, Arrangement::depth, Alignment::topLeading());
    }

    std::function<View(const GeometryProxy&)> content_;
    bool readsAnchors_;
};

} // namespace
} // namespace detail

View GeometryReader(std::function<View(const GeometryProxy&)> content)
{
    return View(std::make_shared<detail::GeometryReaderPrimitive>(std::move(content), false));
}

View AnchorReader(std::function<View(const GeometryProxy&)> content)
{
    return View(std::make_shared<detail::GeometryReaderPrimitive>(std::move(content), true));
}

} // namespace kit
