#pragma once

#include "charts/core/ExtraLineData.h"
#include "charts/core/LegendData.h"
#include "kit/base/Localization.h"

#include <optional>
#include <vector>

namespace charts {

// Whether `legend` is the extra line's entry: the same text (canonically
// equivalent), the same colour, priority 3 and a line entry; its id and
// stroke play no part.
bool isExtraLineLegend(const LegendData& legend, const ExtraLineData& extraLine, const ColourStyle& colour);

// Appends the extra line's legend entry (its id, a line entry with its
// title, its stroke, priority 3 and the legend colour a line chart's entry
// takes from its line colour) to the chart's legends, unless an entry
// already matches or the line colour gives none.
// The legends are read from a copy and written in one announced change.
template <class ChartData>
void addExtraLineLegend(ChartData& chartData, const ExtraLineData& extraLine)
{
    const std::optional<ColourStyle> colour = legendColour(extraLine.style.lineColour);
    if (!colour)
        return;
    const std::vector<LegendData> legends = *chartData.legends;
    for (const LegendData& legend : legends)
        if (isExtraLineLegend(legend, extraLine, *colour))
            return;
    chartData.legends.modify([&](std::vector<LegendData>& all) {
        all.emplace_back(extraLine.id, extraLine.legendTitle, *colour, extraLine.style.strokeStyle, 3, ChartType::line);
    });
}

} // namespace charts
