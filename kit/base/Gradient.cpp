#include "kit/base/Gradient.h"

#include <algorithm>

namespace kit {

Gradient::Gradient(std::vector<Color> colors)
{
    const std::size_t n = colors.size();
    for (std::size_t i = 0; i < n; ++i)
        stops_.push_back({colors[i], n == 1 ? 0.0 : double(i) / double(n - 1)});
}

Gradient::Gradient(std::vector<Stop> stops) : stops_(std::move(stops))
{
    for (Stop& s : stops_)
        s.location = std::clamp(s.location, 0.0, 1.0);
    std::stable_sort(stops_.begin(), stops_.end(),
                     [](const Stop& a, const Stop& b) { return a.location < b.location; });
}

RGBA Gradient::colorAt(double t, ColorScheme scheme, const ColorPalette* palette) const
{
    if (stops_.empty())
        return {};
    if (t <= stops_.front().location)
        return stops_.front().color.resolved(scheme, palette);
    for (std::size_t i = 0; i + 1 < stops_.size(); ++i) {
        const Stop& a = stops_[i];
        const Stop& b = stops_[i + 1];
        if (t < b.location) {
            const double span = b.location - a.location;
            return RGBA::mix(a.color.resolved(scheme, palette), b.color.resolved(scheme, palette),
                             span > 0 ? (t - a.location) / span : 1.0);
        }
    }
    return stops_.back().color.resolved(scheme, palette);
}

} // namespace kit
