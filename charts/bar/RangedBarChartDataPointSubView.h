#pragma once

#include "charts/bar/RangedBarCellFor.h"
#include "charts/bar/RangedBarChartData.h"
#include "kit/ui/ForEach.h"
#include "kit/ui/ObservedObject.h"

#include <concepts>
#include <tuple>

namespace charts {

// The row of a ranged bar chart whose bars take their own data point's
// colour: one slot per point, identified by the point's id, each a geometry
// reader holding the cell the point's colour calls for. A point whose
// colour lacks a member its kind needs keeps its slot, empty.
template <class ChartData>
    requires std::derived_from<ChartData, RangedBarChartData>
struct RangedBarChartDataPointSubView {
    kit::ObservedObject<ChartData> chartData;

    auto dynamicFields() { return std::tie(chartData); }

    kit::View body() const
    {
        return kit::ForEach(chartData->dataSets->dataPoints, [&](const RangedBarDataPoint& point) {
            return rangedBarSlot(chartData.object(), point,
                                 [](const ChartData&, const RangedBarDataPoint& p) { return p.colour; });
        });
    }
};

} // namespace charts
