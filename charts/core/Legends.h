#pragma once

#include "charts/core/LegendView.h"
#include "kit/ui/Stacks.h"

namespace charts {

// Puts the chart's legend under the chart, `topPadding` below it; a chart
// without data is shown without a legend.
template <ChartDataObject ChartData>
struct Legends {
    kit::ObservedObject<ChartData> chartData;
    std::vector<kit::GridItem> columns;
    double width = 0;
    kit::Font font;
    kit::Color textColor;
    double topPadding = 0;

    auto dynamicFields() { return std::tie(chartData); }

    kit::View body(const kit::View& content) const
    {
        return kit::If(
            chartData->hasData(),
            [&] {
                return kit::VStack(kit::HorizontalAlignment::center,
                                   {content, kit::View(LegendView<ChartData>{chartData.object(), columns, width, font,
                                                                             textColor})
                                                 .padding(kit::Edge::top, topPadding)});
            },
            [&] { return content; });
    }
};

// `view` with the chart's legend under it.
template <ChartDataObject ChartData>
kit::View applyLegends(const kit::View& view, std::shared_ptr<ChartData> chartData, std::vector<kit::GridItem> columns,
                       double width, kit::Font font, kit::Color textColor, double topPadding)
{
    return view.modifier(
        Legends<ChartData>{std::move(chartData), std::move(columns), width, std::move(font), textColor, topPadding});
}

} // namespace charts
