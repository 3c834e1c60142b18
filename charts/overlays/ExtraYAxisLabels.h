#pragma once

#include "charts/axes/YAxisTitleView.h"
#include "kit/ui/ObservedObject.h"
#include "kit/ui/Stacks.h"

#include <memory>
#include <string>
#include <tuple>

namespace charts {

// Gives the extra line a value axis of its own on the side opposite the
// chart's y-axis labels: the extra label column 4 points clear of the
// chart, the extra title outermost, nothing else between them, and half a
// label's height free above and below for the labels at the plot's edges. A chart
// without data is shown alone. Each time it appears, data or not, it
// records in the layout record that the chart carries y-axis labels.
// `specifier` is kept but not used: the labels take the layout record's
// y-axis format.
template <LineBarChartDataObject ChartData>
struct ExtraYAxisLabels {
    kit::ObservedObject<ChartData> chartData;
    std::string specifier;
    AxisColour colourIndicator;

    auto dynamicFields() { return std::tie(chartData); }

    kit::View body(const kit::View& content) const
    {
        const std::shared_ptr<ChartData> chart = chartData.object();
        kit::View decorated = content;
        if (chart->hasData()) {
            const bool onTrailingSide = chart->chartStyle->yAxisLabelPosition == YAxisLabelPosistion::leading;
            const kit::View title = extraYAxisTitleView(colourIndicator, chart);
            const kit::View labels =
                chart->extraYAxisLabelsView().padding(onTrailingSide ? kit::Edge::leading : kit::Edge::trailing, 4.0);
            decorated = (onTrailingSide ? kit::HStack(kit::VerticalAlignment::center, 0, {content, labels, title})
                                        : kit::HStack(kit::VerticalAlignment::center, 0, {title, labels, content}))
                            .padding(kit::Edge::vertical, yAxisLabelHeight(*chart) / 2);
            decorated = asDecorationOf(decorated, chart.get());
        }
        return kit::Group({decorated}).onAppear([chart] {
            chart->viewData.modify([](ChartViewData& data) { data.hasYAxisLabels = true; });
        });
    }
};

// `view` with the extra line's y-axis labels and title (ExtraYAxisLabels).
template <LineBarChartDataObject ChartData>
kit::View applyExtraYAxisLabels(const kit::View& view, std::shared_ptr<ChartData> chartData, std::string specifier,
                                AxisColour colourIndicator)
{
    return view.modifier(ExtraYAxisLabels<ChartData>{std::move(chartData), std::move(specifier), colourIndicator});
}

} // namespace charts
