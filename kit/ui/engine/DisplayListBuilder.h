#pragma once

#include "kit/ui/AccessibilityElements.h"
#include "kit/ui/DisplayList.h"
#include "kit/ui/ViewHost.h"
#include "kit/ui/engine/Node.h"

#include <functional>
#include <memory>
#include <vector>

namespace kit::detail {

// What is in force while drawing a subtree.
struct DrawState {
    AffineTransform transform; // local to host
    double opacity = 1;
    std::shared_ptr<const std::vector<DisplayClip>> clips;
    std::shared_ptr<const std::vector<DisplayShadow>> shadows;
    bool hittable = true;
    // Accessibility: the element of the enclosing view (an index in the
    // builder's list), the modifier node that made it, the element new
    // elements nest in (-1: top level), and how descendants contribute.
    int element = -1;
    Node* elementNode = nullptr;
    int container = -1;
    enum class A11y { normal, combine, ignore } a11y = A11y::normal;
};

// Elements made only when the accessibility tree is asked for
// (AccessibilityElements): element i is `element(i)`, its frame (the
// node's local frame `bounds` when it gives none) mapped by `transform`.
struct AccessibilityRun {
    int count = 0;
    std::function<AccessibilityElementContent(int)> element;
    Rect bounds;
    AffineTransform transform;
    NodeId node = 0;

    AccessibilityElement at(int index) const;
};

// An accessibility element as it is drawn: `parent` is the index of the
// element it nests in, -1 at top level. An entry with a `run` stands for
// that run's elements in order (and never has children).
struct AccessibilityEntry {
    AccessibilityElement element;
    int parent = -1;
    std::shared_ptr<const AccessibilityRun> run;
};

// The output of one build: the items and the flat elements.
struct DrawOutput {
    std::vector<DisplayItem> items;
    std::vector<AccessibilityEntry> entries;
};

// The output of the build before, which the builder may move parts from.
// Its items may be the very list the builder writes (`out.items`): then the
// new items are written over the old ones no subtree still to come can
// take over, and a subtree taken over where it lay is not moved at all.
// Without `entries` nothing is taken over (after a pass): the list before
// is only written over.
struct PreviousDrawOutput {
    std::vector<DisplayItem>* items = nullptr;
    std::vector<AccessibilityEntry>* entries = nullptr;
};

// What a node's subtree drew in the latest build, so that the next build
// can take it over when nothing it depends on has moved: the host's tree
// and layout are those of the same pass (`epoch`), no channel in the
// subtree was running and no node was leaving, and the state in force is
// the same.
struct DrawRecord {
    std::uint64_t build = 0;
    std::pair<std::uint64_t, std::uint64_t> epoch;
    DrawState state;
    std::size_t itemBegin = 0, itemEnd = 0;
    std::size_t entryBegin = 0, entryEnd = 0;
};

// Walks the tree at presented values and emits display items and
// accessibility elements into `out`. `previous` is the output of the
// build before (numbered `build - 1`): subtrees that drew the same since
// are moved over from it rather than walked again.
class DisplayListBuilder {
public:
    DisplayListBuilder(DrawOutput& out, PreviousDrawOutput previous = {}, std::uint64_t build = 0,
                       std::pair<std::uint64_t, std::uint64_t> epoch = {})
        : out_(out), previous_(previous), build_(build), epoch_(epoch), inPlace_(previous.items == &out.items)
    {
        if (!inPlace_)
            out_.items.clear();
    }
    // Subtrees of at least this many drawn nodes or items keep a record for reuse.
    static constexpr std::size_t recordedSubtree = 16;

    void drawRoot(Node& root);
    // A node at its presented frame (transparent nodes pass through).
    void drawNode(Node& node, DrawState state);
    // The drawables of a slot, sorted by zIndex.
    void drawSlot(Node& node, int slot, const DrawState& state);
    // An item in the node's local space with the state in force.
    void addItem(Node& node, const DrawState& state, DisplayItem item);
    // A new item of `kind` made in place at the end of the list, with the
    // state in force and the node's frame, for the caller to give its
    // geometry and paint (so a view of thousands of items moves none of
    // them); null, adding nothing, where the state shows nothing.
    DisplayItem* emplaceItem(Node& node, const DrawState& state, DisplayItem::Kind kind);
    // The same, where the list before is written over: the node's own item
    // there of `kind` in the same state is handed back as it was, for the
    // caller to change only what differs (a fill's frame, path and paint;
    // a view of thousands of areas that stay writes none of them).
    DisplayItem* emplaceKeptItem(Node& node, const DrawState& state, DisplayItem::Kind kind);
    void addClip(DrawState& state, Path path, bool evenOdd, bool antialiased);
    void addShadow(DrawState& state, RGBA color, double radius, Point offset);
    // A new accessibility element for `node` (its presented frame in host
    // coordinates) under state.container; returns its index.
    int addElement(Node& node, const DrawState& state);
    AccessibilityElement& element(int index) { return out_.entries[std::size_t(index)].element; }
    // A run of elements under state.container, made when asked for.
    void addElementRun(std::shared_ptr<const AccessibilityRun> run, const DrawState& state);
    // Nodes walked in this build.
    std::size_t walked() const { return walked_; }
    // Ends the build: the items written are the list (those of the build
    // before that no subtree took over are gone).
    void finish();

private:
    bool reuse(Node& node, const DrawState& state);
    void record(Node& node, const DrawState& state, std::size_t items, std::size_t entries);
    // Where the next item of `node` goes: the slot at the end of the items
    // written, made free first when it still holds an item of the build
    // before that a subtree still to come could take over.
    // With `kept`, the node's own item there is handed back as it is, and
    // *kept set.
    DisplayItem& nextSlot(Node& node, bool* kept = nullptr);
    // Leaves writing in place: the items of the build before not yet passed
    // move to a list of their own.
    void leaveInPlace();
    // The item of the build before at `index`, or null where it is gone.
    DisplayItem* previousItem(std::size_t index);

    DrawOutput& out_;
    PreviousDrawOutput previous_;
    std::uint64_t build_;
    std::pair<std::uint64_t, std::uint64_t> epoch_;
    std::size_t walked_ = 0;
    std::size_t moving_ = 0; // nodes walked with a running channel or leaving
    // The items written so far: out_.items[0, written_).
    std::size_t written_ = 0;
    // Writing over the items of the build before (out_.items), which from
    // `passed_` on may still be taken over; after leaving, those lie in
    // `rest_`, the first of them the one at `restBase_`.
    bool inPlace_ = false;
    std::size_t passed_ = 0;
    std::vector<DisplayItem> rest_;
    std::size_t restBase_ = 0;
    bool hasRest_ = false;
};

// Nests flat entries (parents before their children) into a tree.
std::vector<AccessibilityElement> nestedElements(const std::vector<AccessibilityEntry>& entries);
// Whether `node` presents a running channel or is leaving.
bool isMoving(const Node& node);
// The opacity of `node`'s own insertion or removal fade.
double transitionOpacity(const Node& node);

} // namespace kit::detail
