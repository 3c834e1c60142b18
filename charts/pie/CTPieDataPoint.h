#pragma once

#include "charts/core/DataPointProtocols.h"
#include "charts/pie/OverlayType.h"
#include "kit/base/Color.h"

#include <concepts>

namespace charts {

// A slice of a pie or doughnut chart: one value, its colour, its wedge and
// what is drawn over it.
template <class T>
concept CTPieDataPoint = CTStandardDataPointProtocol<T> && std::derived_from<T, CTnotRanged> && requires(T point)
{
    {
        point.colour
        } -> std::convertible_to<kit::Color>;
    {
        point.startAngle
        } -> std::convertible_to<double>;
    {
        point.amount
        } -> std::convertible_to<double>;
    {
        point.label
        } -> std::convertible_to<OverlayType>;
};

} // namespace charts
