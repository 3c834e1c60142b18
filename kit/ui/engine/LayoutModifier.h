#pragma once

// What the modifiers that lay their content out differently share (frames,
// padding, position, fixed size, aspect ratio).

#include "kit/ui/engine/GroupLayout.h"
#include "kit/ui/engine/Primitive.h"

#include <optional>
#include <vector>

namespace kit::detail {

// The content of a modifier measured as one group (normally a single item),
// in the stack the modifier sits in.
Size contentSize(Node& node, ProposedSize p);

// The content of a layout modifier as placement sees it: one item with its
// own guides, or several measured as one group.
struct Content {
    Size size;
    Node* item = nullptr; // null for a group
    double guide(HorizontalAlignment g) const { return item ? item->guide(g, size) : plain()[g]; }
    double guide(VerticalAlignment g) const { return item ? item->guide(g, size) : plain()[g]; }
    ViewDimensions plain() const { return ViewDimensions::box(size); }
};

// Where content goes when aligned inside `size`.
inline Point aligned(Size size, const Content& content, Alignment alignment)
{
    const ViewDimensions own = ViewDimensions::box(size);
    return {own[alignment.horizontal] - content.guide(alignment.horizontal),
            own[alignment.vertical] - content.guide(alignment.vertical)};
}

// A modifier whose own layout differs from its content's: it proposes
// childProposal() to the content and puts it at childOrigin() inside its own
// size. Its guides are the content's, moved by where the content goes.
class LayoutModifier : public ModifierPrimitive {
public:
    using ModifierPrimitive::ModifierPrimitive;

    void placeChildren(Node& node, ProposedSize p, Size size) const override
    {
        const std::vector<Node*> items = node.items(0);
        const ProposedSize cp = childProposal(node, p);
        if (items.size() == 1) {
            const Content c{items[0]->sizeThatFits(cp), items[0]};
            items[0]->place(childOrigin(node, size, c), cp);
            return;
        }
        const Content group{contentSize(node, cp)};
        placeItems(items, childOrigin(node, size, group), cp, group.size, Arrangement::vertical, Alignment::center());
    }
    std::optional<double> explicitGuide(Node& node, HorizontalAlignment g, Size size) const override
    {
        return shifted(
            node, size, [g](Node& item, Size s) { return item.primitive->explicitGuide(item, g, s); }, true);
    }
    std::optional<double> explicitGuide(Node& node, VerticalAlignment g, Size size) const override
    {
        return shifted(
            node, size, [g](Node& item, Size s) { return item.primitive->explicitGuide(item, g, s); }, false);
    }

protected:
    virtual ProposedSize childProposal(Node& node, ProposedSize p) const = 0;
    virtual Point childOrigin(Node& node, Size size, const Content& content) const = 0;

private:
    // A content guide moved by where the content sits when this modifier has `size`.
    template <class Guide>
    std::optional<double> shifted(Node& node, Size size, Guide guide, bool horizontal) const
    {
        const std::vector<Node*> items = node.items(0);
        if (items.size() != 1)
            return std::nullopt;
        const ProposedSize cp = childProposal(node, size);
        const Content c{items[0]->sizeThatFits(cp), items[0]};
        const std::optional<double> v = guide(*items[0], c.size);
        if (!v)
            return std::nullopt;
        const Point origin = childOrigin(node, size, c);
        return (horizontal ? origin.x : origin.y) + *v;
    }
};

} // namespace kit::detail
