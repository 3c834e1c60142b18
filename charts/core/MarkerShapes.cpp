#include "charts/core/MarkerShapes.h"

namespace charts {

namespace {

// The two-segment marker: a horizontal arm from x = fromX to the point, then
// a vertical arm from y = fromY to the point.
kit::Path corner(kit::Point p, double fromX, double fromY)
{
    kit::Path path;
    path.move({fromX, p.y});
    path.addLine(p);
    path.move({p.x, fromY});
    path.addLine(p);
    return path;
}

} // namespace

kit::Path Vertical::path(const kit::Rect& rect) const
{
    kit::Path path;
    path.move({position.x, 0});
    path.addLine({position.x, rect.height()});
    return path;
}

kit::Path MarkerFull::path(const kit::Rect& rect) const
{
    kit::Path path;
    path.move({0, position.y});
    path.addLine({rect.width(), position.y});
    path.move({position.x, 0});
    path.addLine({position.x, rect.height()});
    return path;
}

kit::Path MarkerBottomLeading::path(const kit::Rect& rect) const { return corner(position, 0, rect.height()); }

kit::Path MarkerBottomTrailing::path(const kit::Rect& rect) const
{
    return corner(position, rect.width(), rect.height());
}

kit::Path MarkerTopLeading::path(const kit::Rect&) const { return corner(position, 0, 0); }

kit::Path MarkerTopTrailing::path(const kit::Rect& rect) const { return corner(position, rect.width(), 0); }

} // namespace charts
