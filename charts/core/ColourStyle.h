#pragma once

#include "charts/core/ChartEnums.h"
#include "charts/core/Hasher.h"
#include "kit/base/Color.h"
#include "kit/base/Gradient.h"
#include "kit/base/UnitPoint.h"

#include <concepts>
#include <optional>
#include <vector>

namespace charts {

// One colour of a gradient and where it sits along it, from 0 (start) to 1 (end).
struct GradientStop {
    kit::Color color;
    double location = 0;

    // The toolkit's gradient stops, one per stop, in the same order.
    static std::vector<kit::Gradient::Stop> convert(const std::vector<GradientStop>& stops)
    {
        std::vector<kit::Gradient::Stop> converted;
        converted.reserve(stops.size());
        for (const GradientStop& stop : stops)
            converted.push_back({stop.color, stop.location});
        return converted;
    }

    friend bool operator==(const GradientStop&, const GradientStop&) = default;
};

// A flat colour, a linear gradient of evenly spread colours, or a linear
// gradient of stops, the gradients running from startPoint to endPoint.
// Each initializer sets exactly one of colour, colours and stops.
struct ColourStyle {
    ColourType colourType = ColourType::colour;
    std::optional<kit::Color> colour;
    std::optional<std::vector<kit::Color>> colours;
    std::optional<std::vector<GradientStop>> stops;
    std::optional<kit::UnitPoint> startPoint;
    std::optional<kit::UnitPoint> endPoint;

    explicit ColourStyle(kit::Color colour) : colourType(ColourType::colour), colour(colour) {}
    ColourStyle(std::vector<kit::Color> colours, kit::UnitPoint startPoint, kit::UnitPoint endPoint)
        : colourType(ColourType::gradientColour), colours(std::move(colours)), startPoint(startPoint),
          endPoint(endPoint)
    {
    }
    ColourStyle(std::vector<GradientStop> stops, kit::UnitPoint startPoint, kit::UnitPoint endPoint)
        : colourType(ColourType::gradientStops), stops(std::move(stops)), startPoint(startPoint), endPoint(endPoint)
    {
    }

    friend bool operator==(const ColourStyle&, const ColourStyle&) = default;
};

// Anything that describes a colour the way ColourStyle does.
template <class T>
concept CTColourStyle = requires(T style)
{
    {
        style.colourType
        } -> std::convertible_to<ColourType>;
    {
        style.colour
        } -> std::convertible_to<std::optional<kit::Color>>;
    {
        style.colours
        } -> std::convertible_to<std::optional<std::vector<kit::Color>>>;
    {
        style.stops
        } -> std::convertible_to<std::optional<std::vector<GradientStop>>>;
    {
        style.startPoint
        } -> std::convertible_to<std::optional<kit::UnitPoint>>;
    {
        style.endPoint
        } -> std::convertible_to<std::optional<kit::UnitPoint>>;
};

} // namespace charts

template <>
struct std::hash<charts::GradientStop> {
    std::size_t operator()(const charts::GradientStop& stop) const
    {
        return charts::hashValues(stop.color, stop.location);
    }
};

template <>
struct std::hash<charts::ColourStyle> {
    std::size_t operator()(const charts::ColourStyle& s) const
    {
        return charts::hashValues(s.colourType, s.colour, s.colours, s.stops, s.startPoint, s.endPoint);
    }
};
