#pragma once

#include "charts/overlays/POILocations.h"
#include "kit/base/Path.h"

#include <cstdint>
#include <memory>

namespace charts {

// The line of a point of interest at a value on a horizontal value axis
// (a horizontal bar chart): a vertical line from the top edge to the bottom.
// It asks the chart data for the point its line passes through and draws
// one open segment through it from edge to edge of its rectangle, starting
// at coordinate 0 whatever the rectangle's origin; a point that is not a
// number draws nothing. It does not animate: the decorations trim it.
template <PointOfInterestProtocol ChartData>
struct VerticalMarker {
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
        path.move({p.x, 0});
        path.addLine({p.x, rect.height()});
        return path;
    }
};

} // namespace charts
