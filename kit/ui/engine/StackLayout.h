#pragma once

#include "kit/ui/engine/Node.h"
#include "kit/ui/engine/Primitive.h"

#include <functional>
#include <vector>

namespace kit::detail {

// Where a stack puts its children for one proposal.
struct StackArrangement {
    std::vector<ProposedSize> proposals;
    std::vector<Size> sizes;
    std::vector<Point> origins;
    Size size;
};

// Stack layout along `axis`: space shared by priority and flexibility, the
// cross axis aligned on `crossGuide` (a child's guide value for its size).
StackArrangement arrangeStack(const std::vector<Node*>& items, ProposedSize proposal, Axis axis, double spacing,
                              const std::function<double(Node&, Size)>& crossGuide);

// Depth layout: every child gets the whole proposal and is aligned on both guides.
StackArrangement arrangeDepth(const std::vector<Node*>& items, ProposedSize proposal, Alignment alignment);

// Tells the items which stack axis they sit in (spacers read it) and the
// axis of the nearest horizontal or vertical stack around them (dividers).
void assignAxis(const std::vector<Node*>& items, std::optional<Axis> axis,
                std::optional<Axis> enclosing = std::nullopt);
// The content of a modifier sits where the modifier sits.
void passAxis(const std::vector<Node*>& items, const Node& modifier);

inline constexpr double defaultSpacing = 8;

// A container whose children, in slot 0 by position, are laid out by one
// arrangement: measuring takes its size, placing puts each child where it says.
class ArrangedContainer : public Primitive {
public:
    explicit ArrangedContainer(std::vector<View> children) : children_(std::move(children)) {}
    NodeRole role() const override { return NodeRole::container; }
    void update(Node& node) const override { reconcileChildren(node, positional(children_)); }
    Size sizeThatFits(Node& node, ProposedSize proposal) const override { return arrange(node, proposal).size; }
    void placeChildren(Node& node, ProposedSize proposal, Size) const override
    {
        const std::vector<Node*> items = node.items(0);
        const StackArrangement a = arrange(node, proposal);
        for (std::size_t i = 0; i < items.size(); ++i)
            items[i]->place(a.origins[i], a.proposals[i]);
    }

protected:
    virtual StackArrangement arrange(Node& node, ProposedSize proposal) const = 0;

private:
    std::vector<View> children_;
};

} // namespace kit::detail
