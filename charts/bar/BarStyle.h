#pragma once

#include "charts/bar/ColourFrom.h"
#include "charts/bar/CornerRadius.h"
#include "charts/core/ColourStyle.h"

namespace charts {

// The bars of a chart: the share of its cell a bar is wide (1 fills the
// cell; the bar is centred in it), its corner radii, and where its colour
// comes from, with the colour used when it comes from the style (also the
// colour of the chart's legend entry then).
struct BarStyle {
    double barWidth;
    CornerRadius cornerRadius;
    ColourFrom colourFrom;
    ColourStyle colour;

    BarStyle(double barWidth, double topLeft, double topRight, double bottomLeft, double bottomRight,
             ColourFrom colourFrom, ColourStyle colour)
        : barWidth(barWidth), cornerRadius{topLeft, topRight, bottomLeft, bottomRight}, colourFrom(colourFrom),
          colour(std::move(colour))
    {
    }

    friend bool operator==(const BarStyle&, const BarStyle&) = default;
};

} // namespace charts

template <>
struct std::hash<charts::BarStyle> {
    std::size_t operator()(const charts::BarStyle& s) const
    {
        return charts::hashValues(s.barWidth, s.cornerRadius.topLeft, s.cornerRadius.topRight,
                                  s.cornerRadius.bottomLeft, s.cornerRadius.bottomRight, s.colourFrom, s.colour);
    }
};
