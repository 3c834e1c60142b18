#pragma once

#include "kit/base/Path.h"
#include "kit/base/Rect.h"

namespace charts {

// A label callout pointing up: a flat bottom edge, sides running up to
// shoulders at three tenths of the height, and the point at the middle of
// the top edge. Drawn within the rectangle's own edges.
struct BottomLabelShape {
    kit::Path path(const kit::Rect& rect) const
    {
        const double h = rect.height();
        kit::Path path;
        path.addLines({{rect.minX(), rect.maxY()},
                       {rect.maxX(), rect.maxY()},
                       {rect.maxX(), rect.midY() - h / 5},
                       {rect.midX(), rect.minY()},
                       {rect.minX(), rect.midY() - h / 5}});
        path.closeSubpath();
        return path;
    }
};

} // namespace charts
