#pragma once

#include "charts/axes/XAxisTitleView.h"
#include "charts/core/DataFunctions.h"
#include "kit/ui/ObservedObject.h"
#include "kit/ui/Stacks.h"
#include "kit/ui/ViewThatFits.h"

#include <memory>
#include <tuple>
#include <utility>

namespace charts {

// The room XAxisLabels keeps free on each side for labels centred on the
// plot's edges: what they reach past it, on a side where no y-axis labels
// stand (below a label column a label may reach into the column's room).
template <LineBarChartDataObject ChartData>
std::pair<double, double> roomForEndLabels(const ChartData& chart)
{
    const auto [before, after] = chart.xAxisLabelOverhang();
    if (!chart.viewData->hasYAxisLabels)
        return {before, after};
    const bool leading = chart.chartStyle->yAxisLabelPosition == YAxisLabelPosistion::leading;
    return {leading ? 0 : before, leading ? after : 0};
}

// Puts the chart's x-axis labels and title above or below the chart view,
// the labels between the chart and the title, 2 points clear of the chart:
// from the top title, labels, chart when they stand at the top; chart,
// labels, title at the bottom; with room on either side for labels centred
// on the plot's edges (roomForEndLabels). Where the chart's frame is short
// of room the title gives way, then the labels. A chart without data is shown alone. Each
// time it appears it records that the chart carries x-axis labels, data or
// not.
template <LineBarChartDataObject ChartData>
struct XAxisLabels {
    kit::ObservedObject<ChartData> chartData;

    auto dynamicFields() { return std::tie(chartData); }

    kit::View body(const kit::View& content) const
    {
        const std::shared_ptr<ChartData> chart = chartData.object();
        return kit::If(
                   chart->hasData(),
                   [&] {
                       const kit::View title = xAxisTitleView(chart);
                       const bool top = chart->chartStyle->xAxisLabelPosition == XAxisLabelPosistion::top;
                       const kit::View labels =
                           chart->xAxisLabelsView().padding(top ? kit::Edge::bottom : kit::Edge::top, 2.0);
                       // Where room is short the title gives way, then the labels.
                       const kit::View axis = kit::ViewThatFits(
                           kit::FitAxes::vertical,
                           {kit::VStack(kit::HorizontalAlignment::center, top ? std::vector<kit::View>{title, labels}
                                                                              : std::vector<kit::View>{labels, title}),
                            labels, kit::EmptyView()});
                       const kit::View stack = kit::VStack(kit::HorizontalAlignment::center,
                                                           top ? std::vector<kit::View>{axis, content}
                                                               : std::vector<kit::View>{content, axis});
                       const auto [leading, trailing] = roomForEndLabels(*chart);
                       return asDecorationOf(stack.padding(kit::EdgeInsets{.leading = leading, .trailing = trailing}),
                                             chart.get());
                   },
                   [&] { return content; })
            .onAppear([chart] { chart->viewData.modify([](ChartViewData& data) { data.hasXAxisLabels = true; }); });
    }
};

// `view` with the chart's x-axis labels and title (XAxisLabels).
template <LineBarChartDataObject ChartData>
kit::View applyXAxisLabels(const kit::View& view, std::shared_ptr<ChartData> chartData)
{
    return view.modifier(XAxisLabels<ChartData>{std::move(chartData)});
}

} // namespace charts
