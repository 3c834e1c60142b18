#pragma once

#include "charts/axes/XAxisLabelCell.h"
#include "charts/core/CommonLineBarChartStyle.h"

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace charts {

// The x-axis label texts of a line chart whose points are `points`: the
// chart's own labels when the style takes them from the chart data (none
// without a list), otherwise each point's label (empty for a point without
// one).
template <class ChartData, class DataPoint>
std::vector<std::string> lineXAxisLabelTexts(const ChartData& chartData, const std::vector<DataPoint>& points)
{
    if (!std::holds_alternative<LabelsFrom::DataPoint>(chartData.chartStyle->xAxisLabelsFrom.value)) {
        const std::optional<std::vector<std::string>>& own = *chartData.xAxisLabels;
        return own ? *own : std::vector<std::string>{};
    }
    std::vector<std::string> labels;
    for (const DataPoint& point : points)
        labels.push_back(point.xAxisLabel.value_or(""));
    return labels;
}

// The x-axis labels of a line chart (nothing for a chart that no shared
// pointer owns): each label centred on its point, the first on the plot's
// leading edge, the last on its trailing edge, the others evenly between.
// A row whose points carry no label takes no height.
template <class ChartData, class DataPoint>
kit::View lineXAxisLabels(const std::shared_ptr<ChartData>& chartData, const std::vector<DataPoint>& points)
{
    if (!chartData)
        return kit::EmptyView();
    const std::vector<std::string> labels = lineXAxisLabelTexts(*chartData, points);
    return xAxisCategoryRow(chartData, labels, edgeToEdge(labels.size()), true);
}

// How far those labels reach past the plot's edges.
template <class ChartData, class DataPoint>
std::pair<double, double> lineXAxisLabelOverhang(const ChartData& chartData, const std::vector<DataPoint>& points)
{
    const auto& style = *chartData.chartStyle;
    return edgeLabelOverhang(style.xAxisLabelFont, lineXAxisLabelTexts(chartData, points),
                             xAxisLabelRotation(style.xAxisLabelsFrom));
}

} // namespace charts
