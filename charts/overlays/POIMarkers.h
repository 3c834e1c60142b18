#pragma once

#include "charts/overlays/HorizontalAbscissaMarker.h"
#include "charts/overlays/HorizontalMarker.h"
#include "charts/overlays/VerticalAbscissaMarker.h"
#include "charts/overlays/VerticalMarker.h"
#include "kit/ui/Shape.h"

#include <memory>

namespace charts {

// The line of a point of interest at `value`, across the chart: horizontal
// on a vertical value axis, vertical on a horizontal bar chart.
template <PointOfInterestProtocol ChartData>
kit::Shape poiMarker(const std::shared_ptr<ChartData>& chartData, double value, double range, double minValue)
{
    if constexpr (HorizontalChartData<ChartData>)
        return VerticalMarker<ChartData>{chartData, value, range, minValue};
    else
        return HorizontalMarker<ChartData>{chartData, value, range, minValue};
}

// The line of a point of interest at data point `markerValue` of
// `dataPointCount`: vertical along a horizontal category axis, horizontal
// on a horizontal bar chart.
template <PointOfInterestProtocol ChartData>
kit::Shape poiAbscissaMarker(const std::shared_ptr<ChartData>& chartData, std::int64_t markerValue,
                             std::int64_t dataPointCount)
{
    if constexpr (HorizontalChartData<ChartData>)
        return HorizontalAbscissaMarker<ChartData>{chartData, markerValue, dataPointCount};
    else
        return VerticalAbscissaMarker<ChartData>{chartData, markerValue, dataPointCount};
}

} // namespace charts
