// The lifecycle actions: onAppear, onDisappear, onChange and onReceive.

#include "kit/ui/engine/HostCore.h"
#include "kit/ui/engine/Primitive.h"

namespace kit::detail {

namespace {

class OnAppear final : public LayoutNeutralModifier {
public:
    OnAppear(View content, std::function<void()> action)
        : LayoutNeutralModifier(std::move(content)), action_(std::move(action))
    {
    }
    void appeared(Node&, std::vector<std::function<void()>>& chain, std::vector<std::function<void()>>&) const override
    {
        chain.push_back(action_);
    }

private:
    std::function<void()> action_;
};

class OnDisappear final : public LayoutNeutralModifier {
public:
    OnDisappear(View content, std::function<void()> action)
        : LayoutNeutralModifier(std::move(content)), action_(std::move(action))
    {
    }
    void disappeared(Node&, std::vector<std::function<void()>>& actions) const override { actions.push_back(action_); }

private:
    std::function<void()> action_;
};

using Equal = std::function<bool(const std::any&, const std::any&)>;

class OnChange final : public LayoutNeutralModifier {
    struct Seen {
        std::optional<std::any> value;
    };

public:
    OnChange(View content, std::any value, Equal equal, std::function<void(const std::any&, const std::any&)> action,
             bool initial)
        : LayoutNeutralModifier(std::move(content)), value_(std::move(value)), equal_(std::move(equal)),
          action_(std::move(action)), initial_(initial)
    {
    }
    void update(Node& node) const override
    {
        Seen& seen = node.data<Seen>();
        auto action = action_;
        if (!seen.value) {
            if (initial_)
                node.host.queueChangeAction([action, v = value_] { action(v, v); });
        } else if (!equal_(*seen.value, value_)) {
            node.host.queueChangeAction([action, old = *seen.value, v = value_] { action(old, v); });
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

class OnReceive final : public LayoutNeutralModifier {
public:
    OnReceive(View content, const void* identity, Subscribe subscribe, std::function<void(const std::any&)> action)
        : LayoutNeutralModifier(std::move(content)), identity_(identity), subscribe_(std::move(subscribe)),
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

} // namespace

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

View onReceiveImpl(const View& v, const void* identity, Subscribe subscribe,
                   std::function<void(const std::any&)> action)
{
    return modify(v, [=](View c) { return std::make_shared<OnReceive>(std::move(c), identity, subscribe, action); });
}

} // namespace kit::detail
