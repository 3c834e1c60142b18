#pragma once

#include "kit/base/Path.h"
#include "kit/base/Rect.h"

namespace charts {

// The sample of a line legend entry: one segment `width` long along the top
// edge of its frame, whatever the frame's size. Not animated.
struct LegendLine {
    double width = 0;

    kit::Path path(const kit::Rect&) const
    {
        kit::Path path;
        path.move({0, 0});
        path.addLine({width, 0});
        return path;
    }
};

} // namespace charts
