#pragma once

#include "charts/core/ColourStyle.h"
#include "charts/core/DataPointProtocols.h"
#include "charts/core/Hasher.h"

#include <concepts>

namespace charts {

// The style of a chart's bars: how much of its cell a bar takes, how its
// corners are rounded and where its colour comes from, and what a style of
// bars, and anything that colours a bar, provides.

// Where a bar takes its colour: every bar the bar style's colour, or each
// bar its own data point's colour.
enum class ColourFrom { barStyle, dataPoints };

// The radii of the four corners of a bar.
struct CornerRadius {
    double topLeft = 0;
    double topRight = 0;
    double bottomLeft = 0;
    double bottomRight = 0;

    friend bool operator==(const CornerRadius&, const CornerRadius&) = default;
};

// Anything that carries a bar colour: bar points with a colour of their own,
// groups of bars, the bar style.
template <class T>
concept CTBarColourProtocol = requires(T value)
{
    {
        value.colour
        } -> std::same_as<ColourStyle&>;
};

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
        : barWidth(barWidth), cornerRadius{.topLeft = topLeft,
                                           .topRight = topRight,
                                           .bottomLeft = bottomLeft,
                                           .bottomRight = bottomRight},
          colourFrom(colourFrom), colour(std::move(colour))
    {
    }

    friend bool operator==(const BarStyle&, const BarStyle&) = default;
};

} // namespace charts

template <>
struct std::hash<charts::CornerRadius> {
    std::size_t operator()(const charts::CornerRadius& r) const
    {
        return charts::hashValues(r.topLeft, r.topRight, r.bottomLeft, r.bottomRight);
    }
};

template <>
struct std::hash<charts::BarStyle> {
    std::size_t operator()(const charts::BarStyle& s) const
    {
        return charts::hashValues(s.barWidth, s.cornerRadius.topLeft, s.cornerRadius.topRight,
                                  s.cornerRadius.bottomLeft, s.cornerRadius.bottomRight, s.colourFrom, s.colour);
    }
};
