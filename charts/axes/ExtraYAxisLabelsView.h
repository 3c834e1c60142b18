#pragma once

#include "charts/axes/AxisLabelColumn.h"
#include "charts/axes/ExtraYAxisLabelValues.h"
#include "charts/core/SharedSelf.h"

namespace charts {

// The extra line's y-axis label column of a chart with axes: the view a
// class answers for extraYAxisLabelsView(): the twin of the chart's own, its
// labels extraYAxisLabelValues formatted with the layout record's y-axis
// specifier, each at its value's height on the extra line's own scale.
// Nothing without an extra line, or for a chart that no shared pointer owns.
template <class ChartData>
requires LineBarChartDataObject<ChartData> && std::derived_from<ChartData, SharedSelf> kit::View
extraYAxisLabelsView(const ChartData& chart)
{
    const std::shared_ptr<ChartData> chartData = sharedSelf(chart);
    if (!chartData)
        return kit::EmptyView();
    return axisLabelColumn(chartData, extraYAxisLabelValues(*chartData, chartData->viewData->yAxisSpecifier));
}

} // namespace charts
