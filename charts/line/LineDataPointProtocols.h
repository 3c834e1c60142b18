#pragma once

#include "charts/core/DataPointProtocols.h"
#include "charts/core/PointStyle.h"

#include <concepts>
#include <optional>

namespace charts {

// A data point of a line, with its own optional marker colours.
template <class T>
concept CTLineDataPointProtocol = CTDataPointBaseProtocol<T> && requires(T point)
{
    {
        point.pointColour
        } -> std::convertible_to<std::optional<PointColour>>;
};

// A point of a single or multi-line chart: one value, its marker colours,
// its x-axis label, and the mark that leaves it out of the line.
template <class T>
concept CTStandardLineDataPoint = CTLineDataPointProtocol<T> && CTStandardDataPointProtocol<T> &&
    CTLineBarDataPointProtocol<T> && IgnoreMe<T> && std::derived_from<T, CTnotRanged>;

// A point of a ranged line chart: the line's value with a band from its
// lower to its upper value around it.
template <class T>
concept CTRangedLineDataPoint = CTLineDataPointProtocol<T> && CTRangeDataPointProtocol<T> &&
    CTStandardDataPointProtocol<T> && CTLineBarDataPointProtocol<T> && IgnoreMe<T> && std::derived_from<T, CTisRanged>;

} // namespace charts
