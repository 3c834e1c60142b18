#pragma once

#include "charts/bar/RangedBarCellFor.h"
#include "charts/bar/RangedBarChartData.h"
#include "kit/ui/ForEach.h"
#include "kit/ui/ObservedObject.h"

#include <concepts>
#include <tuple>

namespace charts {

// The row of a ranged bar chart whose bars all take the bar style's
// colour: one slot per data point, identified by the point's id, each a
// geometry reader holding the cell the colour calls for. No slots at all
// when the colour lacks a member its kind needs.
template <class ChartData>
    requires std::derived_from<ChartData, RangedBarChartData>
struct RangedBarChartBarStyleSubView {
    kit::ObservedObject<ChartData> chartData;

    auto dynamicFields() { return std::tie(chartData); }

    kit::View body() const
    {
        const ChartData& data = *chartData;
        if (!hasColourOfItsKind(data.barStyle->colour))
            return kit::EmptyView();
        return kit::ForEach(data.dataSets->dataPoints, [&](const RangedBarDataPoint& point) {
            return rangedBarSlot(chartData.object(), point, [](const ChartData& chart, const RangedBarDataPoint&) {
                return chart.barStyle->colour;
            });
        });
    }
};

} // namespace charts
