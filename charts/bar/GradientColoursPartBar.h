#pragma once

#include "charts/bar/ColoursFill.h"
#include "kit/ui/Shape.h"

namespace charts {

// One part of a stacked column: a plain rectangle `height` high, as wide as
// the column, filled with a linear gradient of evenly spread colours from `startPoint` to `endPoint`.
struct GradientColoursPartBar : ColoursFill {
    double height;

    GradientColoursPartBar(std::vector<kit::Color> colours, kit::UnitPoint startPoint, kit::UnitPoint endPoint,
                           double height)
        : ColoursFill{std::move(colours), startPoint, endPoint}, height(height)
    {
    }

    kit::View body() const { return kit::Rectangle().fill(fill()).frame(std::nullopt, height); }
};

} // namespace charts
