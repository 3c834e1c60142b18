#include "kit/ui/HostCore.h"

#include "kit/base/Clock.h"
#include "kit/base/MainQueue.h"
#include "kit/ui/DisplayListBuilder.h"
#include "kit/ui/Input.h"
#include "kit/ui/GroupLayout.h"
#include "kit/ui/StackLayout.h"

#include <QDebug>

#include <algorithm>
#include <unordered_map>

namespace kit::detail {

namespace {

constexpr int maxRounds = 8;

// The root: proposes the host's size to the root view and centres it.
class RootPrimitive final : public Primitive {
public:
    explicit RootPrimitive(View view) : view_(std::move(view)) {}
    NodeRole role() const override { return NodeRole::container; }
    void update(Node& node) const override { reconcileChildren(node, {{0, {}, view_}}); }
    Size sizeThatFits(Node&, ProposedSize proposal) const override { return proposal.replacingUnspecified({0, 0}); }
    void placeChildren(Node& node, ProposedSize proposal, Size size) const override
    {
        const std::vector<Node*> items = node.items(0);
        assignAxis(items, std::nullopt);
        const Size content = measureItems(items, proposal, Arrangement::vertical, Alignment::center());
        placeItems(items, {(size.width - content.width) / 2, (size.height - content.height) / 2}, proposal, content,
                   Arrangement::vertical, Alignment::center());
    }

private:
    View view_;
};

class TargetCollector final : public TargetSink {
public:
    TargetCollector(Node& node, const Transaction& t, double now, bool snap)
        : node_(node), transaction_(t), now_(now), snap_(snap)
    {
    }
    void set(ChannelKey key, const std::vector<double>& value, std::size_t shape) override
    {
        Channel* c = node_.channel(key);
        if (!c) {
            node_.channels.emplace_back(key);
            c = &node_.channels.back();
        }
        if (snap_)
            c->snap(value, shape);
        else
            c->retarget(value, shape, transaction_.animation, now_);
    }

private:
    Node& node_;
    const Transaction& transaction_;
    double now_;
    bool snap_;
};

} // namespace

std::shared_ptr<const Primitive> makeRoot(View view)
{
    return std::make_shared<RootPrimitive>(std::move(view));
}

HostCore::HostCore(ViewHost& o) : owner(o), anchor(std::make_shared<HostAnchor>(HostAnchor{this})) {}

HostCore::~HostCore()
{
    anchor->core = nullptr;
    if (ticker)
        ticker->invalidate();
    pointer.reset();
    root.reset();
}

void HostCore::registerNode(Node& node)
{
    nodes[node.id] = &node;
}

void HostCore::unregisterNode(Node& node)
{
    nodes.erase(node.id);
}

// MARK: - reconciliation

std::unique_ptr<Node> HostCore::createNode(Node* parent, int slot, AnyKey key, const View& view)
{
    return std::make_unique<Node>(*this, parent, slot, std::move(key), view.primitive());
}

std::shared_ptr<const EnvironmentValues> HostCore::environmentFor(Node& node) const
{
    std::shared_ptr<const EnvironmentValues> base = node.parent ? node.parent->environment : nullptr;
    if (!base)
        base = std::make_shared<EnvironmentValues>(baseEnvironment);
    if (!node.primitive->adjustsEnvironment())
        return base;
    auto adjusted = std::make_shared<EnvironmentValues>(*base);
    node.primitive->adjustEnvironment(*adjusted);
    return adjusted;
}

Transaction HostCore::outgoing(Node& node) const
{
    Transaction t = node.evaluatedRound == round ? node.incomingTransaction : latestTransaction;
    node.primitive->adjustTransaction(node, t);
    return t;
}

void HostCore::updateNode(Node& node, const View& view, const Transaction& incoming)
{
    node.primitive = view.primitive();
    // A node changed itself (its state, an object it observes) keeps that
    // change's transaction for the whole round, also when its parent hands
    // it a new value later in the round: a geometry reader reconciles its
    // content only at layout, after the dirty nodes were evaluated.
    if (node.dirty) {
        node.incomingTransaction = node.dirtyTransaction;
        node.ownChangeRound = round;
    } else if (node.ownChangeRound != round) {
        node.incomingTransaction = incoming;
    }
    node.dirty = false;
    node.evaluatedRound = round;
    node.environment = environmentFor(node);
    evaluate(node);
}

void HostCore::evaluate(Node& node)
{
    ++evaluatingDepth;
    struct Leave {
        int& depth;
        ~Leave() { --depth; }
    } leave{evaluatingDepth};
    node.primitive->update(node);
}

void HostCore::reconcileChildren(Node& parent, std::vector<ChildSpec> specs)
{
    const Transaction transaction = outgoing(parent);
    std::vector<std::unique_ptr<Node>> old = std::move(parent.children);
    parent.children.clear();

    // Old children by identity: slot, key and type.
    std::unordered_multimap<std::size_t, std::size_t> index;
    auto identityHash = [](int slot, const AnyKey& key, std::type_index type) {
        return std::hash<AnyKey>{}(key) ^ (std::size_t(slot) * 0x9e3779b97f4a7c15ULL) ^ type.hash_code();
    };
    for (std::size_t i = 0; i < old.size(); ++i)
        if (!old[i]->removing)
            index.emplace(identityHash(old[i]->slot, old[i]->key, old[i]->type), i);

    std::vector<std::unique_ptr<Node>> next;
    next.reserve(specs.size());
    std::vector<std::pair<Node*, const View*>> updates;
    for (ChildSpec& spec : specs) {
        const std::type_index type = spec.view.primitive()->type();
        std::unique_ptr<Node> match;
        auto range = index.equal_range(identityHash(spec.slot, spec.key, type));
        for (auto it = range.first; it != range.second; ++it) {
            auto& candidate = old[it->second];
            if (candidate && candidate->slot == spec.slot && candidate->key == spec.key && candidate->type == type) {
                match = std::move(candidate);
                index.erase(it);
                break;
            }
        }
        if (!match)
            match = createNode(&parent, spec.slot, spec.key, spec.view);
        updates.emplace_back(match.get(), &spec.view);
        next.push_back(std::move(match));
    }

    // What is left was removed: immediately, or fading out when animated.
    std::vector<std::unique_ptr<Node>> kept;
    for (std::size_t i = 0; i < old.size(); ++i) {
        if (!old[i])
            continue;
        if (old[i]->removing)
            kept.push_back(std::move(old[i]));
        else
            removeChild(parent, std::move(old[i]), transaction, kept);
    }
    parent.children = std::move(next);
    for (auto& k : kept)
        parent.children.push_back(std::move(k));
    ++structureVersion;
    needsLayout = true;

    for (auto& [child, view] : updates)
        updateNode(*child, *view, transaction);
}

void HostCore::removeChild(Node&, std::unique_ptr<Node> child, const Transaction& transaction,
                           std::vector<std::unique_ptr<Node>>& keep)
{
    collectDisappear(*child);
    if (transaction.animation && visible) {
        child->removing = true;
        Channel* c = child->channel(ChannelKey::transition);
        if (!c) {
            child->channels.emplace_back(ChannelKey::transition);
            c = &child->channels.back();
            c->snap({1.0});
        }
        c->retarget({0.0}, 0, transaction.animation, Clock::now());
        keep.push_back(std::move(child));
    }
}

void HostCore::collectDisappear(Node& node)
{
    if (node.needsAppear)
        return; // it never appeared (or already disappeared)
    for (auto& c : node.children)
        if (!c->removing)
            collectDisappear(*c);
    node.primitive->disappeared(node, disappearActions);
    node.needsAppear = true;
}

// MARK: - update cycle

void HostCore::markDirty(Node& node, const Transaction& transaction)
{
    assertMainThread(); // view state and observed models live on the main thread
    if (node.removing)
        return;
    node.dirty = true;
    node.dirtyTransaction = transaction;
    latestTransaction = transaction;
    (evaluatingDepth > 0 ? deferred : dirty).push_back(node.anchor);
    schedulePass();
}

void HostCore::schedulePass()
{
    if (passScheduled)
        return;
    passScheduled = true;
    MainQueue::async([a = std::weak_ptr<HostAnchor>(anchor)] {
        if (auto strong = a.lock(); strong && strong->core && strong->core->passScheduled)
            strong->core->runPass();
    });
}

bool HostCore::reevaluateDirty()
{
    ++round;
    if (!root) {
        root = createNode(nullptr, 0, {}, View(makeRoot(rootView)));
        updateNode(*root, View(root->primitive), latestTransaction);
        dirty.clear();
        return true;
    }
    std::vector<Node*> nodesToEvaluate;
    for (const auto& weak : dirty)
        if (auto a = weak.lock(); a && a->node && a->node->dirty && !a->node->removing)
            nodesToEvaluate.push_back(a->node);
    dirty.clear();
    std::stable_sort(nodesToEvaluate.begin(), nodesToEvaluate.end(),
                     [](Node* a, Node* b) { return a->depth < b->depth; });
    nodesToEvaluate.erase(std::unique(nodesToEvaluate.begin(), nodesToEvaluate.end()), nodesToEvaluate.end());
    // Evaluating one node may destroy another queued one: look them up by id.
    std::vector<NodeId> ids;
    for (Node* n : nodesToEvaluate)
        ids.push_back(n->id);
    bool any = false;
    for (NodeId id : ids) {
        auto it = nodes.find(id);
        if (it == nodes.end())
            continue;
        Node& n = *it->second;
        if (n.evaluatedRound == round || n.removing)
            continue;
        updateNode(n, View(n.primitive), n.dirtyTransaction);
        any = true;
    }
    return any;
}

void HostCore::layout()
{
    ++layoutGeneration;
    root->place({0, 0}, ProposedSize(size));
    needsLayout = false;
}

void HostCore::bookkeeping(Node& node, Transaction transaction, bool insertedAbove)
{
    if (node.removing)
        return;
    const Transaction in = node.evaluatedRound == round ? node.incomingTransaction : transaction;
    const bool inserted = node.inserted;
    const double now = Clock::now();
    TargetCollector sink(node, in, now, inserted);
    if (node.role() != NodeRole::transparent && node.placedPass == layoutGeneration)
        sink.set(ChannelKey::frame, {node.frame.origin.x, node.frame.origin.y, node.frame.size.width,
                                     node.frame.size.height}, 0);
    node.primitive->targets(node, sink);
    if (inserted && !insertedAbove && in.animation && visible && node.parent && node.parent->parent) {
        // Inserted in an animated pass: fade in.
        Channel* c = node.channel(ChannelKey::transition);
        if (!c) {
            node.channels.emplace_back(ChannelKey::transition);
            c = &node.channels.back();
        }
        c->snap({1.0});
        c->animateFrom({0.0}, *in.animation, now);
    }
    node.inserted = false;
    Transaction out = in;
    node.primitive->adjustTransaction(node, out);
    for (auto& child : node.children)
        bookkeeping(*child, out, insertedAbove || inserted);
}

void HostCore::collectAppear(Node& node, std::vector<std::function<void()>>& chain,
                             std::vector<std::function<void()>>& out)
{
    if (node.removing)
        return;
    const bool fresh = node.needsAppear;
    node.needsAppear = false;
    if (fresh)
        node.primitive->appeared(node, chain, subscriptionActions);
    if (node.role() == NodeRole::modifier) {
        for (auto& c : node.children)
            if (c->slot == 0)
                collectAppear(*c, chain, out);
        for (auto& c : node.children)
            if (c->slot != 0) {
                std::vector<std::function<void()>> own;
                collectAppear(*c, own, out);
            }
        return;
    }
    // The actions of one view run innermost modifier first.
    for (auto it = chain.rbegin(); it != chain.rend(); ++it)
        out.push_back(std::move(*it));
    chain.clear();
    for (auto& c : node.children) {
        std::vector<std::function<void()>> own;
        collectAppear(*c, own, out);
    }
}

void HostCore::runActions()
{
    std::vector<std::function<void()>> actions = std::move(disappearActions);
    disappearActions.clear();
    if (visible && root) {
        std::vector<std::function<void()>> chain;
        collectAppear(*root, chain, actions);
    }
    for (auto& a : changeActions)
        actions.push_back(std::move(a));
    changeActions.clear();
    for (auto& a : subscriptionActions)
        actions.push_back(std::move(a));
    subscriptionActions.clear();
    for (auto& action : actions)
        if (action)
            action();
}

void HostCore::runPass()
{
    if (inPass)
        return;
    inPass = true;
    passScheduled = false;
    ++passes;
    for (auto& d : deferred)
        dirty.push_back(d);
    deferred.clear();
    for (int r = 0; r < maxRounds; ++r) {
        const bool changed = reevaluateDirty();
        if (changed || needsLayout)
            layout();
        bookkeeping(*root, latestTransaction, false);
        runActions();
        if (dirty.empty())
            break;
        if (r == maxRounds - 1)
            qWarning("kit: views still changing after %d update rounds; continuing on the next turn", maxRounds);
    }
    const bool more = !dirty.empty() || !deferred.empty();
    latestTransaction = Transaction{};
    listValid = false;
    idealSize.reset();
    inPass = false;
    requestRepaint();
    updateTicking();
    if (more)
        schedulePass();
    if (owner.onLayoutChanged)
        owner.onLayoutChanged();
}

void HostCore::requestRepaint()
{
    ++repaints;
    if (owner.onNeedsRepaint)
        owner.onNeedsRepaint();
}

void HostCore::setVisible(bool v)
{
    if (v == visible)
        return;
    if (!v) {
        cancelPointer();
        hover(std::nullopt);
        if (root)
            collectDisappear(*root);
        visible = false;
        updateTicking(); // a hidden host does not tick
        auto actions = std::move(disappearActions);
        disappearActions.clear();
        for (auto& a : actions)
            a();
    } else {
        visible = true;
        schedulePass();
    }
}

// MARK: - animation

namespace {

bool advance(Node& node, double now)
{
    bool running = false;
    if (node.frameChannel.isRunning()) {
        node.frameChannel.update(now);
        running |= node.frameChannel.isRunning();
    }
    for (Channel& c : node.channels)
        if (c.isRunning()) {
            c.update(now);
            running |= c.isRunning();
        }
    running |= node.removing;
    for (auto& child : node.children)
        running |= advance(*child, now);
    return running;
}

} // namespace

void HostCore::dropFinishedRemovals(Node& node)
{
    auto& kids = node.children;
    const auto before = kids.size();
    kids.erase(std::remove_if(kids.begin(), kids.end(),
                              [](const std::unique_ptr<Node>& c) {
                                  if (!c->removing)
                                      return false;
                                  const Channel* t = c->channel(ChannelKey::transition);
                                  return !t || !t->isRunning();
                              }),
               kids.end());
    if (kids.size() != before)
        ++structureVersion;
    for (auto& child : kids)
        dropFinishedRemovals(*child);
}

bool HostCore::advanceAnimations(double now)
{
    animating = root && advance(*root, now);
    return animating;
}

void HostCore::updateTicking()
{
    const bool running = advanceAnimations(Clock::now());
    setTicking(visible && running);
}

void HostCore::setTicking(bool running)
{
    if (running && !ticker) {
        ticker = Timer::scheduled(1.0 / 60, true, [a = std::weak_ptr<HostAnchor>(anchor)] {
            if (auto strong = a.lock(); strong && strong->core)
                strong->core->tick();
        });
    } else if (!running && ticker) {
        ticker->invalidate();
        ticker.reset();
    }
}

void HostCore::tick()
{
    const bool running = advanceAnimations(Clock::now());
    if (root)
        dropFinishedRemovals(*root);
    listValid = false;
    requestRepaint();
    setTicking(visible && running);
}

// MARK: - display list

void HostCore::buildDisplayList()
{
    list.items.clear();
    accessibility.clear();
    listTime = Clock::now();
    listValid = true;
    if (!root)
        return;
    advanceAnimations(listTime);
    dropFinishedRemovals(*root);
    DisplayListBuilder builder(list, accessibility);
    builder.drawRoot(*root);
}

const DisplayList& HostCore::displayList()
{
    if (passScheduled || !root)
        runPass();
    // At rest the list stays valid until the next pass; while something
    // animates it follows the clock.
    if (!listValid || (animating && listTime != Clock::now()))
        buildDisplayList();
    return list;
}

} // namespace kit::detail
