#pragma once

#include "charts/axes/LineBarChartDataObject.h"
#include "charts/bar/BarGeometry.h"
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

// `chart` drawn so that the zero line of its bars lies where the value axis
// puts it when that axis reaches below 0 (negativeValueScale): shrunk along
// the value axis (valueAxisOf) towards its top edge (vertical), or towards
// its trailing edge (horizontal), leaving the room below or before the zero
// line to bars of negative values. Unchanged otherwise.
template <class ChartData>
kit::View scaledForNegativeValues(const kit::View& chart, const ChartData& chartData)
{
    const std::optional<double> factor = negativeValueScale(chartData.minValue(), chartData.maxValue());
    return conditionalModifier(chart, factor.has_value(), [&](const kit::View& view) {
        return valueAxisOf<ChartData> == kit::Axis::vertical ? view.scaleEffect(1, *factor, kit::UnitPoint::top())
                                                             : view.scaleEffect(*factor, 1, kit::UnitPoint::trailing());
    });
}

} // namespace charts
