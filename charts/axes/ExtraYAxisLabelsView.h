#pragma once

#include "charts/axes/AxisLabelColumn.h"
#include "charts/axes/ExtraYAxisLabelValues.h"
#include "charts/core/SharedSelf.h"

namespace charts {

// The extra line's y-axis label column of a chart with axes: the view a
// class answers for extraYAxisLabelsView(). The twin of the chart's own
// column, its labels extraYAxisLabelValues formatted with the layout
// record's y-axis specifier; their widths join the same list. Without an
// extra line it holds the x-axis spacer alone. Nothing for a chart that no
// shared pointer owns.
template <class ChartData>
requires LineBarChartDataObject<ChartData> && std::derived_from<ChartData, SharedSelf> kit::View
extraYAxisLabelsView(const ChartData& chart)
{
    const std::shared_ptr<ChartData> chartData = sharedSelf(chart);
    if (!chartData)
        return kit::EmptyView();
    return axisLabelColumn(chart,
                           axisLabelColumnContent(chartData,
                                                  extraYAxisLabelValues(chart, chartData->viewData->yAxisSpecifier)));
}

} // namespace charts
