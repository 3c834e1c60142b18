#pragma once

#include "charts/axes/LineBarChartDataObject.h"
#include "charts/core/CommonLineBarChartStyle.h"
#include "charts/core/ViewExtensions.h"
#include "kit/base/Path.h"
#include "kit/base/Rect.h"
#include "kit/ui/ForEach.h"
#include "kit/ui/Layout.h"
#include "kit/ui/ObservedObject.h"
#include "kit/ui/Shape.h"
#include "kit/ui/Stacks.h"
#include "kit/ui/State.h"

#include <memory>
#include <optional>
#include <tuple>
#include <vector>

namespace charts {

// The grid behind a chart view, written once for lines running either way
// (`Lines`): the x-axis grid of vertical lines, which mark places along the
// x axis, and the y-axis grid of horizontal lines, which mark places along
// the y axis. Each takes the number and look of its lines from its axis's
// grid style.

// One grid line along the top edge of its frame, drawn from the left edge
// to the right (horizontal), or along its left edge, drawn from the bottom
// edge up (vertical), so that a trim growing from 0 draws it rightwards or
// upwards. Only the frame's size is used.
template <kit::Axis Lines>
struct GridShape {
    kit::Path path(const kit::Rect& rect) const
    {
        kit::Path path;
        if constexpr (Lines == kit::Axis::horizontal) {
            path.move({0, 0});
            path.addLine({rect.width(), 0});
        } else {
            path.move({0, rect.height()});
            path.addLine({0, 0});
        }
        return path;
    }
};

using HorizontalGridShape = GridShape<kit::Axis::horizontal>;
using VerticalGridShape = GridShape<kit::Axis::vertical>;

// The grid style of the lines that run `lines`: vertical lines are the
// x-axis grid, horizontal lines the y-axis grid.
template <class Style>
const GridStyle& gridStyle(const Style& style, kit::Axis lines)
{
    return lines == kit::Axis::vertical ? style.xAxisGridStyle : style.yAxisGridStyle;
}

// The flexible gap between neighbouring grid lines, in a row (`along` the
// horizontal axis) or a column: a spacer that grows from 0 up to 500 points
// and no further, so that the lines spread over the room they have without
// drifting apart on a very long axis.
inline kit::View flexibleGap(kit::Axis along)
{
    if (along == kit::Axis::horizontal)
        return kit::Spacer().frame(kit::FlexFrame{.minWidth = 0, .maxWidth = 500});
    return kit::Spacer().frame(kit::FlexFrame{.minHeight = 0, .maxHeight = 500});
}

// One grid line in the colour, width and dash of its axis's grid style,
// read afresh from the chart style at each evaluation. Its frame is the
// line width across and whatever the stack offers along; the stroke lies
// centred on the frame's top (vertical lines: left) edge. It draws itself
// in by trim with the chart style's animation each time it appears and
// draws back out as it disappears; with the chart's animation disabled it
// stands whole.
template <LineBarChartDataObject ChartData, kit::Axis Lines>
struct GridLineView {
    kit::ObservedObject<ChartData> chartData;
    kit::State<bool> startAnimation{false};

    auto dynamicFields() { return std::tie(chartData, startAnimation); }

    // How much of the line is drawn: all of it with the chart's animation
    // disabled, otherwise all once it has appeared and none before.
    double gridLineTrimEnd() const { return chartData->disableAnimation || *startAnimation ? 1 : 0; }

    kit::View body() const
    {
        constexpr bool vertical = Lines == kit::Axis::vertical;
        const ChartData& chart = *chartData;
        const GridStyle& grid = gridStyle(*chart.chartStyle, Lines);
        const std::optional<double> across = grid.lineWidth;
        const kit::View line = kit::Shape(GridShape<Lines>{})
                                   .trim(0, gridLineTrimEnd())
                                   .stroke(grid.lineColour, kit::StrokeStyle{.lineWidth = grid.lineWidth,
                                                                             .lineCap = kit::LineCap::butt,
                                                                             .lineJoin = kit::LineJoin::miter,
                                                                             .miterLimit = 10,
                                                                             .dash = grid.dash,
                                                                             .dashPhase = grid.dashPhase})
                                   .frame(vertical ? across : std::nullopt, vertical ? std::nullopt : across);
        const kit::Animation& animation = chart.chartStyle->globalAnimation;
        const kit::State<bool> start = startAnimation;
        return animateOnDisappear(animateOnAppear(line, chart.disableAnimation, animation, [start] { start = true; }),
                                  chart.disableAnimation, animation, [start] { start = false; });
    }
};

template <LineBarChartDataObject ChartData>
using HorizontalGridView = GridLineView<ChartData, kit::Axis::horizontal>;

template <LineBarChartDataObject ChartData>
using VerticalGridView = GridLineView<ChartData, kit::Axis::vertical>;

// The grid modifier: the grid style's number of lines n spread across the
// content, behind it. XAxisGrid draws vertical lines side by side,
// YAxisGrid horizontal lines top to bottom: n lines with n − 1 flexible
// gaps between them, so that the first and the last stand at the ends when
// there is room, and the group is centred when the content is longer than
// it can grow. One line stands across the middle. A chart without data, or
// a style of no lines, has no grid.
template <LineBarChartDataObject ChartData, kit::Axis Lines>
struct AxisGrid {
    kit::ObservedObject<ChartData> chartData;

    auto dynamicFields() { return std::tie(chartData); }

    kit::View body(const kit::View& content) const
    {
        const ChartData& chart = *chartData;
        const int count = gridStyle(*chart.chartStyle, Lines).numberOfLines;
        return kit::ZStack(kit::Alignment::center(),
                           {kit::If(chart.hasData() && count >= 1, [&] { return lines(count); }), content});
    }

private:
    kit::View lines(int count) const
    {
        // Vertical lines stand side by side in a row, horizontal ones in a column.
        constexpr kit::Axis along = Lines == kit::Axis::vertical ? kit::Axis::horizontal : kit::Axis::vertical;
        const kit::View line = GridLineView<ChartData, Lines>{chartData.object()};
        const kit::View gap = flexibleGap(along);
        std::vector<kit::View> children{kit::ForEach(kit::Range{0, count},
                                                     [&](int i) {
                                                         return i == 0 ? kit::EmptyView() : kit::Group({line, gap});
                                                     }),
                                        line};
        if constexpr (along == kit::Axis::horizontal)
            return kit::HStack(kit::VerticalAlignment::center, std::move(children));
        else
            return kit::VStack(kit::HorizontalAlignment::center, std::move(children));
    }
};

template <LineBarChartDataObject ChartData>
using XAxisGrid = AxisGrid<ChartData, kit::Axis::vertical>;

template <LineBarChartDataObject ChartData>
using YAxisGrid = AxisGrid<ChartData, kit::Axis::horizontal>;

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
