#pragma once

#include "charts/core/Hasher.h"
#include "kit/base/Color.h"
#include "kit/base/Gradient.h"

#include <vector>

namespace charts {

// One colour of a gradient and where it sits along it, from 0 (start) to 1 (end).
struct GradientStop {
    kit::Color color;
    double location = 0;

    // The toolkit's gradient stops, one per stop, in the same order.
    static std::vector<kit::Gradient::Stop> convert(const std::vector<GradientStop>& stops);

    friend bool operator==(const GradientStop&, const GradientStop&) = default;
};

} // namespace charts

template <>
struct std::hash<charts::GradientStop> {
    std::size_t operator()(const charts::GradientStop& stop) const
    {
        return charts::hashValues(stop.color, stop.location);
    }
};
