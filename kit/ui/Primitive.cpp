#include "kit/ui/Primitive.h"

#include "kit/ui/DisplayListBuilder.h"
#include "kit/ui/HostCore.h"
#include "kit/ui/StackLayout.h"

#include <QtGlobal>

#include <cstdio>
#include <cstdlib>

namespace kit::detail {

namespace {

int& evaluationDepth()
{
    static int depth = 0;
    return depth;
}

struct EvaluationScope {
    EvaluationScope() { ++evaluationDepth(); }
    ~EvaluationScope() { --evaluationDepth(); }
};

// The slots of a user view's node: its State boxes and StateObjects, then
// the subscriptions to the objects it observes.
struct FieldSlots {
    struct Slot {
        std::type_index type;
        std::shared_ptr<void> value;
    };
    struct Observation {
        const void* object = nullptr;
        Cancellable subscription;
    };
    std::vector<Slot> fields;
    std::vector<Observation> observations;
    bool sealed = false; // the layout of the fields is known
    std::any value;      // the user view or modifier value evaluated last
};

// A user view: transparent, its body is its one child.
class ComponentPrimitive final : public Primitive {
public:
    ComponentPrimitive(std::type_index type, Evaluate evaluate) : type_(type), evaluate_(std::move(evaluate)) {}
    std::type_index type() const override { return type_; }
    NodeRole role() const override { return NodeRole::transparent; }
    bool defersModifiers() const override { return true; }
    void update(Node& node) const override
    {
        View body;
        {
            EvaluationScope scope;
            body = evaluate_(node);
        }
        reconcileChildren(node, {{0, {}, withDeferredModifiers(node, std::move(body))}});
    }

private:
    std::type_index type_;
    Evaluate evaluate_;
};

// A user modifier: transparent, body(content) is its one child.
class ModifierComponentPrimitive final : public Primitive {
public:
    ModifierComponentPrimitive(View content, std::type_index type, std::function<View(Node&, const View&)> evaluate)
        : content_(std::move(content)), type_(type), evaluate_(std::move(evaluate))
    {
    }
    std::type_index type() const override { return type_; }
    NodeRole role() const override { return NodeRole::transparent; }
    bool defersModifiers() const override { return true; }
    void update(Node& node) const override
    {
        View body;
        {
            EvaluationScope scope;
            body = evaluate_(node, content_);
        }
        reconcileChildren(node, {{0, {}, withDeferredModifiers(node, std::move(body))}});
    }

private:
    View content_;
    std::type_index type_;
    std::function<View(Node&, const View&)> evaluate_;
};

} // namespace

// MARK: - misuse and evaluation

void misuse(const char* message)
{
    std::fprintf(stderr, "kit::ui misuse: %s\n", message);
#ifndef NDEBUG
    std::abort();
#endif
}

bool isEvaluatingBody()
{
    return evaluationDepth() > 0;
}

void markDirty(const std::weak_ptr<NodeAnchor>& anchor)
{
    if (auto a = anchor.lock(); a && a->node)
        a->node->host.markDirty(*a->node, Transaction::current());
}

// MARK: - dynamic fields

std::any& storedValue(Node& node)
{
    return node.data<FieldSlots>().value;
}

std::shared_ptr<void>& FieldBinder::nextSlot(std::type_index type, bool& created)
{
    FieldSlots& s = node_.data<FieldSlots>();
    const std::size_t index = next_++;
    created = false;
    if (index < s.fields.size()) {
        if (s.fields[index].type != type)
            misuse("dynamicFields() listed different field types for the same view");
        return s.fields[index].value;
    }
    if (s.sealed)
        misuse("dynamicFields() listed more fields than when the view was inserted");
    created = true;
    s.fields.push_back({type, nullptr});
    return s.fields.back().value;
}

std::weak_ptr<NodeAnchor> FieldBinder::anchor() const
{
    return node_.anchor;
}

void FieldBinder::observe(const std::shared_ptr<ObservableObject>& object)
{
    FieldSlots& s = node_.data<FieldSlots>();
    const std::size_t index = observed_++;
    if (index >= s.observations.size())
        s.observations.emplace_back();
    auto& o = s.observations[index];
    if (o.object == object.get() && o.subscription.isActive())
        return;
    o.object = object.get();
    o.subscription = Cancellable();
    if (object)
        o.subscription = object->objectWillChange.sink([anchor = std::weak_ptr<NodeAnchor>(node_.anchor)] {
            markDirty(anchor);
        });
}

void FieldBinder::finish()
{
    FieldSlots& s = node_.data<FieldSlots>();
    if (s.sealed && (next_ != s.fields.size() || observed_ != s.observations.size()))
        misuse("dynamicFields() listed fewer fields than when the view was inserted");
    s.observations.resize(observed_);
    s.sealed = true;
}

std::shared_ptr<const Primitive> makeComponent(std::type_index type, Evaluate evaluate)
{
    return std::make_shared<ComponentPrimitive>(type, std::move(evaluate));
}

std::shared_ptr<const Primitive> makeModifierComponent(View content, std::type_index type,
                                                       std::function<View(Node&, const View&)> evaluate)
{
    return std::make_shared<ModifierComponentPrimitive>(std::move(content), type, std::move(evaluate));
}

// MARK: - Primitive defaults

void Primitive::update(Node&) const {}

Size Primitive::sizeThatFits(Node&, ProposedSize proposal) const
{
    return proposal.replacingUnspecified();
}

void Primitive::placeChildren(Node&, ProposedSize, Size) const {}

std::optional<double> Primitive::explicitGuide(Node&, HorizontalAlignment, Size) const
{
    return std::nullopt;
}

std::optional<double> Primitive::explicitGuide(Node&, VerticalAlignment, Size) const
{
    return std::nullopt;
}

void Primitive::draw(Node& node, DisplayListBuilder& builder, const DrawState& state) const
{
    const int count = node.slotCount();
    for (int slot = 0; slot < count; ++slot)
        builder.drawSlot(node, slot, state);
}

// MARK: - ModifierPrimitive

void ModifierPrimitive::update(Node& node) const
{
    reconcileChildren(node, {{0, {}, content}});
}

Size ModifierPrimitive::sizeThatFits(Node& node, ProposedSize proposal) const
{
    const std::vector<Node*> items = node.items(0);
    passAxis(items, node);
    return measureItems(items, proposal, Arrangement::vertical, Alignment::center());
}

void ModifierPrimitive::placeChildren(Node& node, ProposedSize proposal, Size size) const
{
    placeItems(node.items(0), {0, 0}, proposal, size, Arrangement::vertical, Alignment::center());
}

std::optional<double> ModifierPrimitive::explicitGuide(Node& node, HorizontalAlignment g, Size size) const
{
    const std::vector<Node*> items = node.items(0);
    if (items.size() != 1)
        return std::nullopt;
    return items[0]->primitive->explicitGuide(*items[0], g, size);
}

std::optional<double> ModifierPrimitive::explicitGuide(Node& node, VerticalAlignment g, Size size) const
{
    const std::vector<Node*> items = node.items(0);
    if (items.size() != 1)
        return std::nullopt;
    return items[0]->primitive->explicitGuide(*items[0], g, size);
}

std::optional<double> ModifierPrimitive::layoutPriority() const
{
    return content.primitive()->layoutPriority();
}

std::optional<double> ModifierPrimitive::zIndex() const
{
    return content.primitive()->zIndex();
}

// MARK: - groups of items

Size measureItems(const std::vector<Node*>& items, ProposedSize proposal, Arrangement arrangement, Alignment alignment)
{
    if (items.empty())
        return {0, 0};
    if (items.size() == 1)
        return items[0]->sizeThatFits(proposal);
    if (arrangement == Arrangement::depth)
        return arrangeDepth(items, proposal, alignment).size;
    return arrangeStack(items, proposal, Axis::vertical, defaultSpacing, [&](Node& n, Size s) {
               return n.guide(alignment.horizontal, s);
           })
        .size;
}

void placeItems(const std::vector<Node*>& items, Point origin, ProposedSize proposal, Size size,
                Arrangement arrangement, Alignment alignment)
{
    if (items.empty())
        return;
    if (items.size() == 1) {
        items[0]->place(origin, proposal);
        return;
    }
    const StackArrangement a = arrangement == Arrangement::depth
                                   ? arrangeDepth(items, proposal, alignment)
                                   : arrangeStack(items, proposal, Axis::vertical, defaultSpacing, [&](Node& n, Size s) {
                                         return n.guide(alignment.horizontal, s);
                                     });
    // The group is aligned inside `size` as a whole.
    const double dx = arrangement == Arrangement::depth ? 0 : (size.width - a.size.width) / 2;
    for (std::size_t i = 0; i < items.size(); ++i)
        items[i]->place({origin.x + dx + a.origins[i].x, origin.y + a.origins[i].y}, a.proposals[i]);
}

std::vector<ChildSpec> positional(const std::vector<View>& children)
{
    std::vector<ChildSpec> specs;
    for (std::size_t i = 0; i < children.size(); ++i)
        specs.push_back({0, AnyKey(i), children[i]});
    return specs;
}

void reconcileChildren(Node& node, std::vector<ChildSpec> specs)
{
    node.host.reconcileChildren(node, std::move(specs));
}

} // namespace kit::detail
