#pragma once

#include "charts/core/Hasher.h"
#include "charts/core/PointShape.h"
#include "charts/core/PointType.h"
#include "kit/base/Color.h"

namespace charts {

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
struct std::hash<charts::PointStyle> {
    std::size_t operator()(const charts::PointStyle& s) const
    {
        return charts::hashValues(s.pointSize, s.borderColour, s.fillColour, s.lineWidth, s.pointType, s.pointShape);
    }
};
