#pragma once

#include "charts/bar/CTBarColourProtocol.h"
#include "charts/bar/ColourFrom.h"
#include "charts/bar/CornerRadius.h"
#include "charts/core/DataPointProtocols.h"

#include <concepts>

namespace charts {

// The style of a chart's bars.
template <class T>
concept CTBarStyle = Hashable<T> && CTBarColourProtocol<T> && requires(T style)
{
    {
        style.barWidth
        } -> std::same_as<double&>;
    {
        style.cornerRadius
        } -> std::same_as<CornerRadius&>;
    {
        style.colourFrom
        } -> std::same_as<ColourFrom&>;
};

} // namespace charts
