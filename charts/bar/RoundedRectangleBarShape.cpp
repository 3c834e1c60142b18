#include "charts/bar/RoundedRectangleBarShape.h"

#include "charts/bar/BarGeometry.h"

#include <numbers>

namespace charts {

kit::Path RoundedRectangleBarShape::path(const kit::Rect& rect) const
{
    using std::numbers::pi;
    const double w = rect.width();
    const double h = rect.height();
    const double topLeft = charts::cornerRadius(tl, w, h);
    const double topRight = charts::cornerRadius(tr, w, h);
    const double bottomLeft = charts::cornerRadius(bl, w, h);
    const double bottomRight = charts::cornerRadius(br, w, h);

    kit::Path path;
    path.move({topLeft, 0});
    path.addLine({w - topRight, 0});
    path.addArc({w - topRight, topRight}, topRight, -pi / 2, 0, false);
    path.addLine({w, h - bottomRight});
    path.addArc({w - bottomRight, h - bottomRight}, bottomRight, 0, pi / 2, false);
    path.addLine({bottomLeft, h});
    path.addArc({bottomLeft, h - bottomLeft}, bottomLeft, pi / 2, pi, false);
    path.addLine({0, topLeft});
    path.addArc({topLeft, topLeft}, topLeft, pi, 3 * pi / 2, false);
    return path;
}

} // namespace charts
