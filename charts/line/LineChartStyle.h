#pragma once

#include "charts/core/CommonLineBarChartStyle.h"
#include "charts/core/MarkerTypes.h"

namespace charts {

// The chart-wide style of every line chart: the touch info box, the marker a
// touch draws on the lines, both axes (grid lines, labels, titles, borders),
// where the value axis starts and ends, and the animation of the chart's
// views. A plain value of public fields, stored as given, made from every
// field in declaration order; neither equatable nor hashable.
struct LineChartStyle : CommonLineBarChartStyle<LineMarkerType> {
    using CommonLineBarChartStyle::CommonLineBarChartStyle;
};

} // namespace charts
