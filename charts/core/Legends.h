#pragma once

#include "charts/core/LegendView.h"
#include "kit/ui/Stacks.h"
#include "kit/ui/ViewThatFits.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace charts {

// Puts the chart's legend under the chart, `topPadding` below it; a chart
// without data is shown without a legend. Where the chart's frame is short
// of room the legend shows its first two rows, or its first, or nothing.
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
                return asDecorationOf(kit::VStack(kit::HorizontalAlignment::center, {content, legend()}),
                                      chartData.object().get());
            },
            [&] { return content; });
    }

private:
    kit::View legend() const
    {
        const auto rows = [this](std::optional<std::size_t> count) {
            return kit::View(LegendView<ChartData>{chartData.object(), columns, width, font, textColor,
                                                   count ? std::optional<std::size_t>(*count * columns.size())
                                                         : std::nullopt})
                .padding(kit::Edge::top, topPadding);
        };
        const std::size_t perRow = std::max<std::size_t>(1, columns.size());
        const std::size_t all = (chartData->legends->size() + perRow - 1) / perRow;
        std::vector<kit::View> forms{rows(std::nullopt)};
        for (std::size_t r : {std::size_t(2), std::size_t(1)})
            if (r < all)
                forms.push_back(rows(r));
        forms.push_back(kit::EmptyView());
        return kit::ViewThatFits(kit::FitAxes::vertical, std::move(forms));
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
