// One update pass: dirty nodes are re-evaluated top-down, the tree is laid
// out, animations are retargeted, then the disappear, appear, change and
// subscription actions run; rounds repeat while actions dirty nodes. Sections:
// marking, the pass, actions, visibility.

#include "kit/ui/engine/HostCore.h"

#include "kit/base/FontMetrics.h"
#include "kit/base/Localization.h"
#include "kit/base/MainQueue.h"

#include <QDebug>

#include <algorithm>

namespace kit::detail {

namespace {

constexpr int maxRounds = 8;

} // namespace

// MARK: - marking

void HostCore::markDirty(Node& node, const Transaction& transaction)
{
    assertMainThread(); // view state and observed models live on the main thread
    if (node.removing)
        return;
    node.dirty = true;
    node.dirtyTransaction = transaction;
    latestTransaction_ = transaction;
    (evaluatingDepth_ > 0 ? deferred_ : dirty_).push_back(node.anchor);
    schedulePass();
}

void HostCore::schedulePass()
{
    if (passScheduled_)
        return;
    passScheduled_ = true;
    MainQueue::async([a = std::weak_ptr<HostAnchor>(anchor_)] {
        if (auto strong = a.lock(); strong && strong->core && strong->core->passScheduled_)
            strong->core->runPass();
    });
}

// MARK: - the pass

void HostCore::runPass()
{
    if (inPass_)
        return;
    inPass_ = true;
    passScheduled_ = false;
    ++passes_;
    measured_ = 0;
    placed_ = 0;
    for (auto& d : deferred_)
        dirty_.push_back(d);
    deferred_.clear();
    for (int r = 0; r < maxRounds; ++r) {
        const bool changed = reevaluateDirty();
        if (changed || needsLayout_)
            layout();
        bookkeeping(*root_, latestTransaction_, false);
        runActions();
        if (dirty_.empty())
            break;
        if (r == maxRounds - 1)
            qWarning("kit: views still changing after %d update rounds; continuing on the next turn", maxRounds);
    }
    const bool more = !dirty_.empty() || !deferred_.empty();
    latestTransaction_ = Transaction{};
    listValid_ = false;
    idealSize_.reset();
    inPass_ = false;
    requestRepaint();
    updateTicking();
    if (more)
        schedulePass();
    if (owner_.onLayoutChanged)
        owner_.onLayoutChanged();
}

bool HostCore::reevaluateDirty()
{
    ++round_;
    if (!root_) {
        root_ = createNode(nullptr, 0, {}, View(makeRoot(rootView_)));
        updateNode(*root_, View(root_->primitive), latestTransaction_);
        dirty_.clear();
        return true;
    }
    std::vector<Node*> nodesToEvaluate;
    for (const auto& weak : dirty_)
        if (auto a = weak.lock(); a && a->node && a->node->dirty && !a->node->removing)
            nodesToEvaluate.push_back(a->node);
    dirty_.clear();
    std::stable_sort(nodesToEvaluate.begin(), nodesToEvaluate.end(),
                     [](Node* a, Node* b) { return a->depth < b->depth; });
    nodesToEvaluate.erase(std::unique(nodesToEvaluate.begin(), nodesToEvaluate.end()), nodesToEvaluate.end());
    // Evaluating one node may destroy another queued one: look them up by id.
    std::vector<NodeId> ids;
    for (Node* n : nodesToEvaluate)
        ids.push_back(n->id);
    bool any = false;
    for (NodeId id : ids) {
        auto it = nodes_.find(id);
        if (it == nodes_.end())
            continue;
        Node& n = *it->second;
        if (n.evaluatedRound == round_ || n.removing)
            continue;
        updateNode(n, View(n.primitive), n.dirtyTransaction);
        any = true;
    }
    return any;
}

void HostCore::checkLayoutEpoch()
{
    const std::pair<std::uint64_t, std::uint64_t> with{FontMetrics::generation(), StringTable::generation()};
    if (with != measuredWith_) {
        measuredWith_ = with;
        ++layoutEpoch_;
    }
}

void HostCore::layout()
{
    checkLayoutEpoch();
    ++layoutGeneration_;
    root_->place({0, 0}, ProposedSize(size_));
    // Anchor readers, in the order they were reached; a reader in the
    // content of another is reached while that one is placed.
    for (std::size_t i = 0; i < deferredPlacements_.size(); ++i)
        if (const std::shared_ptr<NodeAnchor> a = deferredPlacements_[i].lock(); a && a->node)
            a->node->primitive->placeDeferred(*a->node);
    deferredPlacements_.clear();
    needsLayout_ = false;
}

void HostCore::requestRepaint()
{
    ++repaints_;
    if (owner_.onNeedsRepaint)
        owner_.onNeedsRepaint();
}

// MARK: - actions

void HostCore::collectAppear(Node& node, std::vector<std::function<void()>>& chain,
                             std::vector<std::function<void()>>& out)
{
    if (node.removing)
        return;
    const bool fresh = node.needsAppear;
    node.needsAppear = false;
    if (fresh)
        node.primitive->appeared(node, chain, subscriptionActions_);
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
    std::vector<std::function<void()>> actions = std::move(disappearActions_);
    disappearActions_.clear();
    if (visible_ && root_) {
        std::vector<std::function<void()>> chain;
        collectAppear(*root_, chain, actions);
    }
    for (auto& a : changeActions_)
        actions.push_back(std::move(a));
    changeActions_.clear();
    for (auto& a : subscriptionActions_)
        actions.push_back(std::move(a));
    subscriptionActions_.clear();
    for (auto& action : actions)
        if (action)
            action();
}

void HostCore::queueChangeAction(std::function<void()> action)
{
    changeActions_.push_back(std::move(action));
}

// MARK: - visibility

void HostCore::setVisible(bool v)
{
    if (v == visible_)
        return;
    if (!v) {
        cancelPointer();
        hover(std::nullopt);
        if (root_)
            collectDisappear(*root_);
        visible_ = false;
        updateTicking(); // a hidden host does not tick
        auto actions = std::move(disappearActions_);
        disappearActions_.clear();
        for (auto& a : actions)
            a();
    } else {
        visible_ = true;
        schedulePass();
    }
}

} // namespace kit::detail
