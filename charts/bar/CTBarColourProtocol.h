#pragma once

#include "charts/core/ColourStyle.h"

#include <concepts>

namespace charts {

// Anything that carries a bar colour: bar points with a colour of their own,
// groups of bars, the bar style.
template <class T>
concept CTBarColourProtocol = requires(T value)
{
    {
        value.colour
        } -> std::same_as<ColourStyle&>;
};

} // namespace charts
