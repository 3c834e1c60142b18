#pragma once

#include "charts/bar/StopsFill.h"
#include "kit/ui/Shape.h"

namespace charts {

// One part of a stacked column: a plain rectangle `height` high, as wide as
// the column, filled with a linear gradient of stops from `startPoint` to `endPoint`.
struct GradientStopsPartBar : StopsFill {
    double height;

    GradientStopsPartBar(std::vector<kit::Gradient::Stop> stops, kit::UnitPoint startPoint, kit::UnitPoint endPoint,
                         double height)
        : StopsFill{std::move(stops), startPoint, endPoint}, height(height)
    {
    }

    kit::View body() const { return kit::Rectangle().fill(fill()).frame(std::nullopt, height); }
};

} // namespace charts
