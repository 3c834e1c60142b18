#pragma once

#include "kit/ui/DisplayList.h"
#include "kit/ui/Node.h"
#include "kit/ui/ViewHost.h"

#include <deque>
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

// Walks the tree at presented values and emits display items.
class DisplayListBuilder {
public:
    DisplayListBuilder(DisplayList& list, std::vector<AccessibilityElement>& elements)
        : list_(list), elements_(elements)
    {
    }

    void drawRoot(Node& root);
    // A node at its presented frame (transparent nodes pass through).
    void drawNode(Node& node, DrawState state);
    // The drawables of a slot, sorted by zIndex.
    void drawSlot(Node& node, int slot, const DrawState& state);
    // An item in the node's local space with the state in force.
    void addItem(Node& node, const DrawState& state, DisplayItem item);
    void addClip(DrawState& state, Path path, bool evenOdd, bool antialiased);
    void addShadow(DrawState& state, RGBA color, double radius, Point offset);
    // A new accessibility element for `node` (its presented frame in host
    // coordinates) under state.container; returns its index.
    int addElement(Node& node, const DrawState& state);
    AccessibilityElement& element(int index) { return entries_[std::size_t(index)].element; }
    // Nests the collected elements into the output list.
    void finish();

private:
    struct Entry {
        AccessibilityElement element;
        int parent;
    };
    DisplayList& list_;
    std::vector<AccessibilityElement>& elements_;
    std::deque<Entry> entries_;
};

} // namespace kit::detail
