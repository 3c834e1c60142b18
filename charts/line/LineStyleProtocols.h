#pragma once

#include "charts/core/ChartEnums.h"
#include "charts/core/ColourStyle.h"
#include "charts/core/Stroke.h"

#include <concepts>

namespace charts {

// The style of one line: how its points are joined, its colour, its stroke,
// and whether points of value exactly 0 are left out of the drawing.
template <class S>
concept CTLineStyle = std::copyable<S> && requires(S style)
{
    {
        style.lineType
        } -> std::same_as<LineType&>;
    {
        style.lineColour
        } -> std::same_as<ColourStyle&>;
    {
        style.strokeStyle
        } -> std::same_as<Stroke&>;
    {
        style.ignoreZero
        } -> std::same_as<bool&>;
};

// The style of a line with a filled band around it.
template <class S>
concept CTRangedLineStyle = CTLineStyle<S> && requires(S style)
{
    {
        style.fillColour
        } -> std::same_as<ColourStyle&>;
};

} // namespace charts
