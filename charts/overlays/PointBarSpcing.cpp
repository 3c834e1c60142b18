#include "charts/overlays/PointBarSpcing.h"

#include "charts/line/PointMarkers.h"

#include <cmath>

namespace charts {

kit::Path PointBarSpcing::path(const kit::Rect& rect) const
{
    if (datapointCount <= 0)
        return {};
    // The line chart's marker of a lone point stands on the leading edge at
    // the value's height; moved to the middle of slot `index`.
    const double step = rect.width() / datapointCount;
    const double centre = step * 0.5 + step * index;
    if (!std::isfinite(centre))
        return {};
    return Point(value, 0, minValue, range, 1, pointSize, ignoreZero, pointStyle)
        .path(rect)
        .applying(kit::AffineTransform::translation(centre, 0));
}

} // namespace charts
