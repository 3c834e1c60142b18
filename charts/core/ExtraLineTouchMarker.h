#pragma once

#include "charts/core/DotStyle.h"
#include "charts/core/ExtraLineData.h"
#include "kit/ui/View.h"

#include <functional>

namespace charts {

// The touch dot that line charts draw at a touched position (a disc in a
// ring, in the dot style's colours), filling the frame it is given. The line
// views supply it; the extra line's markers frame it dot-size square and
// centre it on their position.
using TouchDotView = std::function<kit::View(const DotStyle& style)>;

// What a touch draws on a chart's extra line, by its style's marker type: a
// dot on the drawn line; a marker shape across the chart placed on the drawn
// line (with its dot) or on the nearest point; or nothing. A line without
// length, or a touch that finds no point, draws nothing.
kit::View extraLineTouchMarker(const ExtraLineData& extraLine, kit::Point touchLocation, const kit::Rect& chartSize,
                               const TouchDotView& touchDot);

} // namespace charts
