#pragma once

#include "charts/core/CTChartData.h"
#include "charts/core/LegendRows.h"
#include "charts/core/ViewExtensions.h"
#include "kit/ui/ForEach.h"
#include "kit/ui/Grid.h"
#include "kit/ui/ObservedObject.h"
#include "kit/ui/Stacks.h"
#include "kit/ui/ViewThatFits.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <tuple>
#include <vector>

namespace charts {

// The legend of a chart: one cell per entry of the chart data's `legends`,
// in list order, in a grid of `columns`. The entry of the touched bar, group
// or slice is drawn 1.2 times larger from its leading edge while the touch
// lasts. Each cell carries the entry's accessibility label and value, also
// when the entry lacks the paint or stroke its row needs and shows nothing.
template <ChartDataObject T>
struct LegendView {
    kit::ObservedObject<T> chartData;
    std::vector<kit::GridItem> columns;
    double width = 0;
    kit::Font font;
    kit::Color textColor;
    // How many of the entries are shown, from the first (all when absent).
    std::optional<std::size_t> shownEntries;

    auto dynamicFields() { return std::tie(chartData); }

    kit::View body() const
    {
        const std::vector<LegendData>& legends = *chartData->legends;
        const std::size_t count = std::min(legends.size(), shownEntries.value_or(legends.size()));
        const std::vector<LegendData> shown(legends.begin(), legends.begin() + std::ptrdiff_t(count));
        return kit::LazyVGrid(columns, kit::HorizontalAlignment::leading,
                              {kit::ForEach(shown, [this](const LegendData& legend) { return cell(legend); })});
    }

    // Whether the entry belongs to the first touched bar (or group) of a bar
    // chart, or to the first touched slice of a pie or doughnut chart.
    bool isBarLegendTouched(const LegendData& legend) const { return chartData->isBarLegendTouched(legend); }
    bool isPieLegendTouched(const LegendData& legend) const { return chartData->isPieLegendTouched(legend); }

private:
    kit::View cell(const LegendData& legend) const
    {
        auto enlarge = [](const kit::View& row) { return row.scaleEffect(1.2, kit::UnitPoint::leading()); };
        // The stack keeps the cell, and so its accessibility label and
        // value, when the entry has no symbol and text to draw.
        kit::View row = kit::ZStack({legendItemView(legend, width, font, textColor)});
        row = conditionalModifier(row, isBarLegendTouched(legend), enlarge);
        row = conditionalModifier(row, isPieLegendTouched(legend), enlarge);
        return row.accessibilityLabel(accessibilityLegendLabel(legend))
            .accessibilityValue(kit::LocalizedKey{legend.legend});
    }
};

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
            return kit::View(LegendView<ChartData>{.chartData = chartData.object(),
                                                   .columns = columns,
                                                   .width = width,
                                                   .font = font,
                                                   .textColor = textColor,
                                                   .shownEntries = count ? std::optional(*count * columns.size())
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
    return view.modifier(Legends<ChartData>{.chartData = std::move(chartData),
                                            .columns = std::move(columns),
                                            .width = width,
                                            .font = std::move(font),
                                            .textColor = textColor,
                                            .topPadding = topPadding});
}

} // namespace charts
