// The modifiers that change no geometry: environment, lifecycle actions,
// animation and transaction overrides, accessibility, identity, coordinate
// space names, gestures and hover.

#include "kit/base/Localization.h"
#include "kit/base/MainQueue.h"
#include "kit/ui/BehaviorModifiers.h"
#include "kit/ui/DisplayListBuilder.h"
#include "kit/ui/HostCore.h"

namespace kit::detail {

namespace {

class EnvironmentModifier final : public ModifierPrimitive {
public:
    EnvironmentModifier(View content, std::function<void(EnvironmentValues&)> change)
        : ModifierPrimitive(std::move(content)), change_(std::move(change))
    {
    }
    bool adjustsEnvironment() const override { return true; }
    void adjustEnvironment(EnvironmentValues& e) const override { change_(e); }

private:
    std::function<void(EnvironmentValues&)> change_;
};

class OnAppear final : public ModifierPrimitive {
public:
    OnAppear(View content, std::function<void()> action) : ModifierPrimitive(std::move(content)), action_(std::move(action))
    {
    }
    void appeared(Node&, std::vector<std::function<void()>>& chain, std::vector<std::function<void()>>&) const override
    {
        chain.push_back(action_);
    }

private:
    std::function<void()> action_;
};

class OnDisappear final : public ModifierPrimitive {
public:
    OnDisappear(View content, std::function<void()> action)
        : ModifierPrimitive(std::move(content)), action_(std::move(action))
    {
    }
    void disappeared(Node&, std::vector<std::function<void()>>& actions) const override { actions.push_back(action_); }

private:
    std::function<void()> action_;
};

using Equal = std::function<bool(const std::any&, const std::any&)>;

class OnChange final : public ModifierPrimitive {
    struct Seen {
        std::optional<std::any> value;
    };

public:
    OnChange(View content, std::any value, Equal equal, std::function<void(const std::any&, const std::any&)> action,
             bool initial)
        : ModifierPrimitive(std::move(content)),
          value_(std::move(value)),
          equal_(std::move(equal)),
          action_(std::move(action)),
          initial_(initial)
    {
    }
    void update(Node& node) const override
    {
        Seen& seen = node.data<Seen>();
        auto action = action_;
        if (!seen.value) {
            if (initial_)
                node.host.changeActions.push_back([action, v = value_] { action(v, v); });
        } else if (!equal_(*seen.value, value_)) {
            node.host.changeActions.push_back([action, old = *seen.value, v = value_] { action(old, v); });
        }
        seen.value = value_;
        ModifierPrimitive::update(node);
    }

private:
    std::any value_;
    Equal equal_;
    std::function<void(const std::any&, const std::any&)> action_;
    bool initial_;
};

using Subscribe = std::function<std::function<void()>(std::function<void(const std::any&)>)>;

struct Subscription {
    const void* identity = nullptr;
    std::function<void()> cancel;
    std::function<void(const std::any&)> action; // the latest view value's action
    Subscribe subscribe;
    void stop()
    {
        if (cancel)
            cancel();
        cancel = nullptr;
    }
    ~Subscription() { stop(); }
};

class OnReceive final : public ModifierPrimitive {
public:
    OnReceive(View content, const void* identity, Subscribe subscribe, std::function<void(const std::any&)> action)
        : ModifierPrimitive(std::move(content)),
          identity_(identity),
          subscribe_(std::move(subscribe)),
          action_(std::move(action))
    {
    }
    void update(Node& node) const override
    {
        Subscription& s = node.data<Subscription>();
        s.action = action_;
        s.subscribe = subscribe_;
        if (s.cancel && identity_ && identity_ != s.identity) {
            s.stop();
            start(node);
        }
        s.identity = identity_;
        ModifierPrimitive::update(node);
    }
    void appeared(Node& node, std::vector<std::function<void()>>&,
                  std::vector<std::function<void()>>& subscriptions) const override
    {
        subscriptions.push_back([anchor = std::weak_ptr<NodeAnchor>(node.anchor)] {
            if (auto a = anchor.lock(); a && a->node && !a->node->data<Subscription>().cancel)
                start(*a->node);
        });
    }
    void disappeared(Node& node, std::vector<std::function<void()>>&) const override
    {
        node.data<Subscription>().stop();
    }

private:
    static void start(Node& node)
    {
        Subscription& s = node.data<Subscription>();
        s.cancel = s.subscribe([anchor = std::weak_ptr<NodeAnchor>(node.anchor)](const std::any& value) {
            if (auto a = anchor.lock(); a && a->node)
                if (auto action = a->node->data<Subscription>().action)
                    action(value);
        });
    }
    const void* identity_;
    Subscribe subscribe_;
    std::function<void(const std::any&)> action_;
};

// Replaces the animation of its content's changes in the passes in which
// its value (a hash or a version of it) changed.
class AnimationModifier final : public ModifierPrimitive {
    struct Seen {
        std::optional<std::uint64_t> token;
        std::uint64_t changedRound = 0;
    };

public:
    AnimationModifier(View content, std::optional<Animation> animation, std::uint64_t token)
        : ModifierPrimitive(std::move(content)), animation_(std::move(animation)), token_(token)
    {
    }
    void update(Node& node) const override
    {
        Seen& seen = node.data<Seen>();
        if (seen.token && *seen.token != token_)
            seen.changedRound = node.host.round;
        seen.token = token_;
        ModifierPrimitive::update(node);
    }
    void adjustTransaction(Node& node, Transaction& t) const override
    {
        const Seen& seen = node.data<Seen>();
        if (seen.changedRound == node.host.round && !t.disablesAnimations)
            t.animation = animation_;
    }

private:
    std::optional<Animation> animation_;
    std::uint64_t token_;
};

class TransactionModifier final : public ModifierPrimitive {
public:
    TransactionModifier(View content, std::function<void(Transaction&)> change)
        : ModifierPrimitive(std::move(content)), change_(std::move(change))
    {
    }
    void adjustTransaction(Node&, Transaction& t) const override { change_(t); }

private:
    std::function<void(Transaction&)> change_;
};

class Accessibility final : public ModifierPrimitive {
public:
    enum class Kind { label, value, hidden, element };
    Accessibility(View content, Kind kind, std::string text, bool localize, bool hidden,
                  AccessibilityChildBehavior behavior)
        : ModifierPrimitive(std::move(content)),
          kind_(kind),
          text_(std::move(text)),
          localize_(localize),
          hidden_(hidden),
          behavior_(behavior)
    {
    }
    void draw(Node& node, DisplayListBuilder& builder, const DrawState& state) const override
    {
        DrawState s = state;
        if (kind_ == Kind::hidden) {
            if (hidden_)
                s.a11y = DrawState::A11y::ignore;
            builder.drawSlot(node, 0, s);
            return;
        }
        const std::string text = localize_ ? localized(text_) : text_;
        if (s.a11y == DrawState::A11y::ignore) {
            builder.drawSlot(node, 0, s);
            return;
        }
        if (s.a11y == DrawState::A11y::combine) {
            if (kind_ == Kind::label && !text.empty()) {
                std::string& label = builder.element(s.element).label;
                label += label.empty() ? text : ", " + text;
            }
            builder.drawSlot(node, 0, s);
            return;
        }
        // Accessibility modifiers directly on one view make one element.
        if (!(s.element >= 0 && s.elementNode == node.parent))
            s.element = builder.addElement(node, s);
        s.elementNode = &node;
        AccessibilityElement& e = builder.element(s.element);
        switch (kind_) {
        case Kind::label:
            if (e.label.empty())
                e.label = text;
            break;
        case Kind::value:
            if (e.value.empty())
                e.value = text;
            break;
        case Kind::element:
            if (behavior_ == AccessibilityChildBehavior::contain)
                s.container = s.element;
            else
                s.a11y = behavior_ == AccessibilityChildBehavior::combine ? DrawState::A11y::combine
                                                                          : DrawState::A11y::ignore;
            break;
        case Kind::hidden:
            break;
        }
        builder.drawSlot(node, 0, s);
    }

private:
    Kind kind_;
    std::string text_;
    bool localize_;
    bool hidden_;
    AccessibilityChildBehavior behavior_;
};

class IdModifier final : public ModifierPrimitive {
public:
    IdModifier(View content, AnyKey key) : ModifierPrimitive(std::move(content)), key_(std::move(key)) {}
    void update(Node& node) const override { reconcileChildren(node, {{0, key_, content}}); }
    const AnyKey& key() const { return key_; }

private:
    AnyKey key_;
};

class CoordinateSpaceModifier final : public ModifierPrimitive {
public:
    CoordinateSpaceModifier(View content, std::string name) : ModifierPrimitive(std::move(content)), name_(std::move(name))
    {
    }
    const std::string& name() const { return name_; }

private:
    std::string name_;
};

class HoverModifier final : public ModifierPrimitive {
public:
    HoverModifier(View content, std::function<void(bool)> action)
        : ModifierPrimitive(std::move(content)), action_(std::move(action))
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

std::optional<std::string> coordinateSpaceName(Node& node)
{
    if (auto* m = dynamic_cast<const CoordinateSpaceModifier*>(node.primitive.get()))
        return m->name();
    return std::nullopt;
}

const AnyKey* explicitId(Node& node)
{
    if (auto* m = dynamic_cast<const IdModifier*>(node.primitive.get()))
        return &m->key();
    return nullptr;
}

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

View environment(const View& v, std::function<void(EnvironmentValues&)> change)
{
    return modify(v, [=](View c) { return std::make_shared<EnvironmentModifier>(std::move(c), change); });
}

View onAppear(const View& v, std::function<void()> action)
{
    return modify(v, [=](View c) { return std::make_shared<OnAppear>(std::move(c), action); });
}

View onDisappear(const View& v, std::function<void()> action)
{
    return modify(v, [=](View c) { return std::make_shared<OnDisappear>(std::move(c), action); });
}

View onChange(const View& v, std::any value, Equal equal, std::function<void(const std::any&, const std::any&)> action,
              bool initial)
{
    return modify(v, [=](View c) { return std::make_shared<OnChange>(std::move(c), value, equal, action, initial); });
}

View onReceiveImpl(const View& v, const void* identity, Subscribe subscribe, std::function<void(const std::any&)> action)
{
    return modify(v, [=](View c) { return std::make_shared<OnReceive>(std::move(c), identity, subscribe, action); });
}

View animation(const View& v, std::optional<Animation> animation, std::uint64_t token)
{
    return modify(v, [=](View c) { return std::make_shared<AnimationModifier>(std::move(c), animation, token); });
}

View transaction(const View& v, std::function<void(Transaction&)> change)
{
    return modify(v, [=](View c) { return std::make_shared<TransactionModifier>(std::move(c), change); });
}

View accessibilityLabel(const View& v, std::string text, bool localize)
{
    return modify(v, [=](View c) {
        return std::make_shared<Accessibility>(std::move(c), Accessibility::Kind::label, text, localize, false,
                                               AccessibilityChildBehavior::contain);
    });
}

View accessibilityValue(const View& v, std::string text, bool localize)
{
    return modify(v, [=](View c) {
        return std::make_shared<Accessibility>(std::move(c), Accessibility::Kind::value, text, localize, false,
                                               AccessibilityChildBehavior::contain);
    });
}

View accessibilityHidden(const View& v, bool hidden)
{
    return modify(v, [=](View c) {
        return std::make_shared<Accessibility>(std::move(c), Accessibility::Kind::hidden, std::string(), false, hidden,
                                               AccessibilityChildBehavior::contain);
    });
}

View accessibilityElement(const View& v, AccessibilityChildBehavior children)
{
    return modify(v, [=](View c) {
        return std::make_shared<Accessibility>(std::move(c), Accessibility::Kind::element, std::string(), false, false,
                                               children);
    });
}

View id(const View& v, AnyKey key)
{
    return View(std::make_shared<IdModifier>(v, std::move(key)));
}

View coordinateSpace(const View& v, std::string name)
{
    return modify(v, [=](View c) { return std::make_shared<CoordinateSpaceModifier>(std::move(c), name); });
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
