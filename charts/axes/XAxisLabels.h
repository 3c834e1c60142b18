#pragma once

#include "charts/axes/XAxisTitleView.h"
#include "kit/ui/ObservedObject.h"
#include "kit/ui/Stacks.h"

#include <memory>
#include <tuple>

namespace charts {

// Puts the chart's x-axis labels and title above or below the chart view,
// the labels between the chart and the title, 2 points clear of the chart:
// from the top title, labels, chart when they stand at the top; chart,
// labels, title at the bottom. A chart without data is shown alone. Each
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
                       if (chart->chartStyle->xAxisLabelPosition == XAxisLabelPosistion::top)
                           return kit::VStack(kit::HorizontalAlignment::center,
                                              {title, chart->xAxisLabelsView().padding(kit::Edge::bottom, 2.0),
                                               content});
                       return kit::VStack(kit::HorizontalAlignment::center,
                                          {content, chart->xAxisLabelsView().padding(kit::Edge::top, 2.0), title});
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
