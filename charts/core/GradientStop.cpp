#include "charts/core/GradientStop.h"

namespace charts {

std::vector<kit::Gradient::Stop> GradientStop::convert(const std::vector<GradientStop>& stops)
{
    std::vector<kit::Gradient::Stop> converted;
    converted.reserve(stops.size());
    for (const GradientStop& stop : stops)
        converted.push_back({stop.color, stop.location});
    return converted;
}

} // namespace charts
