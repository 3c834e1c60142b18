#pragma once

#include "charts/axes/LineBarChartDataObject.h"
#include "charts/line/CTLineChartDataProtocol.h"

#include <concepts>

namespace charts {

// Any line chart-data object (the single, multi-line and ranged classes and
// their subclasses): what the line views are generic over.
template <class T>
concept LineChartDataObject = LineBarChartDataObject<T> &&
    std::derived_from<T, CTLineChartDataProtocol<typename T::SetType, typename T::SetPoint, typename T::DataPoint>>;

} // namespace charts
