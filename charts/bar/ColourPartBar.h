#pragma once

#include "charts/bar/ColourFill.h"
#include "kit/ui/Shape.h"

namespace charts {

// One part of a stacked column: a plain rectangle `height` high, as wide as
// the column, filled with one colour.
struct ColourPartBar : ColourFill {
    double height;

    ColourPartBar(kit::Color colour, double height) : ColourFill{colour}, height(height) {}

    kit::View body() const { return kit::Rectangle().fill(fill()).frame(std::nullopt, height); }
};

} // namespace charts
