#pragma once

#include "kit/base/Path.h"
#include "kit/base/Rect.h"

namespace charts {

// One horizontal grid line along the top edge of its frame, drawn from the
// left edge to the right, so that a trim growing from 0 draws it rightwards.
// Only the frame's size is used.
struct HorizontalGridShape {
    kit::Path path(const kit::Rect& rect) const
    {
        kit::Path path;
        path.move({0, 0});
        path.addLine({rect.width(), 0});
        return path;
    }
};

} // namespace charts
