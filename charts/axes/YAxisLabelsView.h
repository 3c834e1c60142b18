#pragma once

#include "charts/axes/AxisLabelColumn.h"
#include "charts/axes/YAxisLabelValues.h"
#include "charts/core/SharedSelf.h"

namespace charts {

// The y-axis label column of a chart with axes: the view a class answers
// for yAxisLabelsView(): yAxisLabelValues formatted with the layout record's
// y-axis specifier and formatter, each at its value's height beside the
// plot. Nothing for a chart that no shared pointer owns.
template <class ChartData>
requires LineBarChartDataObject<ChartData> && GetDataProtocol<ChartData> && std::derived_from<ChartData, SharedSelf>
    kit::View yAxisLabelsView(const ChartData& chart)
{
    const std::shared_ptr<ChartData> chartData = sharedSelf(chart);
    if (!chartData)
        return kit::EmptyView();
    const ChartViewData& viewData = *chartData->viewData;
    return axisLabelColumn(chartData,
                           yAxisLabelValues(*chartData, viewData.yAxisSpecifier, viewData.yAxisNumberFormatter));
}

} // namespace charts
