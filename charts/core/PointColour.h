#pragma once

#include "charts/core/Hasher.h"
#include "kit/base/Color.h"

namespace charts {

// The marker colours of one data point.
struct PointColour {
    kit::Color border;
    kit::Color fill;

    friend bool operator==(const PointColour&, const PointColour&) = default;
};

} // namespace charts

template <>
struct std::hash<charts::PointColour> {
    std::size_t operator()(const charts::PointColour& c) const { return charts::hashValues(c.border, c.fill); }
};
