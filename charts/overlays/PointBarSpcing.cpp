#include "charts/overlays/PointBarSpcing.h"

#include <cmath>

namespace charts {

kit::Path PointBarSpcing::path(const kit::Rect& rect) const
{
    kit::Path path;
    if (datapointCount <= 0 || (ignoreZero && value == 0))
        return path;
    const double w = rect.width();
    const double h = rect.height();
    const double step = w / datapointCount;
    const double x = step * 0.5 + step * index - pointSize * 0.5;
    const double y = h - (h / range) * (value - minValue) - pointSize * 0.5;
    if (!std::isfinite(x) || !std::isfinite(y))
        return path;
    const kit::Rect box(x, y, pointSize, pointSize);
    switch (pointStyle) {
    case PointShape::circle:
        path.addEllipse(box);
        break;
    case PointShape::square:
        path.addRect(box);
        break;
    case PointShape::roundSquare:
        path.addRoundedRect(box, kit::Size{3, 3}, kit::RoundedCornerStyle::continuous);
        break;
    }
    return path;
}

} // namespace charts
