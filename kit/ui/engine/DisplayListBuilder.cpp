#include "kit/ui/engine/DisplayListBuilder.h"

#include "kit/base/Localization.h"
#include "kit/ui/engine/Primitive.h"

#include <algorithm>
#include <cmath>

namespace kit::detail {

namespace {

// Two shared lists in force, the same when both are absent, the very same
// list, or lists of equal entries.
template <class T>
bool sameList(const std::shared_ptr<const std::vector<T>>& a, const std::shared_ptr<const std::vector<T>>& b)
{
    return a == b || (a && b && *a == *b);
}

// Whether a subtree drawn in `a` draws the same in `b`. The indices of the
// enclosing element and container may differ between builds: new elements
// are nested by position, and a subtree is only recorded where it cannot
// touch an element outside itself.
bool sameDrawing(const DrawState& a, const DrawState& b)
{
    return a.transform == b.transform && a.opacity == b.opacity && a.hittable == b.hittable && a.a11y == b.a11y &&
           a.elementNode == b.elementNode && (a.element < 0) == (b.element < 0) &&
           (a.container < 0) == (b.container < 0) && sameList(a.clips, b.clips) && sameList(a.shadows, b.shadows);
}

} // namespace

bool isMoving(const Node& node)
{
    if (node.removing || node.frameChannel.isRunning())
        return true;
    for (const Channel& c : node.channels)
        if (c.isRunning())
            return true;
    return node.primitive->ownValuesMoving(node);
}

double transitionOpacity(const Node& node)
{
    for (const Channel& c : node.channels)
        if (c.key == ChannelKey::transition)
            return c.presented.empty() ? 1.0 : std::clamp(c.presented[0], 0.0, 1.0);
    return 1.0;
}

void DisplayListBuilder::drawRoot(Node& root)
{
    drawNode(root, DrawState{});
}

int DisplayListBuilder::addElement(Node& node, const DrawState& state)
{
    const Rect f = node.presentedFrame();
    AccessibilityElement e;
    e.frame = Rect(0, 0, f.width(), f.height()).applying(state.transform);
    e.node = node.id;
    out_.entries.push_back({std::move(e), state.container});
    return int(out_.entries.size()) - 1;
}

void DisplayListBuilder::addElementRun(std::shared_ptr<const AccessibilityRun> run, const DrawState& state)
{
    out_.entries.push_back({AccessibilityElement{}, state.container, std::move(run)});
}

AccessibilityElement AccessibilityRun::at(int index) const
{
    AccessibilityElementContent content = element(index);
    AccessibilityElement e;
    e.label = content.localizeLabel ? localized(content.label) : std::move(content.label);
    e.value = content.localizeValue ? localized(content.value) : std::move(content.value);
    e.hint = content.localizeHint ? localized(content.hint) : std::move(content.hint);
    e.frame = content.frame.value_or(bounds).applying(transform);
    e.node = node;
    return e;
}

std::vector<AccessibilityElement> nestedElements(const std::vector<AccessibilityEntry>& entries)
{
    // Children come after their parents, so nest from the back.
    std::vector<AccessibilityElement> elements;
    std::vector<std::vector<AccessibilityElement>> children(entries.size());
    for (std::size_t i = entries.size(); i-- > 0;) {
        std::vector<AccessibilityElement>& siblings = entries[i].parent >= 0 ? children[std::size_t(entries[i].parent)]
                                                                             : elements;
        if (const AccessibilityRun* run = entries[i].run.get()) {
            for (int k = run->count; k-- > 0;)
                siblings.push_back(run->at(k));
            continue;
        }
        AccessibilityElement element = entries[i].element;
        element.children.assign(std::make_move_iterator(children[i].rbegin()),
                                std::make_move_iterator(children[i].rend()));
        siblings.push_back(std::move(element));
    }
    std::reverse(elements.begin(), elements.end());
    return elements;
}

DisplayItem* DisplayListBuilder::previousItem(std::size_t index)
{
    if (inPlace_)
        return index < out_.items.size() ? &out_.items[index] : nullptr;
    if (hasRest_)
        return index >= restBase_ && index - restBase_ < rest_.size() ? &rest_[index - restBase_] : nullptr;
    return previous_.items && index < previous_.items->size() ? &(*previous_.items)[index] : nullptr;
}

void DisplayListBuilder::leaveInPlace()
{
    inPlace_ = false;
    if (!previous_.entries) { // nothing is taken over: the rest is only dropped
        out_.items.resize(written_);
        return;
    }
    hasRest_ = true;
    restBase_ = std::max(passed_, written_);
    rest_.clear();
    if (restBase_ < out_.items.size())
        rest_.assign(std::make_move_iterator(out_.items.begin() + std::ptrdiff_t(restBase_)),
                     std::make_move_iterator(out_.items.end()));
    out_.items.resize(written_);
}

DisplayItem& DisplayListBuilder::nextSlot(Node& node, bool* kept)
{
    if (inPlace_ && written_ < out_.items.size()) {
        // Free to write over: an item before every one a subtree still to
        // come may take over, or one this node drew itself (no subtree
        // still to come holds it).
        DisplayItem& slot = out_.items[written_];
        if (written_ < passed_ || slot.node == node.id) {
            passed_ = std::max(passed_, written_ + 1);
            ++written_;
            if (kept && slot.node == node.id) {
                *kept = true;
                return slot;
            }
            slot = DisplayItem{};
            return slot;
        }
        leaveInPlace();
    }
    ++written_;
    return out_.items.emplace_back();
}

void DisplayListBuilder::finish()
{
    if (out_.items.size() > written_)
        out_.items.resize(written_);
    inPlace_ = false;
    rest_.clear();
}

bool DisplayListBuilder::reuse(Node& node, const DrawState& state)
{
    DrawRecord* r = node.drawRecord.get();
    if (!previous_.items || !previous_.entries || !r || r->build + 1 != build_ || r->epoch != epoch_ ||
        !sameDrawing(r->state, state))
        return false;
    std::vector<AccessibilityEntry>& entries = *previous_.entries;
    if (r->entryEnd > entries.size() || r->itemEnd < r->itemBegin)
        return false;
    const std::size_t count = r->itemEnd - r->itemBegin;
    const std::size_t itemBase = written_;
    const std::size_t entryBase = out_.entries.size();
    if (inPlace_) {
        // Items before the subtree's are passed; one of them written over
        // already, or the subtree's own gone, and it is walked again.
        if (r->itemBegin < written_ || r->itemEnd > out_.items.size())
            return false;
        if (r->itemBegin > written_)
            std::move(out_.items.begin() + std::ptrdiff_t(r->itemBegin),
                      out_.items.begin() + std::ptrdiff_t(r->itemEnd), out_.items.begin() + std::ptrdiff_t(written_));
        written_ += count;
        passed_ = std::max(passed_, r->itemEnd);
    } else {
        if (count > 0 && (!previousItem(r->itemBegin) || !previousItem(r->itemEnd - 1)))
            return false;
        for (std::size_t i = r->itemBegin; i < r->itemEnd; ++i)
            out_.items.push_back(std::move(*previousItem(i)));
        written_ += count;
    }
    for (std::size_t i = r->entryBegin; i < r->entryEnd; ++i) {
        AccessibilityEntry& e = entries[i];
        // Parents inside the subtree keep their place relative to it; the
        // others are the container in force.
        const int parent = e.parent >= int(r->entryBegin) ? int(entryBase + std::size_t(e.parent) - r->entryBegin)
                                                          : state.container;
        out_.entries.push_back({std::move(e.element), parent, std::move(e.run)});
    }
    record(node, state, itemBase, entryBase);
    return true;
}

void DisplayListBuilder::record(Node& node, const DrawState& state, std::size_t items, std::size_t entries)
{
    if (!node.drawRecord)
        node.drawRecord = std::make_unique<DrawRecord>();
    DrawRecord& r = *node.drawRecord;
    r.build = build_;
    r.epoch = epoch_;
    r.state = state;
    r.itemBegin = items;
    r.itemEnd = written_;
    r.entryBegin = entries;
    r.entryEnd = out_.entries.size();
}

void DisplayListBuilder::drawNode(Node& node, DrawState state)
{
    state.opacity *= transitionOpacity(node);
    if (node.removing)
        state.hittable = false;
    if (node.role() != NodeRole::transparent) {
        const Rect f = node.presentedFrame();
        state.transform = AffineTransform::translation(f.minX(), f.minY()).concatenating(state.transform);
    }
    // A subtree that may change an element around it (a text sets its
    // role, a combining element takes its labels) is never taken over.
    const bool recordable = state.element < 0 || state.a11y == DrawState::A11y::ignore;
    if (recordable && reuse(node, state))
        return;
    // A subtree that drew before: the items before its own are passed.
    if (inPlace_ && node.drawRecord && node.drawRecord->build + 1 == build_ && node.drawRecord->epoch == epoch_)
        passed_ = std::max(passed_, std::min(node.drawRecord->itemBegin, out_.items.size()));
    const std::size_t items = written_;
    const std::size_t entries = out_.entries.size();
    const std::size_t walkedBefore = walked_;
    const std::size_t movingBefore = moving_;
    ++walked_;
    if (isMoving(node))
        ++moving_;
    node.drawTransform = state.transform;
    node.drawOpacity = state.opacity;
    if (node.role() == NodeRole::transparent) {
        for (Node* child : node.drawables(0))
            drawNode(*child, state);
    } else {
        node.primitive->draw(node, *this, state);
    }
    // Worth keeping: a subtree of many nodes, or one node of many items.
    const bool large = walked_ - walkedBefore >= recordedSubtree || written_ - items >= recordedSubtree;
    if (recordable && moving_ == movingBefore && large)
        record(node, state, items, entries);
    else if (node.drawRecord)
        node.drawRecord->build = 0;
}

void DisplayListBuilder::drawSlot(Node& node, int slot, const DrawState& state)
{
    const std::vector<Node*> drawables = node.drawables(slot);
    // Drawn in order of zIndex, in their own order where equal.
    bool ordered = true;
    for (std::size_t i = 1; i < drawables.size() && ordered; ++i)
        ordered = drawables[i - 1]->zIndex() <= drawables[i]->zIndex();
    std::vector<Node*> sorted;
    if (!ordered) {
        sorted = drawables;
        std::stable_sort(sorted.begin(), sorted.end(), [](Node* a, Node* b) { return a->zIndex() < b->zIndex(); });
    }
    for (Node* child : ordered ? drawables : sorted) {
        // Groups, ForEach elements and user views in between fade and leave too.
        DrawState s = state;
        for (Node* p = child->parent; p && p != &node; p = p->parent) {
            s.opacity *= transitionOpacity(*p);
            if (p->removing)
                s.hittable = false;
            if (isMoving(*p))
                ++moving_;
        }
        drawNode(*child, s);
    }
}

void DisplayListBuilder::addItem(Node& node, const DrawState& state, DisplayItem item)
{
    if (state.opacity <= 0)
        return;
    item.node = node.id;
    item.transform = state.transform;
    item.opacity = state.opacity;
    item.hittable = item.hittable && state.hittable;
    if (item.frame.isNull() || item.frame == Rect())
        item.frame = Rect(0, 0, node.presentedFrame().width(), node.presentedFrame().height());
    if (state.clips)
        item.clips = *state.clips;
    if (state.shadows && item.kind != DisplayItem::Kind::hitArea)
        item.shadows = *state.shadows;
    if (item.kind == DisplayItem::Kind::text && state.element >= 0 && state.a11y == DrawState::A11y::normal)
        out_.entries[std::size_t(state.element)].element.role = AccessibilityElement::Role::staticText;
    nextSlot(node) = std::move(item);
}

namespace {

// A fresh item of `kind` in the node's local space, with the state in force.
void stamp(DisplayItem& item, const Node& node, const DrawState& state, DisplayItem::Kind kind)
{
    item.kind = kind;
    item.node = node.id;
    item.transform = state.transform;
    item.opacity = state.opacity;
    item.hittable = state.hittable;
    item.frame = Rect(0, 0, node.presentedFrame().width(), node.presentedFrame().height());
    if (state.clips)
        item.clips = *state.clips;
    if (state.shadows && kind != DisplayItem::Kind::hitArea)
        item.shadows = *state.shadows;
}

} // namespace

DisplayItem* DisplayListBuilder::emplaceItem(Node& node, const DrawState& state, DisplayItem::Kind kind)
{
    if (state.opacity <= 0)
        return nullptr;
    DisplayItem& item = nextSlot(node);
    stamp(item, node, state, kind);
    if (kind == DisplayItem::Kind::text && state.element >= 0 && state.a11y == DrawState::A11y::normal)
        out_.entries[std::size_t(state.element)].element.role = AccessibilityElement::Role::staticText;
    return &item;
}

DisplayItem* DisplayListBuilder::emplaceKeptItem(Node& node, const DrawState& state, DisplayItem::Kind kind)
{
    if (state.opacity <= 0)
        return nullptr;
    bool kept = false;
    DisplayItem& item = nextSlot(node, &kept);
    // The node's item of the build before, drawn in the same state: it
    // stays as it is, for the caller to change what differs.
    if (kept && item.kind == kind && item.transform == state.transform && item.opacity == state.opacity &&
        item.hittable == state.hittable && item.clips == (state.clips ? *state.clips : std::vector<DisplayClip>{}) &&
        item.shadows.empty() && (!state.shadows || state.shadows->empty() || kind == DisplayItem::Kind::hitArea))
        return &item;
    item = DisplayItem{};
    stamp(item, node, state, kind);
    return &item;
}

void DisplayListBuilder::addClip(DrawState& state, Path path, bool evenOdd, bool antialiased)
{
    auto clips = state.clips ? std::make_shared<std::vector<DisplayClip>>(*state.clips)
                             : std::make_shared<std::vector<DisplayClip>>();
    clips->push_back({std::move(path), state.transform, evenOdd, antialiased});
    state.clips = std::move(clips);
}

void DisplayListBuilder::addShadow(DrawState& state, RGBA color, double radius, Point offset)
{
    // Offsets and radii follow the transform in force (its linear part).
    const AffineTransform& t = state.transform;
    const Point hostOffset{t.a * offset.x + t.c * offset.y, t.b * offset.x + t.d * offset.y};
    const double scale = std::sqrt(std::abs(t.a * t.d - t.b * t.c));
    auto shadows = state.shadows ? std::make_shared<std::vector<DisplayShadow>>(*state.shadows)
                                 : std::make_shared<std::vector<DisplayShadow>>();
    shadows->push_back({color, radius * scale, hostOffset});
    state.shadows = std::move(shadows);
}

} // namespace kit::detail
