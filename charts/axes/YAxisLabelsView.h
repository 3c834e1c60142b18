#pragma once

#include "charts/axes/AxisLabelColumn.h"
#include "charts/axes/YAxisLabelValues.h"
#include "charts/core/SharedSelf.h"

namespace charts {

// The y-axis label column of a chart with axes: the view a class answers
// for yAxisLabelsView(). Its labels are yAxisLabelValues formatted with the
// layout record's y-axis specifier and formatter, the highest at the top,
// spread over the column with flexible gaps, level with the plot area.
// Nothing for a chart that no shared pointer owns.
template <class ChartData>
requires LineBarChartDataObject<ChartData> && GetDataProtocol<ChartData> && std::derived_from<ChartData, SharedSelf>
    kit::View yAxisLabelsView(const ChartData& chart)
{
    const std::shared_ptr<ChartData> chartData = sharedSelf(chart);
    if (!chartData)
        return kit::EmptyView();
    const ChartViewData& viewData = *chartData->viewData;
    return axisLabelColumn(chart,
                           axisLabelColumnContent(chartData,
                                                  yAxisLabelValues(chart, viewData.yAxisSpecifier,
                                                                   viewData.yAxisNumberFormatter)));
}

} // namespace charts
