#pragma once

#include "charts/bar/ColourFill.h"
#include "charts/bar/VerticalBarElement.h"

namespace charts {

// A vertical bar in one colour (VerticalBarElement), made from the chart
// data, the data point and the colour:
//
//   ColourBar(chartData, dataPoint, kit::Color::blue())
template <class ChartData, class DataPoint>
struct ColourBar : VerticalBarElement<ColourBar<ChartData, DataPoint>, ChartData, DataPoint>, ColourFill {
    ColourBar(std::shared_ptr<ChartData> chartData, DataPoint dataPoint, kit::Color colour)
        : VerticalBarElement<ColourBar, ChartData, DataPoint>(std::move(chartData), std::move(dataPoint)), ColourFill{
                                                                                                               colour}
    {
    }
};

} // namespace charts
