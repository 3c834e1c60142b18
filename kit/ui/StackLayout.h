#pragma once

#include "kit/ui/Node.h"

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

// Tells the items which stack axis they sit in (spacers and dividers read it).
void assignAxis(const std::vector<Node*>& items, std::optional<Axis> axis);

inline constexpr double defaultSpacing = 8;

} // namespace kit::detail
