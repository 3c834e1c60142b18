#pragma once

#include "charts/bar/BarElement.h"
#include "charts/bar/ColoursFill.h"

namespace charts {

// A vertical bar in a linear gradient of evenly spread colours from
// `startPoint` to `endPoint` of its frame (BarElement).
//
//   GradientColoursBar(chartData, dataPoint, colours, kit::UnitPoint::bottom(), kit::UnitPoint::top())
template <class ChartData, class DataPoint>
struct GradientColoursBar
    : BarElement<GradientColoursBar<ChartData, DataPoint>, ChartData, DataPoint, ValueAxis::vertical>,
      ColoursFill {
    GradientColoursBar(std::shared_ptr<ChartData> chartData, DataPoint dataPoint, std::vector<kit::Color> colours,
                       kit::UnitPoint startPoint, kit::UnitPoint endPoint)
        : BarElement<GradientColoursBar, ChartData, DataPoint, ValueAxis::vertical>(std::move(chartData),
                                                                                    std::move(dataPoint)),
          ColoursFill{std::move(colours), startPoint, endPoint}
    {
    }
};

} // namespace charts
