#pragma once

#include "charts/core/CTLineBarChartDataProtocol.h"

#include <concepts>

namespace charts {

// Any chart-data object with axes (the bar and line families): what the
// value range, the axis labels and the axis decorations are generic over.
template <class T>
concept LineBarChartDataObject = ChartDataObject<T> &&
    std::derived_from<T, CTLineBarChartDataProtocol<typename T::SetType, typename T::SetPoint, typename T::DataPoint,
                                                    typename T::CTStyle>>;

} // namespace charts
