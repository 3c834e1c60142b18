#pragma once

#include "charts/axes/AxisLabelColumn.h"
#include "charts/axes/YAxisLabelValues.h"
#include "charts/core/SharedSelf.h"

namespace charts {

// The content of the y-axis label column: its labels are yAxisLabelValues
// formatted with the layout record's y-axis specifier and formatter, the
// highest at the top, spread over the column with flexible gaps, with the
// x-axis spacer on the side of the x-axis labels.
template <class ChartData>
requires LineBarChartDataObject<ChartData> && GetDataProtocol<ChartData> kit::View
yAxisLabelColumnContent(const std::shared_ptr<ChartData>& chartData)
{
    const ChartViewData& viewData = *chartData->viewData;
    return axisLabelColumnContent(chartData,
                                  yAxisLabelValues(*chartData, viewData.yAxisSpecifier, viewData.yAxisNumberFormatter),
                                  yAxisLabelText<ChartData>);
}

// The y-axis label column of a chart with axes: the view a class answers
// for yAxisLabelsView(), its content level with the plot area. Nothing for
// a chart that no shared pointer owns.
template <class ChartData>
requires LineBarChartDataObject<ChartData> && GetDataProtocol<ChartData> && std::derived_from<ChartData, SharedSelf>
    kit::View yAxisLabelsView(const ChartData& chart)
{
    const std::shared_ptr<ChartData> chartData = sharedSelf(chart);
    if (!chartData)
        return kit::EmptyView();
    return axisLabelColumn(chart, yAxisLabelColumnContent(chartData));
}

} // namespace charts
