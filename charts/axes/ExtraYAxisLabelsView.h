#pragma once

#include "charts/axes/LineBarChartDataObject.h"
#include "kit/ui/View.h"

namespace charts {

// The extra line's y-axis label column of a chart with axes: the view a
// class answers for extraYAxisLabelsView(). Draws nothing until the axis
// label columns exist; the chart-data classes bind to it as it is and need
// no change then.
template <LineBarChartDataObject ChartData>
kit::View extraYAxisLabelsView(const ChartData&)
{
    return kit::EmptyView();
}

} // namespace charts
