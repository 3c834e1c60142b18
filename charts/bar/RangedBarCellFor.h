#pragma once

#include "charts/bar/ColourKindView.h"
#include "charts/bar/RangedBarChartColourCell.h"
#include "charts/bar/RangedBarChartColoursCell.h"
#include "charts/bar/RangedBarChartStopsCell.h"

#include <memory>
#include <optional>

namespace charts {

// The cell of the kind `style` calls for, drawing `dataPoint` in a slot
// whose frame in its own coordinates is `barSize`; none when the style
// lacks a member its kind needs.
template <class ChartData>
std::optional<kit::View> rangedBarCellFor(const std::shared_ptr<ChartData>& chartData,
                                          const RangedBarDataPoint& dataPoint, const ColourStyle& style,
                                          const kit::Rect& barSize)
{
    return viewForColourKind(
        style,
        [&](const kit::Color& c) { return RangedBarChartColourCell<ChartData>(chartData, dataPoint, c, barSize); },
        [&](const std::vector<kit::Color>& cs, kit::UnitPoint start, kit::UnitPoint end) {
            return RangedBarChartColoursCell<ChartData>(chartData, dataPoint, cs, start, end, barSize);
        },
        [&](const std::vector<kit::Gradient::Stop>& stops, kit::UnitPoint start, kit::UnitPoint end) {
            return RangedBarChartStopsCell<ChartData>(chartData, dataPoint, stops, start, end, barSize);
        });
}

// One slot of a ranged bar chart: a geometry reader taking the slot, with
// the cell that `style` (given the point) calls for, or nothing.
template <class ChartData, class StyleOf>
kit::View rangedBarSlot(const std::shared_ptr<ChartData>& chartData, const RangedBarDataPoint& dataPoint,
                        StyleOf styleOf)
{
    return kit::GeometryReader([chartData, dataPoint, styleOf](const kit::GeometryProxy& proxy) {
        return rangedBarCellFor(chartData, dataPoint, styleOf(*chartData, dataPoint),
                                proxy.frame(kit::CoordinateSpace::local()))
            .value_or(kit::EmptyView());
    });
}

} // namespace charts
