#pragma once

#include "charts/core/Hasher.h"

namespace charts {

// The radii of the four corners of a bar.
struct CornerRadius {
    double topLeft = 0;
    double topRight = 0;
    double bottomLeft = 0;
    double bottomRight = 0;

    friend bool operator==(const CornerRadius&, const CornerRadius&) = default;
};

} // namespace charts

template <>
struct std::hash<charts::CornerRadius> {
    std::size_t operator()(const charts::CornerRadius& r) const
    {
        return charts::hashValues(r.topLeft, r.topRight, r.bottomLeft, r.bottomRight);
    }
};
