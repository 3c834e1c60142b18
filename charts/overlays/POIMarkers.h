#pragma once

#include "charts/overlays/POILocations.h"
#include "kit/base/Path.h"
#include "kit/ui/Shape.h"

#include <cstdint>
#include <memory>

namespace charts {

// The lines of points of interest. Each asks the chart data for the point
// its line passes through and draws one open segment from edge to edge of
// the chart. They do not animate: the decorations trim them.

// The line of a point-of-interest marker through `point`, running along
// `axis`: one open segment from edge to edge of `rect`, starting at
// coordinate 0 whatever the rectangle's origin; a horizontal line runs from
// the leading edge to the trailing edge at the point's y, a vertical one
// from the top edge to the bottom edge at its x, so that a trim growing from
// 0 draws it in that direction. A point that is not a number draws nothing.
inline kit::Path poiMarkerLinePath(kit::Point point, const kit::Rect& rect, kit::Axis axis)
{
    kit::Path path;
    if (!point.isFinite())
        return path;
    if (axis == kit::Axis::horizontal) {
        path.move({0, point.y});
        path.addLine({rect.width(), point.y});
    } else {
        path.move({point.x, 0});
        path.addLine({point.x, rect.height()});
    }
    return path;
}

// The line of a point of interest at a value, along `axis` (poiMarkerLocation).
template <kit::Axis axis, PointOfInterestProtocol ChartData>
struct ValueMarker {
    std::shared_ptr<ChartData> chartData;
    double value = 0;
    double range = 0;
    double minValue = 0;

    kit::Path path(const kit::Rect& rect) const
    {
        return poiMarkerLinePath(poiMarkerLocation(*chartData, rect, value, minValue, range), rect, axis);
    }
};

// The line of a point of interest at data point `markerValue` of
// `dataPointCount`, along `axis` (poiAbscissaMarkerLocation).
template <kit::Axis axis, PointOfInterestProtocol ChartData>
struct AbscissaMarker {
    std::shared_ptr<ChartData> chartData;
    std::int64_t markerValue = 0;
    std::int64_t dataPointCount = 0;

    kit::Path path(const kit::Rect& rect) const
    {
        return poiMarkerLinePath(poiAbscissaMarkerLocation(*chartData, markerValue, dataPointCount, rect), rect, axis);
    }
};

// At a value on a vertical value axis: leading edge to trailing edge.
template <PointOfInterestProtocol ChartData>
using HorizontalMarker = ValueMarker<kit::Axis::horizontal, ChartData>;
// At a value on a horizontal value axis (a horizontal bar chart): top to bottom.
template <PointOfInterestProtocol ChartData>
using VerticalMarker = ValueMarker<kit::Axis::vertical, ChartData>;
// At a data point along a vertical category axis (a horizontal bar chart):
// leading edge to trailing edge.
template <PointOfInterestProtocol ChartData>
using HorizontalAbscissaMarker = AbscissaMarker<kit::Axis::horizontal, ChartData>;
// At a data point along a horizontal category axis: top to bottom.
template <PointOfInterestProtocol ChartData>
using VerticalAbscissaMarker = AbscissaMarker<kit::Axis::vertical, ChartData>;

// The line of a point of interest at `value`, across the chart: horizontal
// on a vertical value axis, vertical on a horizontal bar chart.
template <PointOfInterestProtocol ChartData>
kit::Shape poiMarker(const std::shared_ptr<ChartData>& chartData, double value, double range, double minValue)
{
    return ValueMarker<poiMarkerAxis<ChartData>, ChartData>{.chartData = chartData,
                                                            .value = value,
                                                            .range = range,
                                                            .minValue = minValue};
}

// The line of a point of interest at data point `markerValue` of
// `dataPointCount`: vertical along a horizontal category axis, horizontal
// on a horizontal bar chart.
template <PointOfInterestProtocol ChartData>
kit::Shape poiAbscissaMarker(const std::shared_ptr<ChartData>& chartData, std::int64_t markerValue,
                             std::int64_t dataPointCount)
{
    return AbscissaMarker<poiAbscissaMarkerAxis<ChartData>, ChartData>{.chartData = chartData,
                                                                       .markerValue = markerValue,
                                                                       .dataPointCount = dataPointCount};
}

} // namespace charts
