#pragma once

#include "charts/bar/ColoursFill.h"
#include "charts/bar/VerticalBarElement.h"

namespace charts {

// A vertical bar in a linear gradient of evenly spread colours from
// `startPoint` to `endPoint` of its frame (VerticalBarElement).
//
//   GradientColoursBar(chartData, dataPoint, colours, kit::UnitPoint::bottom(), kit::UnitPoint::top())
template <class ChartData, class DataPoint>
struct GradientColoursBar : VerticalBarElement<GradientColoursBar<ChartData, DataPoint>, ChartData, DataPoint>,
                            ColoursFill {
    GradientColoursBar(std::shared_ptr<ChartData> chartData, DataPoint dataPoint, std::vector<kit::Color> colours,
                       kit::UnitPoint startPoint, kit::UnitPoint endPoint)
        : VerticalBarElement<GradientColoursBar, ChartData, DataPoint>(std::move(chartData), std::move(dataPoint)),
          ColoursFill{std::move(colours), startPoint, endPoint}
    {
    }
};

} // namespace charts
