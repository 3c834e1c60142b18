#include "charts/core/ColourStylePaint.h"

namespace charts {

namespace {

// kit's Gradient spreads colours evenly and sorts and clamps stops.
kit::Paint linear(kit::Gradient gradient, kit::UnitPoint start, kit::UnitPoint end)
{
    return kit::LinearGradient{std::move(gradient), start, end};
}

} // namespace

std::optional<kit::Paint> colourStylePaint(const ColourStyle& style)
{
    const bool points = style.startPoint && style.endPoint;
    switch (style.colourType) {
    case ColourType::colour:
        if (style.colour)
            return kit::Paint(*style.colour);
        break;
    case ColourType::gradientColour:
        if (style.colours && points)
            return linear(kit::Gradient(*style.colours), *style.startPoint, *style.endPoint);
        break;
    case ColourType::gradientStops:
        if (style.stops && points)
            return linear(kit::Gradient(GradientStop::convert(*style.stops)), *style.startPoint, *style.endPoint);
        break;
    }
    return std::nullopt;
}

std::optional<kit::Paint> firstPresentPaint(const ColourStyle& style)
{
    if (style.colour)
        return kit::Paint(*style.colour);
    if (!style.startPoint || !style.endPoint)
        return std::nullopt;
    return firstPresentPaint(style, *style.startPoint, *style.endPoint);
}

std::optional<kit::Paint> firstPresentPaint(const ColourStyle& style, kit::UnitPoint start, kit::UnitPoint end)
{
    if (style.colour)
        return kit::Paint(*style.colour);
    if (style.colours)
        return linear(kit::Gradient(*style.colours), start, end);
    if (style.stops)
        return linear(kit::Gradient(GradientStop::convert(*style.stops)), start, end);
    return std::nullopt;
}

} // namespace charts
