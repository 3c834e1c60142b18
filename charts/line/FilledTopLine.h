#pragma once

#include "charts/core/ColourStyle.h"
#include "charts/core/ColourStylePaint.h"
#include "charts/core/DataFunctions.h"
#include "charts/core/ViewExtensions.h"
#include "charts/line/LineChartData.h"
#include "charts/line/LineShapes.h"
#include "kit/base/StrokeStyle.h"
#include "kit/ui/ObservedObject.h"
#include "kit/ui/Shape.h"
#include "kit/ui/Stacks.h"
#include "kit/ui/State.h"
#include "kit/ui/View.h"

#include <concepts>
#include <memory>
#include <tuple>

namespace charts {

// The stroked top edge of a filled line chart: the chart data's line, open,
// in `lineColour` (any colour kind; nothing when a member it needs is
// missing) and `strokeStyle` as given, not the data set's own colour and
// stroke, laid under the content, so an opaque fill hides the part of the
// stroke below its edge. It rises from the bottom edge when it appears,
// like the fill, scaled against the lowest value and value range taken when
// the modifier is made. Only while the chart data has two points or more;
// the content sits in one branch or the other, so crossing that count makes
// it anew.
template <class ChartData>
requires std::derived_from<ChartData, LineChartData>
struct FilledTopLine {
    kit::ObservedObject<ChartData> chartData;
    ColourStyle lineColour;
    kit::StrokeStyle strokeStyle;
    double minValue = 0;
    double range = 0;
    kit::State<bool> startAnimation{false};

    FilledTopLine(std::shared_ptr<ChartData> data, ColourStyle lineColour, kit::StrokeStyle strokeStyle)
        : chartData(std::move(data)), lineColour(std::move(lineColour)), strokeStyle(std::move(strokeStyle))
    {
        const ChartData& chart = *chartData.object();
        minValue = chart.minValue();
        range = chart.range();
    }

    auto dynamicFields() { return std::tie(chartData, startAnimation); }

    kit::View body(const kit::View& content) const
    {
        const ChartData& data = *chartData;
        return kit::ZStack(kit::Alignment::center(), {kit::If(
                                                         hasMultipleDataPoints(data),
                                                         [&] {
                                                             return kit::Group({topLine(data), content});
                                                         },
                                                         [&] { return content; })});
    }

private:
    kit::View topLine(const ChartData& data) const
    {
        const auto paint = colourStylePaint(lineColour);
        if (!paint)
            return kit::EmptyView();
        const LineDataSet& set = *data.dataSets;
        const bool disableAnimation = data.disableAnimation;
        const double rise = disableAnimation || *startAnimation ? 1.0 : 0.0;
        const kit::Animation& animation = data.chartStyle->globalAnimation;
        // The rise follows the flag with the chart's animation, also when a
        // plain change of the chart data lands in the same update (the chart
        // writing its measured size as it appears).
        kit::View line = LineShape<LineChartDataPoint>(set.dataPoints, set.style.lineType, false, minValue, range,
                                                       set.style.ignoreZero)
                             .scale(1, rise, kit::UnitPoint::bottom())
                             .stroke(*paint, strokeStyle);
        if (!disableAnimation)
            line = line.animation(animation, rise);
        return animateOnDisappear(animateOnAppear(line, disableAnimation, animation,
                                                  [flag = startAnimation] { flag = true; }),
                                  disableAnimation, animation, [flag = startAnimation] { flag = false; });
    }
};

template <class ChartData>
requires std::derived_from<ChartData, LineChartData> kit::View applyFilledTopLine(const kit::View& view,
                                                                                  std::shared_ptr<ChartData> chartData,
                                                                                  ColourStyle lineColour,
                                                                                  kit::StrokeStyle strokeStyle)
{
    return view.modifier(FilledTopLine<ChartData>(std::move(chartData), std::move(lineColour), std::move(strokeStyle)));
}

} // namespace charts
