#pragma once

#include "kit/base/Path.h"
#include "kit/base/Rect.h"

namespace charts {

// A label callout pointing to the leading side, for a label that stands
// after its marker: a flat trailing edge, top and bottom edges running to
// shoulders at one fifth of the width, and the point at the middle of the
// leading edge. Drawn within the rectangle's own edges.
struct TrailingLabelShape {
    kit::Path path(const kit::Rect& rect) const
    {
        const double w = rect.width();
        kit::Path path;
        path.addLines({{rect.maxX(), rect.maxY()},
                       {rect.maxX(), rect.minY()},
                       {rect.minX() + w / 5, rect.minY()},
                       {rect.minX(), rect.midY()},
                       {rect.minX() + w / 5, rect.maxY()}});
        path.closeSubpath();
        return path;
    }
};

} // namespace charts
