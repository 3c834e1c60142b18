#include "kit/ui/engine/GroupLayout.h"

#include "kit/ui/engine/StackLayout.h"

namespace kit::detail {

namespace {

// Several items stacked vertically or in depth.
StackArrangement arrange(const std::vector<Node*>& items, ProposedSize proposal, Arrangement arrangement,
                         Alignment alignment)
{
    if (arrangement == Arrangement::depth)
        return arrangeDepth(items, proposal, alignment);
    return arrangeStack(items, proposal, Axis::vertical, defaultSpacing,
                        [&](Node& n, Size s) { return n.guide(alignment.horizontal, s); });
}

} // namespace

Size measureItems(const std::vector<Node*>& items, ProposedSize proposal, Arrangement arrangement, Alignment alignment)
{
    if (items.empty())
        return {0, 0};
    if (items.size() == 1)
        return items[0]->sizeThatFits(proposal);
    return arrange(items, proposal, arrangement, alignment).size;
}

void placeItems(const std::vector<Node*>& items, Point origin, ProposedSize proposal, Size size,
                Arrangement arrangement, Alignment alignment)
{
    if (items.empty())
        return;
    if (items.size() == 1) {
        items[0]->place(origin, proposal);
        return;
    }
    const StackArrangement a = arrange(items, proposal, arrangement, alignment);
    // The group is aligned inside `size` as a whole.
    const double dx = arrangement == Arrangement::depth ? 0 : (size.width - a.size.width) / 2;
    for (std::size_t i = 0; i < items.size(); ++i)
        items[i]->place({origin.x + dx + a.origins[i].x, origin.y + a.origins[i].y}, a.proposals[i]);
}

} // namespace kit::detail
