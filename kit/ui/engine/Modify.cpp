// How a modifier finds the views it applies to: the view itself, each child
// of a Group or ForEach, or the body of a user view, which is known only when
// the host evaluates it.

#include "kit/ui/ForEach.h"
#include "kit/ui/engine/PrimitiveAs.h"
#include "kit/ui/engine/StructureViews.h"

namespace kit::detail {

namespace {

// A modifier on a user view: identified as the modifier it stands for, it
// holds the user view as its one child and does nothing itself. The user
// view applies the modifier to its body when it is evaluated
// (withDeferredModifiers), to each view of a body that is several.
class DeferredModifier final : public Primitive {
public:
    DeferredModifier(View content, ModifierFactory make)
        : content_(std::move(content)), make_(std::move(make)), standIn_(make_(content_))
    {
    }
    std::type_index type() const override { return standIn_->type(); }
    NodeRole role() const override { return NodeRole::transparent; }
    bool defersModifiers() const override { return true; }
    void update(Node& node) const override { reconcileChild(node, {0, {}, content_}); }
    // Read by stacks through modifiers that wrap this one (an id, say).
    std::optional<double> layoutPriority() const override { return standIn_->layoutPriority(); }
    std::optional<double> zIndex() const override { return standIn_->zIndex(); }
    const ModifierFactory& factory() const { return make_; }

private:
    View content_;
    ModifierFactory make_;
    std::shared_ptr<const Primitive> standIn_; // the modifier around the user view itself
};

// Whether a modifier on `view` goes to views inside it: each child of a
// group or ForEach, the body of a user view, the branch of a conditional
// that holds one of those.
bool spreads(const View& view)
{
    const Primitive* p = view.primitive().get();
    if (primitiveAs<GroupPrimitive>(p) || primitiveAs<ForEachPrimitive>(p) || p->defersModifiers())
        return true;
    const auto* conditional = primitiveAs<ConditionalPrimitive>(p);
    return conditional && spreads(conditional->chosen());
}

} // namespace

View modify(const View& content, const ModifierFactory& make)
{
    const std::shared_ptr<const Primitive>& p = content.primitive();
    if (auto conditional = primitiveAs<ConditionalPrimitive>(p); conditional && spreads(conditional->chosen()))
        return detail::conditional(conditional->condition(), modify(conditional->chosen(), make));
    if (auto group = primitiveAs<GroupPrimitive>(p)) {
        std::vector<View> children;
        for (const View& child : group->children())
            children.push_back(modify(child, make));
        return Group(std::move(children));
    }
    if (auto each = primitiveAs<ForEachPrimitive>(p)) {
        std::vector<std::pair<AnyKey, View>> elements;
        for (const auto& [key, view] : each->elements())
            elements.emplace_back(key, modify(view, make));
        return forEach(std::move(elements));
    }
    if (p->defersModifiers())
        return View(std::make_shared<DeferredModifier>(content, make));
    return View(make(content));
}

View withDeferredModifiers(Node& node, View body)
{
    for (Node* p = node.parent; p; p = p->parent) {
        const auto* deferred = primitiveAs<DeferredModifier>(p->primitive.get());
        if (!deferred)
            break;
        body = modify(body, deferred->factory());
    }
    return body;
}

} // namespace kit::detail
