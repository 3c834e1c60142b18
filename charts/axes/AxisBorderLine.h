#pragma once

#include "kit/base/Color.h"
#include "kit/ui/View.h"

#include <optional>

namespace charts {

// The line an axis border draws along a chart's edge: the plain divider,
// with `colour` behind it when one is set. It has no frame of its own and
// takes its direction from the stack around it.
kit::View axisBorderLine(const std::optional<kit::Color>& colour);

} // namespace charts
