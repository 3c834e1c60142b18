#pragma once

#include "charts/axes/XAxisLabelCell.h"
#include "charts/core/ChartViewData.h"
#include "charts/core/CommonLineBarChartStyle.h"

#include <functional>
#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace charts {

// The x-axis label view of a bar chart (`chart`, null when no shared
// pointer holds it: then nothing): the chart's own labels when the style
// takes them from the chart data (none without a list), each centred in an
// equal slot of the plot's width, otherwise `fromPoints` (one label per bar,
// cluster or stack) each centred where `centreAt` puts its category.
template <class ChartData>
kit::View barXAxisLabelsView(const std::shared_ptr<ChartData>& chart, const std::vector<std::string>& fromPoints,
                             std::function<double(std::size_t, double)> centreAt)
{
    if (!chart)
        return kit::EmptyView();
    if (std::holds_alternative<LabelsFrom::ChartData>(chart->chartStyle->xAxisLabelsFrom.value)) {
        const std::optional<std::vector<std::string>>& labels = *chart->xAxisLabels;
        if (!labels)
            return kit::EmptyView();
        return xAxisCategoryRow(chart, *labels, slotMiddles(labels->size()), false);
    }
    return xAxisCategoryRow(chart, fromPoints, std::move(centreAt), false);
}

} // namespace charts
