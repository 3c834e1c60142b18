#pragma once

// The touch dot of a line chart: the dot itself (PosistionIndicator) and the
// dot placed at a touched location, or no dot (IndicatorSwitch).

#include "charts/core/MarkerTypes.h"
#include "kit/base/Color.h"
#include "kit/base/Point.h"
#include "kit/ui/View.h"

namespace charts {

// The dot that marks a touched position on a line: a disc of `fillColour`
// inside a ring of `lineColour`, `lineWidth` wide. It has no size of its
// own and fills the frame it is given; the disc's diameter is the frame's
// smaller side less twice the ring's width.
struct PosistionIndicator : kit::ViewMethods<PosistionIndicator> {
    kit::Color fillColour;
    kit::Color lineColour;
    double lineWidth = 0;

    PosistionIndicator(kit::Color fillColour, kit::Color lineColour, double lineWidth)
        : fillColour(fillColour), lineColour(lineColour), lineWidth(lineWidth)
    {
    }

    kit::View body() const;
};

// The touch dot of `style` as the line and bar charts' touch markers draw
// it: a PosistionIndicator in the style's colours and ring width (the
// caller frames it to the style's size).
kit::View posistionIndicatorDot(const DotStyle& style);

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
