#pragma once

#include "charts/bar/ColoursFill.h"
#include "charts/bar/RangedBarCell.h"

namespace charts {

// A floating bar of a ranged bar chart in a linear gradient of evenly spread colours from `startPoint` to `endPoint` of its frame (RangedBarCell).
template <class ChartData>
struct RangedBarChartColoursCell : RangedBarCell<RangedBarChartColoursCell<ChartData>, ChartData>, ColoursFill {
    RangedBarChartColoursCell(std::shared_ptr<ChartData> chartData, RangedBarDataPoint dataPoint,
                              std::vector<kit::Color> colours, kit::UnitPoint startPoint, kit::UnitPoint endPoint,
                              kit::Rect barSize)
        : RangedBarCell<RangedBarChartColoursCell, ChartData>(std::move(chartData), std::move(dataPoint), barSize),
          ColoursFill{std::move(colours), startPoint, endPoint}
    {
    }
};

} // namespace charts
