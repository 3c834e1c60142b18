#pragma once

#include "kit/ui/View.h"

#include <optional>
#include <vector>

namespace kit {

// Children side by side, space shared by layout priority and flexibility,
// `spacing` (8 when unset) between neighbours, aligned vertically.
View HStack(std::vector<View> children);
View HStack(VerticalAlignment alignment, std::vector<View> children);
View HStack(VerticalAlignment alignment, std::optional<double> spacing, std::vector<View> children);

// Children top to bottom, aligned horizontally.
View VStack(std::vector<View> children);
View VStack(HorizontalAlignment alignment, std::vector<View> children);
View VStack(HorizontalAlignment alignment, std::optional<double> spacing, std::vector<View> children);

// Children over each other, the first at the back, each offered the whole
// proposal and aligned; the stack is their bounding box.
View ZStack(std::vector<View> children);
View ZStack(Alignment alignment, std::vector<View> children);

// Flexible space along the enclosing stack's axis (at least minLength, 8 when
// unset); elsewhere it takes the proposal. Not drawn, not hittable.
View Spacer(std::optional<double> minLength = std::nullopt);

// A 1-point line in the separator colour: vertical in an HStack, horizontal
// elsewhere. Its direction comes from the nearest horizontal or vertical
// stack around it, also through depth stacks in between.
View Divider();

} // namespace kit
