#pragma once

#include "charts/bar/BarGeometry.h"
#include "charts/bar/ColourFrom.h"
#include "charts/core/CTChartData.h"
#include "charts/core/ChartViewData.h"
#include "charts/core/DataFunctions.h"
#include "charts/core/ViewExtensions.h"
#include "kit/base/AnyObject.h"
#include "kit/ui/GeometryReader.h"
#include "kit/ui/Stacks.h"
#include "kit/ui/State.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace charts {

// When a bar chart view writes the frame it is given into its chart data's
// viewData.chartSize: at each change of the frame after the first layout,
// or at each appearance.
enum class ChartSizeWrite { onFrameChange, onAppear };

// The frame a bar chart view draws in: a geometry reader over the offered
// area. With data it holds `content` (the chart's stack), which writes the
// reader's local frame into viewData.chartSize as `write` says and, half a
// second after each appearance, posts layoutDidFinishNotification with
// `chartView` as its object (an appearance within that half second replaces
// the pending post, kept in `timer`).
// Without data it holds the chart data's no-data view, which writes and
// posts nothing.
template <class ChartData>
kit::View barChartFrame(const std::shared_ptr<ChartData>& chartData, bool hasData, ChartSizeWrite write,
                        std::function<kit::View()> content, const kit::State<std::shared_ptr<OwnedTimer>>& timer,
                        kit::AnyObject chartView)
{
    return kit::GeometryReader([=](const kit::GeometryProxy& proxy) {
        return kit::If(
            hasData,
            [&] {
                const kit::Rect frame = proxy.frame(kit::CoordinateSpace::local());
                const auto writeSize = [chartData](const kit::Rect& size) {
                    chartData->viewData.modify([&](ChartViewData& viewData) { viewData.chartSize = size; });
                };
                kit::View chart = content();
                if (write == ChartSizeWrite::onFrameChange)
                    chart = chart.onChange(frame,
                                           [writeSize](const kit::Rect&, const kit::Rect& now) { writeSize(now); });
                else
                    chart = chart.onAppear([writeSize, frame] { writeSize(frame); });
                return onAppearAfterDelay(chart, timer, chartView);
            },
            [&] { return kit::View(CustomNoDataView<ChartData>{chartData}); });
    });
}

// The content of a bar chart of one data set (standard, horizontal and
// ranged), in barChartFrame: the sub-view its bar style's colourFrom picks
// (ByStyle for barStyle, ByPoint for dataPoints; each labels its bars with
// the chart's title), in a row with no spacing (bars measured along the
// vertical axis) or a column (along the horizontal axis).
template <template <class> class ByStyle, template <class> class ByPoint, class ChartData>
kit::View singleSetBarChart(const std::shared_ptr<ChartData>& chartData, ValueAxis axis, ChartSizeWrite write,
                            const kit::State<std::shared_ptr<OwnedTimer>>& timer, kit::AnyObject chartView)
{
    const bool fromStyle = chartData->barStyle->colourFrom == ColourFrom::barStyle;
    const auto content = [chartData, axis, fromStyle] {
        const kit::View bars = fromStyle ? kit::View(ByStyle<ChartData>{chartData})
                                         : kit::View(ByPoint<ChartData>{chartData});
        return axis == ValueAxis::vertical ? kit::HStack(kit::VerticalAlignment::center, 0, {bars})
                                           : kit::VStack(kit::HorizontalAlignment::center, 0, {bars});
    };
    return barChartFrame(chartData, hasDataPoints(*chartData), write, content, timer, std::move(chartView));
}

// `chart` drawn so that the zero line of its bars lies where the value axis
// puts it when that axis reaches below 0 (negativeValueScale): shrunk along
// the value axis towards its top edge (vertical), or towards its trailing
// edge (horizontal), leaving the room below or before the zero line to bars
// of negative values. Unchanged otherwise.
template <class ChartData>
kit::View scaledForNegativeValues(const kit::View& chart, const ChartData& chartData, ValueAxis axis)
{
    const std::optional<double> factor = negativeValueScale(chartData.minValue(), chartData.maxValue());
    return conditionalModifier(chart, factor.has_value(), [&](const kit::View& view) {
        return axis == ValueAxis::vertical ? view.scaleEffect(1, *factor, kit::UnitPoint::top())
                                           : view.scaleEffect(*factor, 1, kit::UnitPoint::trailing());
    });
}

} // namespace charts
