#pragma once

#include "charts/overlays/POIMarkerLine.h"

#include <cstdint>
#include <memory>

namespace charts {

// The line of a point of interest at a data point along a horizontal
// category axis: a vertical line from the top edge to the bottom.
// It asks the chart data for the point its line passes through
// (poiMarkerLinePath). It does not animate: the decorations trim it.
template <PointOfInterestProtocol ChartData>
struct VerticalAbscissaMarker {
    std::shared_ptr<ChartData> chartData;
    std::int64_t markerValue = 0;
    std::int64_t dataPointCount = 0;

    kit::Path path(const kit::Rect& rect) const
    {
        return poiMarkerLinePath(poiAbscissaMarkerLocation(*chartData, markerValue, dataPointCount, rect), rect, false);
    }
};

} // namespace charts
