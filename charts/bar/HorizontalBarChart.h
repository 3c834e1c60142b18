#pragma once

#include "charts/bar/BarChartFrame.h"
#include "charts/bar/HorizontalBarChartBarStyleSubView.h"
#include "charts/bar/HorizontalBarChartData.h"
#include "charts/bar/HorizontalBarChartDataPointSubView.h"
#include "kit/ui/Stacks.h"

#include <concepts>
#include <memory>
#include <tuple>

namespace charts {

// A horizontal bar chart: one horizontal bar per data point, stacked from
// the top in equal slots of the chart's height with no gaps, each bar
// barWidth of its slot thick and value / maxValue of the chart's width long
// from the leading edge (see HorizontalBarElement). The bars take the bar
// style's colour (HorizontalBarChartBarStyleSubView) or their own
// (HorizontalBarChartDataPointSubView), and carry the chart's title as
// their accessibility label. When the value axis reaches below 0 the chart
// is shrunk towards its trailing edge, so bars of negative values reach
// into the room left before the zero line.
//
// A chart without points shows the chart data's no-data view. The chart
// writes its frame into viewData.chartSize when the frame changes after
// the first layout, and posts layoutDidFinishNotification (with a copy of
// itself) half a second after each appearance.
//
//   kit::View chart = charts::HorizontalBarChart(chartData);
template <class ChartData>
    requires std::derived_from<ChartData, HorizontalBarChartData>
struct HorizontalBarChart {
    kit::ObservedObject<ChartData> chartData;
    kit::State<std::shared_ptr<OwnedTimer>> timer;

    explicit HorizontalBarChart(std::shared_ptr<ChartData> chartData) : chartData(std::move(chartData)) {}

    auto dynamicFields() { return std::tie(chartData, timer); }

    kit::View body() const
    {
        const ChartData& data = *chartData;
        const std::shared_ptr<ChartData>& shared = chartData.object();
        const bool fromStyle = data.barStyle->colourFrom == ColourFrom::barStyle;
        const std::string title = data.metadata->title;
        const kit::View frame = barChartFrame(
            shared, hasDataPoints(data), ChartSizeWrite::onFrameChange,
            [shared, fromStyle, title] {
                const kit::View column = fromStyle ? kit::View(HorizontalBarChartBarStyleSubView<ChartData>{shared})
                                                   : kit::View(HorizontalBarChartDataPointSubView<ChartData>{shared});
                return kit::VStack(kit::HorizontalAlignment::center, 0, {column.accessibilityLabel(title)});
            },
            timer, kit::AnyObject::box(HorizontalBarChart(shared)));
        return scaledForNegativeValues(frame, data, ValueAxis::horizontal);
    }
};

} // namespace charts
