#pragma once

#include "charts/axes/HorizontalGridShape.h"
#include "charts/axes/LineBarChartDataObject.h"
#include "charts/axes/VerticalGridShape.h"
#include "charts/core/ViewExtensions.h"
#include "kit/ui/ObservedObject.h"
#include "kit/ui/Shape.h"
#include "kit/ui/State.h"

#include <tuple>

namespace charts {

// The direction of a grid's lines: vertical lines mark places along the x
// axis, horizontal lines places along the y axis.
enum class GridLineDirection { horizontal, vertical };

// One grid line in the colour, width and dash of its axis's grid style
// (vertical lines: the x-axis grid style; horizontal lines: the y-axis grid
// style), read afresh from the chart style at each evaluation. Its frame is
// the line width across and whatever the stack offers along; the stroke
// lies centred on the frame's top (left) edge. It draws itself in by trim
// with the chart style's animation each time it appears and draws back out
// as it disappears; with the chart's animation disabled it stands whole.
template <LineBarChartDataObject ChartData, GridLineDirection Direction>
struct GridLineView {
    kit::ObservedObject<ChartData> chartData;
    kit::State<bool> startAnimation{false};

    auto dynamicFields() { return std::tie(chartData, startAnimation); }

    // How much of the line is drawn: all of it with the chart's animation
    // disabled, otherwise all once it has appeared and none before.
    double gridLineTrimEnd() const { return chartData->disableAnimation || *startAnimation ? 1 : 0; }

    kit::View body() const
    {
        constexpr bool vertical = Direction == GridLineDirection::vertical;
        const ChartData& chart = *chartData;
        const GridStyle& grid = vertical ? chart.chartStyle->xAxisGridStyle : chart.chartStyle->yAxisGridStyle;
        const kit::Shape shape = vertical ? kit::Shape(VerticalGridShape{}) : kit::Shape(HorizontalGridShape{});
        const kit::View line = shape.trim(0, gridLineTrimEnd())
                                   .stroke(grid.lineColour,
                                           kit::StrokeStyle{grid.lineWidth, kit::LineCap::butt, kit::LineJoin::miter,
                                                            10, grid.dash, grid.dashPhase})
                                   .frame(vertical ? std::optional<double>(grid.lineWidth) : std::nullopt,
                                          vertical ? std::nullopt : std::optional<double>(grid.lineWidth));
        const kit::Animation& animation = chart.chartStyle->globalAnimation;
        const kit::State<bool> start = startAnimation;
        return animateOnDisappear(animateOnAppear(line, chart.disableAnimation, animation, [start] { start = true; }),
                                  chart.disableAnimation, animation, [start] { start = false; });
    }
};

template <LineBarChartDataObject ChartData>
using HorizontalGridView = GridLineView<ChartData, GridLineDirection::horizontal>;

template <LineBarChartDataObject ChartData>
using VerticalGridView = GridLineView<ChartData, GridLineDirection::vertical>;

} // namespace charts
