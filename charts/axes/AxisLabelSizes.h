#pragma once

#include "charts/core/ChartViewData.h"
#include "charts/core/DataFunctions.h"

namespace charts {

// The room the x-axis labels and title take across the chart: the tallest
// measured x-axis label (0 before any is measured) plus the x-axis title's
// height.
inline double xAxisLabelsAndTitleHeight(const ChartViewData& viewData)
{
    return largestOf(viewData.xAxisLabelHeights).value_or(0) + viewData.xAxisTitleHeight;
}

} // namespace charts
