#pragma once

#include "kit/ui/View.h"
#include "kit/ui/engine/Node.h"

#include <functional>
#include <optional>
#include <span>
#include <typeindex>
#include <vector>

namespace kit::detail {

class DisplayListBuilder;
struct DrawState;

// A child view for a node, in one of the node's slots, under a key.
struct ChildSpec {
    int slot = 0;
    AnyKey key;
    View view;
};

// Where animation bookkeeping collects a node's animatable targets.
class TargetSink {
public:
    virtual ~TargetSink() = default;
    virtual void set(ChannelKey key, const std::vector<double>& value, std::size_t shape = 0) = 0;
};

// The immutable description behind a View, and the behaviour of the nodes
// built from it. Each kind of view and modifier is one subclass.
class Primitive {
public:
    virtual ~Primitive() = default;

    // The type that takes part in identity (user views report their own type).
    virtual std::type_index type() const { return typeid(*this); }
    virtual NodeRole role() const = 0;
    // User views and user modifiers: a modifier on one applies to each view
    // of its body, which is known only when the host evaluates it.
    virtual bool defersModifiers() const { return false; }

    // Reconciliation: evaluate (user views) and hand the children to the host.
    virtual void update(Node& node) const;
    // Environment changes this primitive makes for its subtree.
    virtual bool adjustsEnvironment() const { return false; }
    virtual void adjustEnvironment(EnvironmentValues&) const {}
    // Transaction changes for the subtree (transaction and animation modifiers).
    virtual void adjustTransaction(Node&, Transaction&) const {}

    // Layout (not called for transparent nodes).
    virtual Size sizeThatFits(Node& node, ProposedSize proposal) const;
    virtual void placeChildren(Node& node, ProposedSize proposal, Size size) const;
    virtual std::optional<double> explicitGuide(Node& node, HorizontalAlignment g, Size size) const;
    virtual std::optional<double> explicitGuide(Node& node, VerticalAlignment g, Size size) const;
    virtual std::optional<double> layoutPriority() const { return std::nullopt; }
    virtual std::optional<double> zIndex() const { return std::nullopt; }
    // Whether a node that had this primitive measures, places and aligns the
    // same with `other` (of the same class) in its place, given the same
    // environment and children: whatever of this primitive its layout reads
    // (lengths, alignment, spacing, text) is equal. A node keeps the sizes it
    // measured across passes only then, so a primitive that reads anything
    // else, or cannot compare it (a closure), says false, the default.
    virtual bool sameLayout(const Primitive& /*other*/) const { return false; }
    // Whether its size never depends on its children (a geometry reader
    // takes what it is offered): a change below it leaves the sizes it and
    // its ancestors measured standing.
    virtual bool sizeIgnoresChildren() const { return false; }
    // Whether what it places depends on where it sits in the host (a
    // geometry reader builds its content from its frame in the host): it and
    // its ancestors are placed again every pass.
    virtual bool placesFromHost() const { return false; }

    // The transform a modifier applies to its content (offset, scale,
    // rotation), from presented values or from targets.
    virtual std::optional<AffineTransform> contentTransform(Node&, Size, bool /*presented*/) const
    {
        return std::nullopt;
    }
    // Animatable targets after layout.
    virtual void targets(Node&, TargetSink&) const {}
    // Animated values a primitive keeps itself rather than in the node's
    // channels (the marks of a Marks view). After layout they are moved
    // towards their new targets with `transaction` (`snap`: the node is new;
    // `fades`: the update is animated on a shown host); advanceOwnValues
    // moves them to `now` and says whether any still runs, ownValuesMoving
    // whether one runs now.
    virtual void retargetOwnValues(Node&, const Transaction& /*transaction*/, double /*now*/, bool /*snap*/,
                                   bool /*fades*/) const
    {
    }
    virtual bool advanceOwnValues(Node&, double /*now*/) const { return false; }
    virtual bool ownValuesMoving(const Node&) const { return false; }

    // Lifecycle: a fresh node's appear actions go to `chain` (the host runs
    // one view's chain innermost first), subscriptions to `subscriptions`;
    // a leaving node's disappear actions go to `actions`.
    virtual void appeared(Node&, std::vector<std::function<void()>>& /*chain*/,
                          std::vector<std::function<void()>>& /*subscriptions*/) const
    {
    }
    virtual void disappeared(Node&, std::vector<std::function<void()>>& /*actions*/) const {}

    // Placement put off until the pass has placed everything else (an
    // anchor reader asked for it with HostCore::deferPlacement).
    virtual void placeDeferred(Node&) const {}

    // Drawing: the default draws the children of every slot in order.
    virtual void draw(Node& node, DisplayListBuilder& builder, const DrawState& state) const;
};

// A modifier: one content view in slot 0. By default it takes its content's
// size and places it at its own origin.
class ModifierPrimitive : public Primitive {
public:
    explicit ModifierPrimitive(View content) : content(std::move(content)) {}
    NodeRole role() const override { return NodeRole::modifier; }
    void update(Node& node) const override;
    Size sizeThatFits(Node& node, ProposedSize proposal) const override;
    void placeChildren(Node& node, ProposedSize proposal, Size size) const override;
    std::optional<double> explicitGuide(Node& node, HorizontalAlignment g, Size size) const override;
    std::optional<double> explicitGuide(Node& node, VerticalAlignment g, Size size) const override;
    std::optional<double> layoutPriority() const override;
    std::optional<double> zIndex() const override;

    View content;
};

// A modifier that takes no part in layout (it draws, adds elements or
// actions, changes the transaction or environment): its content's layout
// is all there is of its own. A subclass must not override the layout hooks.
class LayoutNeutralModifier : public ModifierPrimitive {
public:
    using ModifierPrimitive::ModifierPrimitive;
    bool sameLayout(const Primitive&) const final { return true; }
};

// `other` as the class of `self`, which sameLayout's callers guarantee.
template <class P>
const P& sameClass(const P&, const Primitive& other)
{
    return static_cast<const P&>(other);
}

// Reconciles `node`'s children with `specs` (the host's reconciler).
void reconcileChildren(Node& node, std::vector<ChildSpec> specs);
void reconcileChildren(Node& node, std::span<ChildSpec> specs);
// Reconciles `node`'s only child with `spec`, without a list of them.
void reconcileChild(Node& node, ChildSpec spec);
// Children in slot 0 keyed by their position.
std::vector<ChildSpec> positional(const std::vector<View>& children);

// Makes a modifier's primitive around its content.
using ModifierFactory = std::function<std::shared_ptr<const Primitive>(View content)>;
// Applies a modifier to a view, or to each child of a Group or ForEach. On a
// user view the modifier waits in a node of its own until the body is known
// (see withDeferredModifiers).
View modify(const View& content, const ModifierFactory& make);
// `body` of the user view (or user modifier) at `node` with the modifiers
// that wait above that node applied, innermost first: to each of its views
// when it is several.
View withDeferredModifiers(Node& node, View body);

// A node's local-to-host transform from target layout values.
AffineTransform targetTransformToHost(Node& node);

} // namespace kit::detail
