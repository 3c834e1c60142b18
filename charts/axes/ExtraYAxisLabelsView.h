#pragma once

#include "charts/axes/AxisLabelColumn.h"
#include "charts/axes/ExtraYAxisLabelValues.h"
#include "charts/core/SharedSelf.h"

namespace charts {

// One label of the extra line's column: built as the chart's own y-axis
// labels are, its width joining the same list.
template <LineBarChartDataObject ChartData>
kit::View extraYAxisLabelText(const std::shared_ptr<ChartData>& chartData, const std::string& label, int index)
{
    return yAxisLabelText(chartData, label, index);
}

// The content of the extra line's y-axis label column: the twin of the
// chart's own, its labels extraYAxisLabelValues formatted with the layout
// record's y-axis specifier. Without an extra line it holds the x-axis
// spacer alone.
template <LineBarChartDataObject ChartData>
kit::View extraYAxisLabelColumnContent(const std::shared_ptr<ChartData>& chartData)
{
    return axisLabelColumnContent(chartData, extraYAxisLabelValues(*chartData, chartData->viewData->yAxisSpecifier),
                                  extraYAxisLabelText<ChartData>);
}

// The extra line's y-axis label column of a chart with axes: the view a
// class answers for extraYAxisLabelsView(). Nothing for a chart that no
// shared pointer owns.
template <class ChartData>
requires LineBarChartDataObject<ChartData> && std::derived_from<ChartData, SharedSelf> kit::View
extraYAxisLabelsView(const ChartData& chart)
{
    const std::shared_ptr<ChartData> chartData = sharedSelf(chart);
    if (!chartData)
        return kit::EmptyView();
    return axisLabelColumn(chart, extraYAxisLabelColumnContent(chartData));
}

} // namespace charts
