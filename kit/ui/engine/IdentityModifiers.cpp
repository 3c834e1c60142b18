// Explicit identities (id) and named coordinate spaces, and how the host finds
// them on a node.

#include "kit/ui/engine/IdentityModifiers.h"

#include "kit/ui/engine/HostCore.h"
#include "kit/ui/engine/PrimitiveAs.h"

namespace kit::detail {

namespace {

class IdModifier final : public LayoutNeutralModifier {
public:
    IdModifier(View content, AnyKey key) : LayoutNeutralModifier(std::move(content)), key_(std::move(key)) {}
    void update(Node& node) const override { reconcileChild(node, {0, key_, content}); }
    const AnyKey& key() const { return key_; }

private:
    AnyKey key_;
};

class CoordinateSpaceModifier final : public LayoutNeutralModifier {
public:
    CoordinateSpaceModifier(View content, std::string name)
        : LayoutNeutralModifier(std::move(content)), name_(std::move(name))
    {
    }
    const std::string& name() const { return name_; }

private:
    std::string name_;
};

// Registers its node with the host under its key each time it is updated,
// so an anchor reader finds it without walking the tree.
class LayoutAnchorModifier final : public LayoutNeutralModifier {
public:
    LayoutAnchorModifier(View content, AnyKey key) : LayoutNeutralModifier(std::move(content)), key_(std::move(key)) {}
    void update(Node& node) const override
    {
        node.host.registerLayoutAnchor(key_, node);
        LayoutNeutralModifier::update(node);
    }
    const AnyKey& key() const { return key_; }

private:
    AnyKey key_;
};

} // namespace

const AnyKey* layoutAnchorKey(Node& node)
{
    if (auto* m = primitiveAs<LayoutAnchorModifier>(node.primitive.get()))
        return &m->key();
    return nullptr;
}

std::optional<std::string> coordinateSpaceName(Node& node)
{
    if (auto* m = primitiveAs<CoordinateSpaceModifier>(node.primitive.get()))
        return m->name();
    return std::nullopt;
}

const AnyKey* explicitId(Node& node)
{
    if (auto* m = primitiveAs<IdModifier>(node.primitive.get()))
        return &m->key();
    return nullptr;
}

View id(const View& v, AnyKey key)
{
    return View(std::make_shared<IdModifier>(v, std::move(key)));
}

View layoutAnchor(const View& v, AnyKey key)
{
    return View(std::make_shared<LayoutAnchorModifier>(v, std::move(key)));
}

View coordinateSpace(const View& v, std::string name)
{
    return modify(v, [=](View c) { return std::make_shared<CoordinateSpaceModifier>(std::move(c), name); });
}

} // namespace kit::detail
