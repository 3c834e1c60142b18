#pragma once

#include "charts/core/MarkerTypes.h"
#include "kit/base/Point.h"
#include "kit/ui/View.h"

namespace charts {

// The touch dot of a line at `location` (in the chart area's coordinates):
// a PosistionIndicator framed to the dot style's size and centred there, or
// nothing for no dot.
struct IndicatorSwitch : kit::ViewMethods<IndicatorSwitch> {
    Dot indicator;
    kit::Point location;

    IndicatorSwitch(Dot indicator, kit::Point location) : indicator(std::move(indicator)), location(location) {}

    kit::View body() const;
};

} // namespace charts
