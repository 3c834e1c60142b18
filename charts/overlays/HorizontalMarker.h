#pragma once

#include "charts/overlays/POIMarkerLine.h"

#include <cstdint>
#include <memory>

namespace charts {

// The line of a point of interest at a value on a vertical value axis: a
// horizontal line from the leading edge to the trailing edge.
// It asks the chart data for the point its line passes through
// (poiMarkerLinePath). It does not animate: the decorations trim it.
template <PointOfInterestProtocol ChartData>
struct HorizontalMarker {
    std::shared_ptr<ChartData> chartData;
    double value = 0;
    double range = 0;
    double minValue = 0;

    kit::Path path(const kit::Rect& rect) const
    {
        return poiMarkerLinePath(poiMarkerLocation(*chartData, rect, value, minValue, range), rect, true);
    }
};

} // namespace charts
