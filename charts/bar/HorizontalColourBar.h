#pragma once

#include "charts/bar/ColourFill.h"
#include "charts/bar/HorizontalBarElement.h"

namespace charts {

// A horizontal bar in one colour (HorizontalBarElement), made from the chart
// data, the data point and the colour:
//
//   HorizontalColourBar(chartData, dataPoint, kit::Color::blue())
template <class ChartData, class DataPoint>
struct HorizontalColourBar : HorizontalBarElement<HorizontalColourBar<ChartData, DataPoint>, ChartData, DataPoint>,
                             ColourFill {
    HorizontalColourBar(std::shared_ptr<ChartData> chartData, DataPoint dataPoint, kit::Color colour)
        : HorizontalBarElement<HorizontalColourBar, ChartData, DataPoint>(std::move(chartData), std::move(dataPoint)),
          ColourFill{colour}
    {
    }
};

} // namespace charts
