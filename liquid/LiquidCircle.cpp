#include "liquid/LiquidCircle.h"

#include "kit/base/Random.h"
#include "liquid/SmoothClosedCurve.h"

#include <cmath>
#include <numbers>

namespace liquid {

AnimatableArray LiquidCircle::sampleRadians(int samples)
{
    AnimatableArray angles;
    if (samples <= 0)
        return angles;
    const double n = samples;
    const double offset = kit::Random::uniform(0.0, std::numbers::pi / n);
    angles.values.reserve(static_cast<std::size_t>(samples));
    for (int i = 0; i < samples; ++i) {
        double sector = 2 * std::numbers::pi / n;
        angles.values.push_back(kit::Random::uniform(sector * i, sector * (i + 1)) + offset);
    }
    return angles;
}

std::vector<kit::Point> LiquidCircle::points(const kit::Rect& rect) const
{
    std::vector<kit::Point> result;
    result.reserve(radians.values.size());
    for (double a : radians.values)
        result.push_back(
            {rect.midX() + rect.width() * std::cos(a) * 0.5, rect.midY() + rect.height() * std::sin(a) * 0.5});
    return result;
}

kit::Path LiquidCircle::path(const kit::Rect& rect) const
{
    return smoothClosedCurve(points(rect));
}

} // namespace liquid
