#pragma once

#include "kit/base/Path.h"
#include "kit/base/Rect.h"

namespace charts {

// A rhombus through the middles of the rectangle's four edges, from the
// bottom round by the trailing edge.
struct DiamondShape {
    kit::Path path(const kit::Rect& rect) const
    {
        kit::Path path;
        path.addLines({{rect.midX(), rect.maxY()},
                       {rect.maxX(), rect.midY()},
                       {rect.midX(), rect.minY()},
                       {rect.minX(), rect.midY()}});
        path.closeSubpath();
        return path;
    }
};

} // namespace charts
