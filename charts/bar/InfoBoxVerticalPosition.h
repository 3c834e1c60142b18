#pragma once

#include "kit/base/Rect.h"

namespace charts {

// The centre of a floating info box along the vertical axis of a chart
// whose categories run down its height: the touch coordinate `t` kept half
// a box height inside the chart's frame (the top bound tested first), with
// no room added for axis labels or titles.
inline double infoBoxVerticalPosition(double t, const kit::Rect& box, const kit::Rect& chart)
{
    const double halfHeight = box.height() * 0.5;
    if (chart.minY() + halfHeight > t)
        return chart.minY() + halfHeight;
    if (chart.maxY() - halfHeight < t)
        return chart.maxY() - halfHeight;
    return t;
}

} // namespace charts
