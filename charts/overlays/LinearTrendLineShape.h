#pragma once

#include "kit/base/Path.h"
#include "kit/base/Rect.h"
#include "kit/ui/Shape.h"

namespace charts {

// A straight line from `firstValue` on the leading edge to `lastValue` on
// the trailing edge, both on the vertical value axis that runs from
// `minValue` on the bottom edge to minValue + range on the top edge. Values
// outside that span lie outside the rectangle; nothing is clamped. A range
// of 0 puts both ends on the bottom edge; an end that is not a finite number
// leaves the path empty.
struct LinearTrendLineShape : kit::ShapeBase<LinearTrendLineShape> {
    double firstValue = 0;
    double lastValue = 0;
    double range = 0;
    double minValue = 0;

    LinearTrendLineShape(double firstValue, double lastValue, double range, double minValue)
        : firstValue(firstValue), lastValue(lastValue), range(range), minValue(minValue)
    {
    }

    kit::Path path(const kit::Rect& rect) const;
};

} // namespace charts
