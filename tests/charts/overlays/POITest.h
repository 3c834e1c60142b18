#pragma once

// Shared helpers for the point-of-interest tests: the chart builders of the
// bar and line tests, the overlay headers, and readers of paths.

#include "tests/charts/axes/AxisViewTest.h"

#include "charts/overlays/LabelShapes.h"
#include "charts/overlays/XAxisPOI.h"
#include "charts/overlays/YAxisPOI.h"

#include <vector>

namespace charts::testing {

// The points of a path of straight pieces, in order; a close adds none.
inline std::vector<kit::Point> pathPoints(const kit::Path& path)
{
    std::vector<kit::Point> points;
    for (const kit::Path::Element& element : path.elements())
        if (element.type != kit::Path::Element::Type::closeSubpath)
            points.push_back(element.point);
    return points;
}

inline bool isClosed(const kit::Path& path)
{
    return !path.elements().empty() && path.elements().back().type == kit::Path::Element::Type::closeSubpath;
}

// Formats every number as "#", or gives no text.
struct HashFormatter : kit::NumberFormatter {
    std::optional<std::string> string(double) const override { return "#"; }
};
struct SilentFormatter : kit::NumberFormatter {
    std::optional<std::string> string(double) const override { return std::nullopt; }
};

} // namespace charts::testing
