#pragma once

#include "charts/core/ExtraLineData.h"
#include "charts/core/MarkerTypes.h"
#include "kit/ui/View.h"

#include <functional>
#include <optional>

namespace charts {

// The touch dot that line charts draw at a touched position (a disc in a
// ring, in the dot style's colours), filling the frame it is given. The line
// views supply it; the extra line's markers frame it dot-size square and
// centre it on their position.
using TouchDotView = std::function<kit::View(const DotStyle& style)>;

// The dot of `style` drawn by `touchDot`, framed dot-size square and centred
// on `position`.
kit::View placedTouchDot(const DotStyle& style, kit::Point position, const TouchDotView& touchDot);

// Where a marker goes; none when there is no such place.
using MarkerPosition = std::function<std::optional<kit::Point>()>;

// What a touch draws on one line, by `marker`: a dot where the touch meets
// the drawn line; a marker shape across the chart placed on the drawn line
// (with its dot over it) or on the nearest data point (without a dot); or
// nothing. `onLine` and `atPoint` are asked only by the markers that use
// them; a marker whose position is none draws nothing. On the line, the
// bottom-leading marker is stroked in the primary colour at width 2 whatever
// its own colour and stroke.
kit::View lineTouchMarkerView(const LineMarkerType& marker, const MarkerPosition& onLine, const MarkerPosition& atPoint,
                              const TouchDotView& touchDot);

// What a touch draws on a chart's extra line, by its style's marker type: a
// dot on the drawn line; a marker shape across the chart placed on the drawn
// line (with its dot) or on the nearest point; or nothing. A line without
// length, or a touch that finds no point, draws nothing.
kit::View extraLineTouchMarker(const ExtraLineData& extraLine, kit::Point touchLocation, const kit::Rect& chartSize,
                               const TouchDotView& touchDot);

} // namespace charts
