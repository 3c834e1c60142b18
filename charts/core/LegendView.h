#pragma once

#include "charts/core/CTChartData.h"
#include "charts/core/LegendRows.h"
#include "charts/core/ViewExtensions.h"
#include "kit/ui/ForEach.h"
#include "kit/ui/Grid.h"
#include "kit/ui/ObservedObject.h"
#include "kit/ui/Stacks.h"

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

} // namespace charts
