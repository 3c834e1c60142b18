#pragma once

#include "kit/base/Path.h"
#include "kit/base/Rect.h"

namespace charts {

// A label callout pointing down: a flat top edge, sides running down to
// shoulders at seven tenths of the height, and the point at the middle of
// the bottom edge. Drawn within the rectangle's own edges.
struct TopLabelShape {
    kit::Path path(const kit::Rect& rect) const
    {
        const double h = rect.height();
        kit::Path path;
        path.addLines({{rect.minX(), rect.minY()},
                       {rect.minX(), rect.midY() + h / 5},
                       {rect.midX(), rect.maxY()},
                       {rect.maxX(), rect.midY() + h / 5},
                       {rect.maxX(), rect.minY()}});
        path.closeSubpath();
        return path;
    }
};

} // namespace charts
