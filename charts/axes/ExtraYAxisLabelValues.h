#pragma once

#include "charts/axes/LineBarChartDataObject.h"
#include "charts/axes/YAxisLabelValues.h"

#include <string>
#include <string_view>
#include <vector>

namespace charts {

// The texts of the extra line's value labels, lowest value first: none
// without an extra line; otherwise the line style's yAxisNumberOfLabels
// values spread from the line's own lower end (its baseline) over its
// drawing range (upper end − lower end + 1e-11), each formatted with
// `specifier` alone. The chart's own data, style and formatter play no part.
template <LineBarChartDataObject ChartData>
std::vector<std::string> extraYAxisLabelValues(const ChartData& chartData, std::string_view specifier)
{
    const std::optional<ExtraLineData>& extraLine = *chartData.extraLineData;
    if (!extraLine)
        return {};
    return spreadLabelValues(extraLine->lowerEnd(), extraLine->drawingRange(), extraLine->style.yAxisNumberOfLabels,
                             [&](double value) { return specifierText(specifier, value); });
}

} // namespace charts
