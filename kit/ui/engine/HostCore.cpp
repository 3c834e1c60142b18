// The host's own operations (what ViewHost offers), the display list and the
// lookups tests use. The phases of an update are in Reconciliation.cpp,
// UpdatePass.cpp, HostAnimation.cpp and Input.cpp.

#include "kit/ui/engine/HostCore.h"

#include "kit/base/Clock.h"
#include "kit/ui/engine/DisplayListBuilder.h"
#include "kit/ui/engine/GroupLayout.h"
#include "kit/ui/engine/IdentityModifiers.h"
#include "kit/ui/engine/Input.h"
#include "kit/ui/engine/StackLayout.h"

namespace kit::detail {

namespace {

// The root: proposes the host's size to the root view and centres it.
class RootPrimitive final : public Primitive {
public:
    explicit RootPrimitive(View view) : view_(std::move(view)) {}
    NodeRole role() const override { return NodeRole::container; }
    void update(Node& node) const override { reconcileChild(node, {0, {}, view_}); }
    bool sameLayout(const Primitive&) const override { return true; }
    bool sizeIgnoresChildren() const override { return true; }
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

} // namespace

std::shared_ptr<const Primitive> makeRoot(View view)
{
    return std::make_shared<RootPrimitive>(std::move(view));
}

HostCore::HostCore(ViewHost& owner, View root, Size size)
    : owner_(owner), anchor_(std::make_shared<HostAnchor>(HostAnchor{this})), rootView_(std::move(root)), size_(size)
{
    schedulePass();
}

HostCore::~HostCore()
{
    anchor_->core = nullptr;
    if (ticker_)
        ticker_->invalidate();
    pointer_.reset();
    root_.reset();
}

void HostCore::registerNode(Node& node)
{
    nodes_[node.id] = &node;
}

void HostCore::unregisterNode(Node& node)
{
    nodes_.erase(node.id);
}

// MARK: - the host's operations

void HostCore::setRoot(View root)
{
    rootView_ = std::move(root);
    if (root_) {
        root_->setPrimitive(makeRoot(rootView_));
        markDirty(*root_, Transaction::current());
    }
}

void HostCore::setSize(Size size)
{
    if (size == size_)
        return;
    size_ = size;
    needsLayout_ = true;
    schedulePass();
}

Size HostCore::idealSize()
{
    update();
    if (!idealSize_) {
        checkLayoutEpoch();
        ++layoutGeneration_;
        idealSize_ = measureItems(root_->items(0), ProposedSize::unspecified(), Arrangement::vertical,
                                  Alignment::center());
        needsLayout_ = true;
        layout();
    }
    return *idealSize_;
}

void HostCore::setColorScheme(ColorScheme scheme)
{
    if (baseEnvironment_.colorScheme == scheme)
        return;
    baseEnvironment_.colorScheme = scheme;
    if (root_)
        markDirty(*root_, Transaction::current());
}

void HostCore::setPalette(std::optional<ColorPalette> palette)
{
    if (baseEnvironment_.palette == palette)
        return; // style and palette events repeat the same colours
    baseEnvironment_.palette = std::move(palette);
    if (root_)
        markDirty(*root_, Transaction::current());
}

void HostCore::update()
{
    if (passScheduled_ || !root_)
        runPass();
}

// MARK: - display list

void HostCore::buildDisplayList()
{
    listTime_ = Clock::now();
    listValid_ = true;
    accessibility_.clear();
    accessibilityValid_ = false;
    ++builds_;
    drawn_ = 0;
    if (!root_) {
        list_.items.clear();
        entries_.clear();
        return;
    }
    advanceAnimations(listTime_);
    dropFinishedRemovals();
    const std::pair<std::uint64_t, std::uint64_t> epoch{passes_, structureVersion_};
    DrawOutput out;
    if (epoch != builtEpoch_) {
        // After a pass nothing is taken over: the list is made again over
        // the list before, where a node's items that stay the same (the
        // areas of many accessibility elements) are left as they are.
        out.items.swap(list_.items);
        out.entries.swap(entries_);
        out.entries.clear();
        DisplayListBuilder builder(out, {&out.items, nullptr}, builds_, epoch);
        builder.drawRoot(*root_);
        builder.finish();
        drawn_ = builder.walked();
        list_.items.swap(out.items);
    } else {
        // The new list is written over the list before, where subtrees that
        // draw the same stay as they lie (or move up to their new place);
        // the elements are made anew, those of such subtrees moved over.
        out.items.swap(list_.items);
        out.entries.reserve(entries_.size());
        DisplayListBuilder builder(out, {&out.items, &entries_}, builds_, epoch);
        builder.drawRoot(*root_);
        builder.finish();
        drawn_ = builder.walked();
        list_.items.swap(out.items);
    }
    entries_ = std::move(out.entries);
    builtEpoch_ = epoch;
}

const DisplayList& HostCore::displayList()
{
    if (passScheduled_ || !root_)
        runPass();
    // At rest the list_ stays valid until the next pass; while something
    // animates it follows the clock.
    if (!listValid_ || (animating_ && listTime_ != Clock::now()))
        buildDisplayList();
    return list_;
}

const std::vector<AccessibilityElement>& HostCore::accessibilityElements()
{
    displayList();
    if (!accessibilityValid_) {
        accessibility_ = nestedElements(entries_);
        accessibilityValid_ = true;
    }
    return accessibility_;
}

// MARK: - lookups

std::vector<NodeId> HostCore::hitChain(Point p)
{
    std::vector<NodeId> chain;
    for (Node* n = hitNode(p); n; n = n->parent)
        chain.push_back(n->id);
    return chain;
}

std::optional<NodeId> HostCore::nodeWithId(const AnyKey& key)
{
    update();
    // Of several views marked so, the one placed last: a candidate a
    // ViewThatFits did not choose keeps its node but is not laid out.
    std::optional<NodeId> found;
    std::uint64_t placed = 0;
    for (const auto& [id, node] : nodes_)
        if (const AnyKey* k = explicitId(*node); k && *k == key && !node->removing)
            if (!found || node->placedPass > placed) {
                found = id;
                placed = node->placedPass;
            }
    return found;
}

bool HostCore::isDescendant(NodeId node, NodeId ancestor) const
{
    auto it = nodes_.find(node);
    for (Node* n = it == nodes_.end() ? nullptr : it->second; n; n = n->parent)
        if (n->id == ancestor)
            return true;
    return false;
}

std::optional<Rect> HostCore::layoutFrame(NodeId node)
{
    update();
    auto it = nodes_.find(node);
    if (it == nodes_.end())
        return std::nullopt;
    Node* n = it->second;
    while (n && n->role() == NodeRole::transparent) {
        const auto& items = n->items(0);
        n = items.empty() ? nullptr : items.front();
    }
    if (!n)
        return std::nullopt;
    return Rect(0, 0, n->frame.size.width, n->frame.size.height).applying(targetTransformToHost(*n));
}

void HostCore::registerLayoutAnchor(const AnyKey& key, Node& node)
{
    for (auto& [k, id] : layoutAnchors_)
        if (k == key) {
            id = node.id;
            return;
        }
    layoutAnchors_.emplace_back(key, node.id);
}

std::optional<Rect> HostCore::anchorFrame(const AnyKey& key)
{
    for (const auto& [k, id] : layoutAnchors_) {
        if (!(k == key))
            continue;
        const auto it = nodes_.find(id);
        if (it == nodes_.end() || it->second->removing)
            return std::nullopt;
        Node& n = *it->second;
        if (const AnyKey* marked = layoutAnchorKey(n); !marked || !(*marked == key))
            return std::nullopt;
        return Rect(0, 0, n.frame.size.width, n.frame.size.height).applying(targetTransformToHost(n));
    }
    return std::nullopt;
}

void HostCore::deferPlacement(Node& node)
{
    deferredPlacements_.push_back(node.anchor);
}

} // namespace kit::detail
