#pragma once

#include "charts/bar/BarElement.h"
#include "charts/bar/ColoursFill.h"

namespace charts {

// A horizontal bar in a linear gradient of evenly spread colours from
// `startPoint` to `endPoint` of its frame (BarElement).
//
//   HorizontalGradientColoursBar(chartData, dataPoint, colours, kit::UnitPoint::leading(), kit::UnitPoint::trailing())
template <class ChartData, class DataPoint>
struct HorizontalGradientColoursBar
    : BarElement<HorizontalGradientColoursBar<ChartData, DataPoint>, ChartData, DataPoint, ValueAxis::horizontal>,
      ColoursFill {
    HorizontalGradientColoursBar(std::shared_ptr<ChartData> chartData, DataPoint dataPoint,
                                 std::vector<kit::Color> colours, kit::UnitPoint startPoint, kit::UnitPoint endPoint)
        : BarElement<HorizontalGradientColoursBar, ChartData, DataPoint, ValueAxis::horizontal>(std::move(chartData),
                                                                                                std::move(dataPoint)),
          ColoursFill{std::move(colours), startPoint, endPoint}
    {
    }
};

} // namespace charts
