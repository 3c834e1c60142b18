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
struct MarkerShape {
    kit::Point position;
};

// A vertical line through the point, from the top edge to the bottom edge.
struct Vertical : MarkerShape {
    kit::Path path(const kit::Rect& rect) const
    {
        kit::Path path;
        path.move({position.x, 0});
        path.addLine({position.x, rect.height()});
        return path;
    }
};

// A cross of two lines through the point that span the whole rectangle.
struct MarkerFull : MarkerShape {
    kit::Path path(const kit::Rect& rect) const
    {
        kit::Path path;
        path.move({0, position.y});
        path.addLine({rect.width(), position.y});
        path.move({position.x, 0});
        path.addLine({position.x, rect.height()});
        return path;
    }
};

// An "L" of two arms ending at the point: the horizontal arm from the left
// edge (the right edge when `Trailing`), then the vertical arm from the top
// edge (the bottom edge when `Bottom`).
template <bool Trailing, bool Bottom>
struct CornerMarker : MarkerShape {
    kit::Path path(const kit::Rect& rect) const
    {
        kit::Path path;
        path.move({Trailing ? rect.width() : 0, position.y});
        path.addLine(position);
        path.move({position.x, Bottom ? rect.height() : 0});
        path.addLine(position);
        return path;
    }
};

using MarkerBottomLeading = CornerMarker<false, true>;
using MarkerBottomTrailing = CornerMarker<true, true>;
using MarkerTopLeading = CornerMarker<false, false>;
using MarkerTopTrailing = CornerMarker<true, false>;

} // namespace charts
