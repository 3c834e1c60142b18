#pragma once

#include "charts/bar/ColoursFill.h"
#include "charts/bar/HorizontalBarElement.h"

namespace charts {

// A horizontal bar in a linear gradient of evenly spread colours from
// `startPoint` to `endPoint` of its frame (HorizontalBarElement).
//
//   HorizontalGradientColoursBar(chartData, dataPoint, colours, kit::UnitPoint::leading(), kit::UnitPoint::trailing())
template <class ChartData, class DataPoint>
struct HorizontalGradientColoursBar
    : HorizontalBarElement<HorizontalGradientColoursBar<ChartData, DataPoint>, ChartData, DataPoint>,
      ColoursFill {
    HorizontalGradientColoursBar(std::shared_ptr<ChartData> chartData, DataPoint dataPoint,
                                 std::vector<kit::Color> colours, kit::UnitPoint startPoint, kit::UnitPoint endPoint)
        : HorizontalBarElement<HorizontalGradientColoursBar, ChartData, DataPoint>(std::move(chartData),
                                                                                   std::move(dataPoint)),
          ColoursFill{std::move(colours), startPoint, endPoint}
    {
    }
};

} // namespace charts
