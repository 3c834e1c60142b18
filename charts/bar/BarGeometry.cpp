#include "charts/bar/BarGeometry.h"

#include "charts/bar/RoundedRectangleBarShape.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace charts {

namespace {

bool positiveFinite(double x)
{
    return std::isfinite(x) && x > 0;
}

} // namespace

double drawableLength(double length)
{
    return positiveFinite(length) ? length : 0;
}

double cornerRadius(double radius, double width, double height)
{
    if (std::isnan(radius))
        return 0;
    return std::max(0.0, std::min({width / 2, height / 2, radius}));
}

double barFraction(double value, double highest)
{
    if (!positiveFinite(highest))
        return 0;
    const double fraction = value / highest;
    return std::isfinite(fraction) ? fraction : 0;
}

ValueSpan valueSpan(double fraction, double slotLength, bool shown)
{
    if (!shown)
        return {};
    const double full = fraction * slotLength;
    const double length = drawableLength(std::abs(full));
    return {.start = full < 0 ? -length : 0, .length = length};
}

kit::Rect barRectInSlot(const SlotBar& bar, kit::Size size, kit::Axis axis)
{
    if (axis == kit::Axis::vertical) {
        const ValueSpan span = bar.span(size.height);
        return {bar.inset(size.width), size.height - span.end(), bar.thickness(size.width), span.length};
    }
    const ValueSpan span = bar.span(size.width);
    return {span.start, bar.inset(size.height), span.length, bar.thickness(size.height)};
}

kit::Path RoundedRectangleBarShape::path(const kit::Rect& rect) const
{
    using std::numbers::pi;
    const double w = rect.width();
    const double h = rect.height();
    const double topLeft = charts::cornerRadius(tl, w, h);
    const double topRight = charts::cornerRadius(tr, w, h);
    const double bottomLeft = charts::cornerRadius(bl, w, h);
    const double bottomRight = charts::cornerRadius(br, w, h);

    kit::Path path;
    path.move({topLeft, 0});
    path.addLine({w - topRight, 0});
    path.addArc({w - topRight, topRight}, topRight, -pi / 2, 0, false);
    path.addLine({w, h - bottomRight});
    path.addArc({w - bottomRight, h - bottomRight}, bottomRight, 0, pi / 2, false);
    path.addLine({bottomLeft, h});
    path.addArc({bottomLeft, h - bottomLeft}, bottomLeft, pi / 2, pi, false);
    path.addLine({0, topLeft});
    path.addArc({topLeft, topLeft}, topLeft, pi, 3 * pi / 2, false);
    return path;
}

std::vector<ValueSpan> stackSlots(double length, const std::vector<bool>& flexible, double spacing)
{
    const std::size_t n = flexible.size();
    std::vector<ValueSpan> slots(n);
    if (n == 0)
        return slots;
    double available = length - spacing * double(n - 1);
    std::size_t waiting = std::size_t(std::count(flexible.begin(), flexible.end(), true));
    for (std::size_t i = 0; i < n; ++i) {
        if (!flexible[i])
            continue;
        const double share = std::max(0.0, available / double(waiting));
        slots[i].length = share;
        available -= share;
        --waiting;
    }
    double position = 0;
    for (ValueSpan& slot : slots) {
        slot.start = position;
        position += slot.length + spacing;
    }
    return slots;
}

std::optional<double> negativeValueScale(double lowest, double highest)
{
    if (!(lowest < 0))
        return std::nullopt;
    const double factor = highest / (highest - lowest);
    if (!std::isfinite(factor) || factor <= 0 || factor > 1)
        return std::nullopt;
    return factor;
}

RangedBarFrame rangedBarFrame(double lowerValue, double upperValue, double lowest, double range, double height,
                              bool shown)
{
    if (!positiveFinite(range))
        return {.centreY = height, .height = 0};
    const double centre = height - height * (((upperValue + lowerValue) * 0.5 - lowest) / range);
    if (!std::isfinite(centre))
        return {.centreY = height, .height = 0};
    const double full = drawableLength(std::abs(upperValue - lowerValue) / range * height);
    return {.centreY = centre, .height = shown ? full : 0};
}

double stackedPartHeight(double value, double total, double columnHeight)
{
    if (!positiveFinite(total))
        return 0;
    return drawableLength(value / total * columnHeight);
}

} // namespace charts
