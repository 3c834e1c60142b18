#include "charts/overlays/LinearTrendLineShape.h"

#include <cmath>

namespace charts {

kit::Path LinearTrendLineShape::path(const kit::Rect& rect) const
{
    const double h = rect.height();
    const double w = rect.width();
    // With no span to divide by, every value sits on the bottom edge.
    const double k = range == 0 ? 0 : -h / range;
    const double startY = (firstValue - minValue) * k + h;
    const double endY = (lastValue - minValue) * k + h;
    kit::Path path;
    if (!std::isfinite(startY) || !std::isfinite(endY))
        return path;
    path.move({0, startY});
    path.addLine({w, endY});
    return path;
}

} // namespace charts
