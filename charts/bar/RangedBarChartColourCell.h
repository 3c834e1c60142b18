#pragma once

#include "charts/bar/ColourFill.h"
#include "charts/bar/RangedBarCell.h"

namespace charts {

// A floating bar of a ranged bar chart in one colour (RangedBarCell).
template <class ChartData>
struct RangedBarChartColourCell : RangedBarCell<RangedBarChartColourCell<ChartData>, ChartData>, ColourFill {
    RangedBarChartColourCell(std::shared_ptr<ChartData> chartData, RangedBarDataPoint dataPoint, kit::Color colour,
                             kit::Rect barSize)
        : RangedBarCell<RangedBarChartColourCell, ChartData>(std::move(chartData), std::move(dataPoint), barSize),
          ColourFill{colour}
    {
    }
};

} // namespace charts
