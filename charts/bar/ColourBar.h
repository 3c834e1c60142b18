#pragma once

#include "charts/bar/BarElement.h"
#include "charts/bar/ColourFill.h"

namespace charts {

// A vertical bar in one colour (BarElement), made from the chart
// data, the data point and the colour:
//
//   ColourBar(chartData, dataPoint, kit::Color::blue())
template <class ChartData, class DataPoint>
struct ColourBar : BarElement<ColourBar<ChartData, DataPoint>, ChartData, DataPoint, ValueAxis::vertical>, ColourFill {
    ColourBar(std::shared_ptr<ChartData> chartData, DataPoint dataPoint, kit::Color colour)
        : BarElement<ColourBar, ChartData, DataPoint, ValueAxis::vertical>(std::move(chartData), std::move(dataPoint)),
          ColourFill{colour}
    {
    }
};

} // namespace charts
