#pragma once

#include "kit/ui/engine/Node.h"

#include <vector>

namespace kit::detail {

// Layout of a group of items in one slot when a single-child place holds
// several views: stacked vertically (modifiers, the root) or in depth
// (overlays, geometry readers).
enum class Arrangement { vertical, depth };
Size measureItems(const std::vector<Node*>& items, ProposedSize proposal, Arrangement arrangement, Alignment alignment);
void placeItems(const std::vector<Node*>& items, Point origin, ProposedSize proposal, Size size,
                Arrangement arrangement, Alignment alignment);

} // namespace kit::detail
