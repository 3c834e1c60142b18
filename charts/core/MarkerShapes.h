#pragma once

#include "kit/base/Path.h"
#include "kit/base/Point.h"
#include "kit/base/Rect.h"

namespace charts {

// The touch markers of the charts with axes. Each is drawn from `position`,
// the touched point in the coordinates of the rectangle it is drawn in; only
// the rectangle's width and height are used (edges at 0 and w across, 0 and
// h down). Each segment is a subpath of its own; a position outside the
// rectangle is used as it is. None of them animates: the marker jumps.

// A vertical line through the point, from the top edge to the bottom edge.
struct Vertical {
    kit::Point position;
    kit::Path path(const kit::Rect& rect) const;
};

// A cross of two lines through the point that span the whole rectangle.
struct MarkerFull {
    kit::Point position;
    kit::Path path(const kit::Rect& rect) const;
};

// An "L" from the left edge and the bottom edge to the point.
struct MarkerBottomLeading {
    kit::Point position;
    kit::Path path(const kit::Rect& rect) const;
};

// An "L" from the right edge and the bottom edge to the point.
struct MarkerBottomTrailing {
    kit::Point position;
    kit::Path path(const kit::Rect& rect) const;
};

// An "L" from the left edge and the top edge to the point.
struct MarkerTopLeading {
    kit::Point position;
    kit::Path path(const kit::Rect& rect) const;
};

// An "L" from the right edge and the top edge to the point.
struct MarkerTopTrailing {
    kit::Point position;
    kit::Path path(const kit::Rect& rect) const;
};

} // namespace charts
