#pragma once

#include "charts/bar/RangedBarCell.h"
#include "charts/bar/StopsFill.h"

namespace charts {

// A floating bar of a ranged bar chart in a linear gradient of stops from `startPoint` to `endPoint` of its frame; the caller turns the chart library's stops into the toolkit's (GradientStop::convert) (RangedBarCell).
template <class ChartData>
struct RangedBarChartStopsCell : RangedBarCell<RangedBarChartStopsCell<ChartData>, ChartData>, StopsFill {
    RangedBarChartStopsCell(std::shared_ptr<ChartData> chartData, RangedBarDataPoint dataPoint,
                            std::vector<kit::Gradient::Stop> stops, kit::UnitPoint startPoint, kit::UnitPoint endPoint,
                            kit::Rect barSize)
        : RangedBarCell<RangedBarChartStopsCell, ChartData>(std::move(chartData), std::move(dataPoint), barSize),
          StopsFill{std::move(stops), startPoint, endPoint}
    {
    }
};

} // namespace charts
