#pragma once

// The view of one line of a line chart, in the paint of its colour kind: a
// flat colour (LineChartColourSubView), a gradient of colours
// (LineChartColoursSubView) or a gradient of stops (LineChartStopsSubView),
// chosen by lineSubView. The three draw alike (lineSubViewBody) and differ
// only in the paint they hold.

#include "charts/axes/AxisBorders.h"
#include "charts/core/ColourStylePaint.h"
#include "charts/core/ViewExtensions.h"
#include "charts/line/CTLineChartDataProtocol.h"
#include "charts/line/LineDataSets.h"
#include "charts/line/LineShapes.h"
#include "kit/base/Color.h"
#include "kit/base/Gradient.h"
#include "kit/base/Paint.h"
#include "kit/base/UnitPoint.h"
#include "kit/ui/Shape.h"
#include "kit/ui/State.h"
#include "kit/ui/View.h"

#include <memory>
#include <tuple>
#include <vector>

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
                          const std::shared_ptr<const std::vector<LinePathPoint>>& linePoints, double minValue,
                          double range, const kit::Paint& paint, bool isFilled, const kit::State<bool>& startAnimation)
{
    const ChartData& chart = *chartData;
    const DataSet& dataSet = *set;
    const bool disableAnimation = chart.disableAnimation;
    const double animated = disableAnimation || *startAnimation ? 1.0 : 0.0;
    const LineShape<typename DataSet::DataPoint> shape(linePoints, dataSet.style.lineType, isFilled, minValue, range,
                                                       dataSet.style.ignoreZero);
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

// What the line of `dataSet` draws of its points: the chart data's own
// reading when the set is the chart data's own (read along with the value
// range), else taken from the set now.
template <class ChartData, class DataSet>
std::shared_ptr<const std::vector<LinePathPoint>> drawnPoints(const ChartData& chartData,
                                                              const std::shared_ptr<const DataSet>& dataSet)
{
    if constexpr (requires { chartData.drawnLine(); })
        if (static_cast<const void*>(dataSet.get()) == static_cast<const void*>(&chartData.dataSets.get()))
            return chartData.drawnLine().points;
    return std::make_shared<const std::vector<LinePathPoint>>(
        linePathPoints(dataSet->dataPoints, dataSet->style.ignoreZero));
}

// The fields and body the three sub-views share; `Derived` gives the paint
// (`kit::Paint paint() const`). The chart data is not observed: a sub-view
// redraws with the chart view that made it.
template <class Derived, LineChartDataObject ChartData, LineShapeDataSet DataSet>
struct LineSubView : kit::ViewMethods<Derived> {
    std::shared_ptr<ChartData> chartData;
    // Shared by the copies the view layer makes of the view (the chart
    // data's own set, or the caller's copied once): a line of thousands of
    // points is not copied with it.
    std::shared_ptr<const DataSet> dataSet;
    // What the line draws of the set's points, taken as they stood when the
    // sub-view was made (its shape shares it).
    std::shared_ptr<const std::vector<LinePathPoint>> linePoints;
    double minValue = 0;
    double range = 0;
    bool isFilled = false;
    kit::State<bool> startAnimation{false};

    auto dynamicFields() { return std::tie(startAnimation); }

    kit::View body() const
    {
        return lineSubViewBody(chartData, dataSet, linePoints, minValue, range,
                               static_cast<const Derived&>(*this).paint(), isFilled, startAnimation);
    }

protected:
    LineSubView(std::shared_ptr<ChartData> chartData, std::shared_ptr<const DataSet> dataSet, double minValue,
                double range, bool isFilled)
        : chartData(std::move(chartData)), dataSet(std::move(dataSet)),
          linePoints(drawnPoints(*this->chartData, this->dataSet)), minValue(minValue), range(range), isFilled(isFilled)
    {
    }
};

// One line in one colour.
template <LineChartDataObject ChartData, LineShapeDataSet DataSet>
struct LineChartColourSubView : LineSubView<LineChartColourSubView<ChartData, DataSet>, ChartData, DataSet> {
    kit::Color colour;

    LineChartColourSubView(std::shared_ptr<ChartData> chartData, std::shared_ptr<const DataSet> dataSet,
                           double minValue, double range, kit::Color colour, bool isFilled)
        : LineSubView<LineChartColourSubView, ChartData, DataSet>(std::move(chartData), std::move(dataSet), minValue,
                                                                  range, isFilled),
          colour(colour)
    {
    }

    kit::Paint paint() const { return kit::Paint(colour); }
};

// One line in a linear gradient of evenly spread colours from `startPoint`
// to `endPoint` of the chart's frame.
template <LineChartDataObject ChartData, LineShapeDataSet DataSet>
struct LineChartColoursSubView : LineSubView<LineChartColoursSubView<ChartData, DataSet>, ChartData, DataSet> {
    std::vector<kit::Color> colours;
    kit::UnitPoint startPoint;
    kit::UnitPoint endPoint;

    LineChartColoursSubView(std::shared_ptr<ChartData> chartData, std::shared_ptr<const DataSet> dataSet,
                            double minValue, double range, std::vector<kit::Color> colours, kit::UnitPoint startPoint,
                            kit::UnitPoint endPoint, bool isFilled)
        : LineSubView<LineChartColoursSubView, ChartData, DataSet>(std::move(chartData), std::move(dataSet), minValue,
                                                                   range, isFilled),
          colours(std::move(colours)), startPoint(startPoint), endPoint(endPoint)
    {
    }

    kit::Paint paint() const { return kit::LinearGradient{kit::Gradient(colours), startPoint, endPoint}; }
};

// One line in a linear gradient of stops (the toolkit's, converted by the
// chart view from the style's GradientStops) from `startPoint` to
// `endPoint` of the chart's frame.
template <LineChartDataObject ChartData, LineShapeDataSet DataSet>
struct LineChartStopsSubView : LineSubView<LineChartStopsSubView<ChartData, DataSet>, ChartData, DataSet> {
    std::vector<kit::Gradient::Stop> stops;
    kit::UnitPoint startPoint;
    kit::UnitPoint endPoint;

    LineChartStopsSubView(std::shared_ptr<ChartData> chartData, std::shared_ptr<const DataSet> dataSet, double minValue,
                          double range, std::vector<kit::Gradient::Stop> stops, kit::UnitPoint startPoint,
                          kit::UnitPoint endPoint, bool isFilled)
        : LineSubView<LineChartStopsSubView, ChartData, DataSet>(std::move(chartData), std::move(dataSet), minValue,
                                                                 range, isFilled),
          stops(std::move(stops)), startPoint(startPoint), endPoint(endPoint)
    {
    }

    kit::Paint paint() const { return kit::LinearGradient{kit::Gradient(stops), startPoint, endPoint}; }
};

// The sub-view that draws `dataSet` in its style's line colour, chosen by
// its colour kind: LineChartColourSubView for a flat colour,
// LineChartColoursSubView for a gradient of colours, LineChartStopsSubView
// for a gradient of stops (converted to the toolkit's stops, in order).
// Nothing when a member that kind needs is missing: no fallback colour.
template <LineChartDataObject ChartData, LineShapeDataSet DataSet>
kit::View lineSubView(const std::shared_ptr<ChartData>& chartData, const std::shared_ptr<const DataSet>& dataSet,
                      double minValue, double range, bool isFilled)
{
    return viewForColourKind(
               dataSet->style.lineColour,
               [&](const kit::Color& colour) {
                   return LineChartColourSubView<ChartData, DataSet>(chartData, dataSet, minValue, range, colour,
                                                                     isFilled);
               },
               [&](const std::vector<kit::Color>& colours, kit::UnitPoint start, kit::UnitPoint end) {
                   return LineChartColoursSubView<ChartData, DataSet>(chartData, dataSet, minValue, range, colours,
                                                                      start, end, isFilled);
               },
               [&](const std::vector<kit::Gradient::Stop>& stops, kit::UnitPoint start, kit::UnitPoint end) {
                   return LineChartStopsSubView<ChartData, DataSet>(chartData, dataSet, minValue, range, stops, start,
                                                                    end, isFilled);
               })
        .value_or(kit::EmptyView());
}

// The same for a set of the caller's, copied once for the sub-view.
template <LineChartDataObject ChartData, LineShapeDataSet DataSet>
kit::View lineSubView(const std::shared_ptr<ChartData>& chartData, const DataSet& dataSet, double minValue,
                      double range, bool isFilled)
{
    return lineSubView(chartData, std::make_shared<const DataSet>(dataSet), minValue, range, isFilled);
}

} // namespace charts
