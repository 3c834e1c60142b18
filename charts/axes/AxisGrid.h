#pragma once

#include "charts/axes/FlexibleGap.h"
#include "charts/axes/GridLineView.h"
#include "kit/ui/ForEach.h"
#include "kit/ui/Stacks.h"

#include <memory>
#include <tuple>
#include <vector>

namespace charts {

// The grid behind a chart view: the grid style's number of lines n spread
// along one axis, behind the chart. XAxisGrid draws vertical lines side by
// side (the x-axis grid style), YAxisGrid horizontal lines top to bottom
// (the y-axis grid style): n lines with n − 1 flexible gaps of at most 500
// between them, so that the first and the last stand at the ends when there
// is room, and the group is centred when the content is longer than it can
// grow. One line stands across the middle. A chart without data, or a
// style of no lines, has no grid.
template <LineBarChartDataObject ChartData, GridLineDirection Direction>
struct AxisGrid {
    kit::ObservedObject<ChartData> chartData;

    auto dynamicFields() { return std::tie(chartData); }

    kit::View body(const kit::View& content) const
    {
        constexpr bool vertical = Direction == GridLineDirection::vertical;
        const ChartData& chart = *chartData;
        const int count = vertical ? chart.chartStyle->xAxisGridStyle.numberOfLines
                                   : chart.chartStyle->yAxisGridStyle.numberOfLines;
        return kit::ZStack(kit::Alignment::center(),
                           {kit::If(chart.hasData() && count >= 1, [&] { return lines(count); }), content});
    }

private:
    kit::View lines(int count) const
    {
        constexpr bool vertical = Direction == GridLineDirection::vertical;
        const kit::View line = GridLineView<ChartData, Direction>{chartData.object()};
        const kit::View gap = vertical ? flexibleLabelGap() : flexibleColumnGap();
        std::vector<kit::View> children{kit::ForEach(kit::Range{0, count},
                                                     [&](int i) {
                                                         return i == 0 ? kit::EmptyView() : kit::Group({line, gap});
                                                     }),
                                        line};
        if (vertical)
            return kit::HStack(kit::VerticalAlignment::center, std::move(children));
        return kit::VStack(kit::HorizontalAlignment::center, std::move(children));
    }
};

template <LineBarChartDataObject ChartData>
using XAxisGrid = AxisGrid<ChartData, GridLineDirection::vertical>;

template <LineBarChartDataObject ChartData>
using YAxisGrid = AxisGrid<ChartData, GridLineDirection::horizontal>;

// `view` with vertical grid lines behind it (XAxisGrid).
template <LineBarChartDataObject ChartData>
kit::View applyXAxisGrid(const kit::View& view, std::shared_ptr<ChartData> chartData)
{
    return view.modifier(XAxisGrid<ChartData>{std::move(chartData)});
}

// `view` with horizontal grid lines behind it (YAxisGrid).
template <LineBarChartDataObject ChartData>
kit::View applyYAxisGrid(const kit::View& view, std::shared_ptr<ChartData> chartData)
{
    return view.modifier(YAxisGrid<ChartData>{std::move(chartData)});
}

} // namespace charts
