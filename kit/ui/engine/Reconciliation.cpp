// Matching identity: a node's children are matched with the views its
// primitive hands over by slot, key and type; the others are inserted, and
// the ones left over removed (fading out in an animated pass). Sections:
// creating and updating nodes, reconciling children, removing them.

#include "kit/ui/engine/HostCore.h"

#include "kit/base/Clock.h"

#include <unordered_map>

namespace kit::detail {

// MARK: - nodes

std::unique_ptr<Node> HostCore::createNode(Node* parent, int slot, AnyKey key, const View& view)
{
    return std::make_unique<Node>(*this, parent, slot, std::move(key), view.primitive());
}

std::shared_ptr<const EnvironmentValues> HostCore::environmentFor(Node& node) const
{
    std::shared_ptr<const EnvironmentValues> base = node.parent ? node.parent->environment : nullptr;
    if (!base)
        base = std::make_shared<EnvironmentValues>(baseEnvironment_);
    if (!node.primitive->adjustsEnvironment())
        return base;
    auto adjusted = std::make_shared<EnvironmentValues>(*base);
    node.primitive->adjustEnvironment(*adjusted);
    return adjusted;
}

Transaction HostCore::outgoing(Node& node) const
{
    Transaction t = node.evaluatedRound == round_ ? node.incomingTransaction : latestTransaction_;
    node.primitive->adjustTransaction(node, t);
    return t;
}

void HostCore::updateNode(Node& node, const View& view, const Transaction& incoming)
{
    if (node.primitive != view.primitive()) {
        const Primitive& before = *node.primitive;
        const Primitive& after = *view.primitive();
        if (node.role() != after.role()) {
            ++structureVersion_; // it takes part in its parent's layout differently
            node.invalidateLayout();
        } else if (node.role() != NodeRole::transparent &&
                   !(typeid(before) == typeid(after) && before.sameLayout(after))) {
            node.invalidateLayout();
        }
        node.setPrimitive(view.primitive());
    }
    // A node changed itself (its state, an object it observes) keeps that
    // change's transaction for the whole round, also when its parent hands
    // it a new value later in the round: a geometry reader reconciles its
    // content only at layout, after the dirty nodes were evaluated.
    if (node.dirty) {
        node.incomingTransaction = node.dirtyTransaction;
        node.ownChangeRound = round_;
    } else if (node.ownChangeRound != round_) {
        node.incomingTransaction = incoming;
    }
    node.dirty = false;
    node.evaluatedRound = round_;
    std::shared_ptr<const EnvironmentValues> environment = environmentFor(node);
    if (node.environment && environment != node.environment) {
        if (*environment == *node.environment)
            environment = node.environment; // one value for the subtree, compared by address below
        else if (!environment->measuresAs(*node.environment))
            node.invalidateLayout();
    }
    node.environment = std::move(environment);
    evaluate(node);
}

void HostCore::evaluate(Node& node)
{
    EvaluationScope evaluating(*this);
    node.primitive->update(node);
}

// MARK: - children

void HostCore::reconcileChildren(Node& parent, std::span<ChildSpec> specs)
{
    const Transaction transaction = outgoing(parent);
    auto same = [](const std::unique_ptr<Node>& node, const ChildSpec& spec, std::type_index type) {
        return node && !node->removing && node->slot == spec.slot && node->type == type && node->key == spec.key;
    };

    // Mostly every child stays where it was and none fades out: the
    // children are updated in place, nothing is inserted, moved or removed.
    if (parent.children.size() == specs.size()) {
        bool inPlace = true;
        for (std::size_t i = 0; i < specs.size() && inPlace; ++i)
            inPlace = same(parent.children[i], specs[i], specs[i].view.primitive()->type());
        if (inPlace) {
            needsLayout_ = true;
            // An update may reconcile the node's own children, never the
            // parent's, so the pointers stay valid.
            for (std::size_t i = 0; i < specs.size(); ++i)
                updateNode(*parent.children[i], specs[i].view, transaction);
            return;
        }
    }

    std::vector<std::unique_ptr<Node>> old = std::move(parent.children);
    parent.children.clear();

    // Old children by identity: slot, key and type. Most children stay
    // where they were, so each is first looked for at its own place; the
    // index of the others is made at the first that is not.
    std::unordered_multimap<std::size_t, std::size_t> index;
    bool indexed = false;
    auto identityHash = [](int slot, const AnyKey& key, std::type_index type) {
        return std::hash<AnyKey>{}(key) ^ (std::size_t(slot) * 0x9e3779b97f4a7c15ULL) ^ type.hash_code();
    };

    std::vector<std::unique_ptr<Node>> next;
    next.reserve(specs.size());
    std::vector<std::pair<Node*, const View*>> updates;
    updates.reserve(specs.size());
    bool changed = false; // children inserted, removed or moved
    for (std::size_t position = 0; position < specs.size(); ++position) {
        ChildSpec& spec = specs[position];
        const std::type_index type = spec.view.primitive()->type();
        std::unique_ptr<Node> match;
        if (position < old.size() && same(old[position], spec, type)) {
            match = std::move(old[position]);
        } else {
            if (!indexed) {
                for (std::size_t i = 0; i < old.size(); ++i)
                    if (old[i] && !old[i]->removing)
                        index.emplace(identityHash(old[i]->slot, old[i]->key, old[i]->type), i);
                indexed = true;
            }
            auto range = index.equal_range(identityHash(spec.slot, spec.key, type));
            for (auto it = range.first; it != range.second; ++it) {
                if (same(old[it->second], spec, type)) {
                    match = std::move(old[it->second]);
                    index.erase(it);
                    break;
                }
            }
            changed = true;
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
        if (old[i]->removing) {
            kept.push_back(std::move(old[i]));
        } else {
            removeChild(std::move(old[i]), transaction, kept);
            changed = true;
        }
    }
    parent.children = std::move(next);
    for (auto& k : kept)
        parent.children.push_back(std::move(k));
    // The items of every node are collected again only when some node's
    // children changed.
    if (changed) {
        ++structureVersion_;
        parent.childrenChanged();
    }
    needsLayout_ = true;

    for (auto& [child, view] : updates)
        updateNode(*child, *view, transaction);
}

// MARK: - removal

void HostCore::removeChild(std::unique_ptr<Node> child, const Transaction& transaction,
                           std::vector<std::unique_ptr<Node>>& keep)
{
    collectDisappear(*child);
    if (transaction.animation && visible_) {
        child->removing = true;
        Channel* c = child->channel(ChannelKey::transition);
        if (!c) {
            child->channels.emplace_back(ChannelKey::transition);
            c = &child->channels.back();
            c->snap({1.0});
        }
        c->retarget({0.0}, 0, transaction.animation, Clock::now());
        noteMoving(*child);
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
    node.primitive->disappeared(node, disappearActions_);
    node.needsAppear = true;
}

} // namespace kit::detail
