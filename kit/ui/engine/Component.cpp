// User views and user modifiers: evaluating their bodies, binding their
// dynamic fields (State, ObservedObject, StateObject) to their node, and
// reporting misuse of those fields.

#include "kit/ui/engine/Component.h"

#include "kit/ui/engine/HostCore.h"
#include "kit/ui/engine/Primitive.h"

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

// A user view (or user modifier): transparent, its body is its one child.
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
        reconcileChild(node, {0, {}, withDeferredModifiers(node, std::move(body))});
    }

private:
    std::type_index type_;
    Evaluate evaluate_;
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
        o.subscription =
            object->objectWillChange.sink([anchor = std::weak_ptr<NodeAnchor>(node_.anchor)] { markDirty(anchor); });
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
    // A user modifier is a user view whose body is body(content).
    return makeComponent(type, [content = std::move(content), evaluate = std::move(evaluate)](Node& node) {
        return evaluate(node, content);
    });
}

} // namespace kit::detail
