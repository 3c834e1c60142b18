#pragma once

#include "kit/base/Path.h"
#include "kit/base/Rect.h"

namespace charts {

// A label callout pointing to the trailing side, for a label that stands
// before its marker: a flat leading edge, top and bottom edges running to
// shoulders at four fifths of the width, and the point at the middle of the
// trailing edge. Drawn within the rectangle's own edges.
struct LeadingLabelShape {
    kit::Path path(const kit::Rect& rect) const
    {
        const double w = rect.width();
        kit::Path path;
        path.addLines({{rect.minX(), rect.maxY()},
                       {rect.maxX() - w / 5, rect.maxY()},
                       {rect.maxX(), rect.midY()},
                       {rect.maxX() - w / 5, rect.minY()},
                       {rect.minX(), rect.minY()}});
        path.closeSubpath();
        return path;
    }
};

} // namespace charts
