#pragma once

#include "charts/core/ChartEnums.h"
#include "charts/core/Hasher.h"
#include "kit/base/Color.h"

namespace charts {

// The marker colours of one data point, which win over its line's point style.
struct PointColour {
    kit::Color border;
    kit::Color fill;

    friend bool operator==(const PointColour&, const PointColour&) = default;
};

// How point markers look: size, outline and fill colours, outline width,
// how they are painted and their shape.
struct PointStyle {
    double pointSize;
    kit::Color borderColour;
    kit::Color fillColour;
    double lineWidth;
    PointType pointType;
    PointShape pointShape;

    friend bool operator==(const PointStyle&, const PointStyle&) = default;
};

} // namespace charts

template <>
struct std::hash<charts::PointColour> {
    std::size_t operator()(const charts::PointColour& c) const { return charts::hashValues(c.border, c.fill); }
};

template <>
struct std::hash<charts::PointStyle> {
    std::size_t operator()(const charts::PointStyle& s) const
    {
        return charts::hashValues(s.pointSize, s.borderColour, s.fillColour, s.lineWidth, s.pointType, s.pointShape);
    }
};
