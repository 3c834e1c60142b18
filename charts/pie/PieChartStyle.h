#pragma once

#include "charts/core/CommonChartStyle.h"

namespace charts {

// The look of a pie chart: where and how touched values are shown, and the
// animation of the chart's appearance.
struct PieChartStyle : CommonChartStyle {
    using CommonChartStyle::CommonChartStyle;
};

} // namespace charts
