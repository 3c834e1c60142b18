#pragma once

#include "charts/bar/BarElement.h"
#include "charts/bar/StopsFill.h"

namespace charts {

// A horizontal bar in a linear gradient of stops from `startPoint` to
// `endPoint` of its frame (BarElement); the caller turns the chart
// library's stops into the toolkit's (GradientStop::convert).
//
//   HorizontalGradientStopsBar(chartData, dataPoint, GradientStop::convert(stops), kit::UnitPoint::leading(), kit::UnitPoint::trailing())
template <class ChartData, class DataPoint>
struct HorizontalGradientStopsBar
    : BarElement<HorizontalGradientStopsBar<ChartData, DataPoint>, ChartData, DataPoint, ValueAxis::horizontal>,
      StopsFill {
    HorizontalGradientStopsBar(std::shared_ptr<ChartData> chartData, DataPoint dataPoint,
                               std::vector<kit::Gradient::Stop> stops, kit::UnitPoint startPoint,
                               kit::UnitPoint endPoint)
        : BarElement<HorizontalGradientStopsBar, ChartData, DataPoint, ValueAxis::horizontal>(std::move(chartData),
                                                                                              std::move(dataPoint)),
          StopsFill{std::move(stops), startPoint, endPoint}
    {
    }
};

} // namespace charts
