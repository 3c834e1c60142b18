#pragma once

#include "charts/bar/BarElement.h"
#include "charts/bar/ColourFill.h"

namespace charts {

// A horizontal bar in one colour (BarElement), made from the chart
// data, the data point and the colour:
//
//   HorizontalColourBar(chartData, dataPoint, kit::Color::blue())
template <class ChartData, class DataPoint>
struct HorizontalColourBar
    : BarElement<HorizontalColourBar<ChartData, DataPoint>, ChartData, DataPoint, ValueAxis::horizontal>,
      ColourFill {
    HorizontalColourBar(std::shared_ptr<ChartData> chartData, DataPoint dataPoint, kit::Color colour)
        : BarElement<HorizontalColourBar, ChartData, DataPoint, ValueAxis::horizontal>(std::move(chartData),
                                                                                       std::move(dataPoint)),
          ColourFill{colour}
    {
    }
};

} // namespace charts
