#pragma once

#include "charts/axes/GetDataProtocol.h"
#include "charts/axes/LineBarChartDataObject.h"
#include "charts/core/ValueText.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace charts {

// The text of one axis value: the formatter's text when a formatter is
// given and yields one, otherwise the printf-style text of the specifier.
inline std::string axisValueText(double value, std::string_view specifier, const NumberFormatterPtr& formatter)
{
    if (formatter)
        if (std::optional<std::string> text = formatter->string(value))
            return *text;
    return specifierText(specifier, value);
}

// The most labels a value axis shows. A column of more could be read on no
// screen, and every label is a view of its own, so a larger count is taken
// as this many: the labels still run from the lowest value to the top.
inline constexpr std::int64_t maxAxisLabelCount = 1000;

// The texts of `count` values evenly spread from `lowest` over `span`:
// lowest + step × i with step = span / (count − 1), each multiplied out
// rather than added up, formatted by `text`. Fewer than one label gives no
// texts, and one label the lowest value alone, so nothing is divided by
// zero; more than maxAxisLabelCount give that many.
template <class Text>
std::vector<std::string> spreadLabelValues(double lowest, double span, std::int64_t count, Text text)
{
    if (count <= 0)
        return {};
    count = std::min(count, maxAxisLabelCount);
    std::vector<std::string> labels;
    labels.reserve(static_cast<std::size_t>(count));
    labels.push_back(text(lowest));
    if (count == 1)
        return labels;
    const double step = span / static_cast<double>(count - 1);
    for (std::int64_t i = 1; i < count; ++i)
        labels.push_back(text(lowest + step * static_cast<double>(i)));
    return labels;
}

// The texts of the value labels, lowest value first. With custom labels,
// the chart's yAxisLabels (none: no texts). Otherwise yAxisNumberOfLabels
// values evenly spread from minValue over the range (spreadLabelValues),
// each the formatter's text or, when it gives none, the specifier's.
template <class ChartData>
requires LineBarChartDataObject<ChartData> && GetDataProtocol<ChartData> std::vector<std::string>
yAxisLabelValues(const ChartData& chartData, std::string_view specifier, const NumberFormatterPtr& formatter)
{
    const auto& style = *chartData.chartStyle;
    if (style.yAxisLabelType == YAxisLabelType::custom)
        return chartData.yAxisLabels->value_or(std::vector<std::string>{});
    const double range = chartData.range();
    const double lowest = chartData.minValue();
    return spreadLabelValues(lowest, range, style.yAxisNumberOfLabels,
                             [&](double value) { return axisValueText(value, specifier, formatter); });
}

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
