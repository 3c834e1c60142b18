#pragma once

#include "charts/core/CTChartData.h"

#include <memory>

namespace charts {

// What the bar and line charts show in place of a chart without data: the
// chart data's noDataText as it is.
template <ChartDataObject T>
struct CustomNoDataView {
    std::shared_ptr<T> chartData;

    kit::View body() const { return chartData->noDataText; }
};

} // namespace charts
