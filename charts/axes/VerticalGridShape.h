#pragma once

#include "kit/base/Path.h"
#include "kit/base/Rect.h"

namespace charts {

// One vertical grid line along the left edge of its frame, drawn from the
// bottom edge up, so that a trim growing from 0 draws it upwards. Only the
// frame's size is used.
struct VerticalGridShape {
    kit::Path path(const kit::Rect& rect) const
    {
        kit::Path path;
        path.move({0, rect.height()});
        path.addLine({0, 0});
        return path;
    }
};

} // namespace charts
