#pragma once

#include "charts/bar/BarStyle.h"
#include "charts/bar/MultiBarDataPoints.h"
#include "charts/core/DataPointProtocols.h"

#include <concepts>

namespace charts {

// The root of the bar data points: points of a chart with axes.
template <class T>
concept CTBarDataPointBaseProtocol = CTLineBarDataPointProtocol<T>;

// A bar of one value with its own colour (standard and horizontal charts).
template <class T>
concept CTStandardBarDataPoint = CTBarColourProtocol<T> && CTBarDataPointBaseProtocol<T> &&
    CTStandardDataPointProtocol<T> && std::derived_from<T, CTnotRanged>;

// A bar from a lower to an upper value with its own colour.
template <class T>
concept CTRangedBarDataPoint = CTBarColourProtocol<T> && CTBarDataPointBaseProtocol<T> && CTRangeDataPointProtocol<T> &&
    std::derived_from<T, CTisRanged>;

// A bar of a grouped chart or a segment of a stacked one, coloured by its group.
template <class T>
concept CTMultiBarDataPoint = CTBarDataPointBaseProtocol<T> && CTStandardDataPointProtocol<T> &&
    std::derived_from<T, CTnotRanged> && requires(T point)
{
    {
        point.group
        } -> std::same_as<GroupingData&>;
};

} // namespace charts
