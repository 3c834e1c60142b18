#pragma once

#include "charts/core/Hasher.h"
#include "charts/core/PointColour.h"
#include "kit/base/UUID.h"

#include <optional>
#include <string>

namespace charts {

// One value of a chart's extra line, with its own marker colours and the
// description shown when it is touched.
struct ExtraLineDataPoint {
    kit::UUID id;
    double value;
    std::optional<PointColour> pointColour;
    std::optional<std::string> pointDescription;

    // A point with a fresh id.
    ExtraLineDataPoint(double value, std::optional<PointColour> pointColour,
                       std::optional<std::string> pointDescription)
        : value(value), pointColour(pointColour), pointDescription(std::move(pointDescription))
    {
    }

    friend bool operator==(const ExtraLineDataPoint&, const ExtraLineDataPoint&) = default;
};

} // namespace charts

template <>
struct std::hash<charts::ExtraLineDataPoint> {
    std::size_t operator()(const charts::ExtraLineDataPoint& p) const
    {
        return charts::hashValues(p.id, p.value, p.pointColour, p.pointDescription);
    }
};
