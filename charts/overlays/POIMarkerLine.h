#pragma once

#include "charts/overlays/POILocations.h"
#include "kit/base/Path.h"

namespace charts {

// The line of a point-of-interest marker through `point`: one open segment
// from edge to edge of `rect`, starting at coordinate 0 whatever the
// rectangle's origin; a horizontal line (`across`) runs from the leading
// edge to the trailing edge at the point's y, a vertical one from the top
// edge to the bottom edge at its x, so that a trim growing from 0 draws it
// in that direction. A point that is not a number draws nothing.
inline kit::Path poiMarkerLinePath(kit::Point point, const kit::Rect& rect, bool across)
{
    kit::Path path;
    if (!point.isFinite())
        return path;
    if (across) {
        path.move({0, point.y});
        path.addLine({rect.width(), point.y});
    } else {
        path.move({point.x, 0});
        path.addLine({point.x, rect.height()});
    }
    return path;
}

} // namespace charts
