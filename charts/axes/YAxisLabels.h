#pragma once

#include "charts/axes/YAxisTitleView.h"
#include "charts/core/ValueText.h"
#include "kit/ui/ObservedObject.h"
#include "kit/ui/Stacks.h"

#include <memory>
#include <string>
#include <tuple>

namespace charts {

// Puts the chart's y-axis label column and title beside the chart view,
// the labels between the chart and the title, 4 points clear of the chart,
// with no other space between the three: from the leading edge title,
// labels, chart when the labels stand leading; chart, labels, title when
// they stand trailing. Half a label's height is kept free above and below,
// for the labels at the plot's top and bottom edges. A chart without data is shown alone. Each time it
// appears, data or not, it records in the layout record, one announced
// change each, that the chart carries y-axis labels, then its `specifier`,
// then its `formatter` (none clears one set before), from where the label
// columns take them.
template <LineBarChartDataObject ChartData>
struct YAxisLabels {
    kit::ObservedObject<ChartData> chartData;
    std::string specifier;
    AxisColour colourIndicator;
    NumberFormatterPtr formatter;

    YAxisLabels(std::shared_ptr<ChartData> chartData, std::string specifier, NumberFormatterPtr formatter,
                AxisColour colourIndicator)
        : chartData(std::move(chartData)), specifier(std::move(specifier)), colourIndicator(std::move(colourIndicator)),
          formatter(std::move(formatter))
    {
    }

    auto dynamicFields() { return std::tie(chartData); }

    kit::View body(const kit::View& content) const
    {
        const std::shared_ptr<ChartData> chart = chartData.object();
        return kit::If(
                   chart->hasData(),
                   [&] {
                       const kit::View title = yAxisTitleView(colourIndicator, chart);
                       const double halfLabel = yAxisLabelHeight(*chart) / 2;
                       const kit::View stack =
                           chart->chartStyle->yAxisLabelPosition == YAxisLabelPosistion::leading
                               ? kit::HStack(kit::VerticalAlignment::center, 0,
                                             {title, chart->yAxisLabelsView().padding(kit::Edge::trailing, 4.0),
                                              content})
                               : kit::HStack(kit::VerticalAlignment::center, 0,
                                             {content, chart->yAxisLabelsView().padding(kit::Edge::leading, 4.0),
                                              title});
                       return asDecorationOf(stack.padding(kit::Edge::vertical, halfLabel), chart.get());
                   },
                   [&] { return content; })
            .onAppear([chart, specifier = specifier, formatter = formatter] {
                chart->viewData.modify([](ChartViewData& data) { data.hasYAxisLabels = true; });
                chart->viewData.modify([&](ChartViewData& data) { data.yAxisSpecifier = specifier; });
                chart->viewData.modify([&](ChartViewData& data) { data.yAxisNumberFormatter = formatter; });
            });
    }
};

// `view` with the chart's y-axis labels and title (YAxisLabels), numbers
// formatted with `formatter` when given and yielding a text, else with
// `specifier`.
template <LineBarChartDataObject ChartData>
kit::View applyYAxisLabels(const kit::View& view, std::shared_ptr<ChartData> chartData, std::string specifier = "%.0f",
                           NumberFormatterPtr formatter = nullptr, AxisColour colourIndicator = AxisColour::none())
{
    return view.modifier(
        YAxisLabels<ChartData>{std::move(chartData), std::move(specifier), std::move(formatter), colourIndicator});
}

} // namespace charts
