#pragma once

#include "charts/overlays/POILocations.h"
#include "kit/base/Path.h"

#include <cstdint>
#include <memory>

namespace charts {

// The line of a point of interest at a value on a vertical value axis: a
// horizontal line from the leading edge to the trailing edge.
// It asks the chart data for the point its line passes through and draws
// one open segment through it from edge to edge of its rectangle, starting
// at coordinate 0 whatever the rectangle's origin; a point that is not a
// number draws nothing. It does not animate: the decorations trim it.
template <PointOfInterestProtocol ChartData>
struct HorizontalMarker {
    std::shared_ptr<ChartData> chartData;
    double value = 0;
    double range = 0;
    double minValue = 0;

    kit::Path path(const kit::Rect& rect) const
    {
        const kit::Point p = poiMarkerLocation(*chartData, rect, value, minValue, range);
        kit::Path path;
        if (!isFinitePoint(p))
            return path;
        path.move({0, p.y});
        path.addLine({rect.width(), p.y});
        return path;
    }
};

} // namespace charts
