#pragma once

#include "charts/axes/AxisBorders.h"
#include "charts/core/ViewExtensions.h"
#include "charts/line/LineChartDataObject.h"
#include "charts/line/LineDataSetProtocols.h"
#include "charts/line/LineShape.h"
#include "kit/base/Paint.h"
#include "kit/ui/Shape.h"
#include "kit/ui/State.h"
#include "kit/ui/View.h"

#include <memory>

namespace charts {

// A line data set whose points the line shape can draw.
template <class T>
concept LineShapeDataSet = CTLineChartDataSet<T> && CTStandardDataPointProtocol<typename T::DataPoint> &&
    IgnoreMe<typename T::DataPoint>;

// What the three line sub-views draw, whatever they paint with: the set's
// LineShape between `minValue` and `minValue + range`, either stroked with
// the set's own stroke and drawn in from its first point (trimmed from 0 to
// the animated value), or, when `isFilled`, closed down to the bottom edge,
// filled and risen from that edge (scaled in y by the animated value about
// the bottom). The animated value is 1 when the chart disables animation,
// else 1 once `startAnimation` is set and 0 before.
//
// Behind the line lies a grey at opacity 1e-9 over the whole frame, so the
// frame takes part in hit-testing. The chart's x-axis and then y-axis border
// wrap it while its layout record says those labels are shown. Appearing
// sets `startAnimation` inside the chart style's animation (at once when
// animation is disabled); disappearing clears it, so the next appearance
// draws the line in again.
template <LineChartDataObject ChartData, LineShapeDataSet DataSet>
kit::View lineSubViewBody(const std::shared_ptr<ChartData>& chartData, const std::shared_ptr<const DataSet>& set,
                          double minValue, double range, const kit::Paint& paint, bool isFilled,
                          const kit::State<bool>& startAnimation)
{
    const ChartData& chart = *chartData;
    const DataSet& dataSet = *set;
    const bool disableAnimation = chart.disableAnimation;
    const double animated = disableAnimation || *startAnimation ? 1.0 : 0.0;
    // The shape shares the set's points rather than copying them.
    const LineShape<typename DataSet::DataPoint> shape(
        std::shared_ptr<const std::vector<typename DataSet::DataPoint>>(set, &dataSet.dataPoints),
        dataSet.style.lineType, isFilled, minValue, range, dataSet.style.ignoreZero);
    kit::View line = isFilled ? shape.scale(1, animated, kit::UnitPoint::bottom()).fill(paint)
                              : shape.trim(0, animated).stroke(paint, dataSet.style.strokeStyle.strokeStyle());
    line = line.background(kit::View(touchableBackground()), kit::Alignment::center());
    line = conditionalModifier(line, chart.viewData->hasXAxisLabels,
                               [&](const kit::View& view) { return applyXAxisBorder(view, chartData); });
    line = conditionalModifier(line, chart.viewData->hasYAxisLabels,
                               [&](const kit::View& view) { return applyYAxisBorder(view, chartData); });
    const kit::Animation& animation = chart.chartStyle->globalAnimation;
    line = animateOnAppear(line, disableAnimation, animation, [flag = startAnimation] { flag = true; });
    return animateOnDisappear(line, disableAnimation, animation, [flag = startAnimation] { flag = false; });
}

} // namespace charts
