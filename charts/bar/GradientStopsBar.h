#pragma once

#include "charts/bar/BarElement.h"
#include "charts/bar/StopsFill.h"

namespace charts {

// A vertical bar in a linear gradient of stops from `startPoint` to
// `endPoint` of its frame (BarElement); the caller turns the chart
// library's stops into the toolkit's (GradientStop::convert).
//
//   GradientStopsBar(chartData, dataPoint, GradientStop::convert(stops), kit::UnitPoint::bottom(), kit::UnitPoint::top())
template <class ChartData, class DataPoint>
struct GradientStopsBar : BarElement<GradientStopsBar<ChartData, DataPoint>, ChartData, DataPoint, ValueAxis::vertical>,
                          StopsFill {
    GradientStopsBar(std::shared_ptr<ChartData> chartData, DataPoint dataPoint, std::vector<kit::Gradient::Stop> stops,
                     kit::UnitPoint startPoint, kit::UnitPoint endPoint)
        : BarElement<GradientStopsBar, ChartData, DataPoint, ValueAxis::vertical>(std::move(chartData),
                                                                                  std::move(dataPoint)),
          StopsFill{std::move(stops), startPoint, endPoint}
    {
    }
};

} // namespace charts
