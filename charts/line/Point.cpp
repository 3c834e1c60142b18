#include "charts/line/Point.h"

#include "charts/line/LineGeometry.h"

#include <algorithm>

namespace charts {

kit::Path Point::path(const kit::Rect& rect) const
{
    kit::Path path;
    if ((ignoreZero && value == 0) || !isDrawableValue(value))
        return path;
    const LineGeometry geometry(rect, static_cast<std::size_t>(std::max(datapointCount, 0)), minValue, range);
    const kit::Point centre{geometry.step() * index, geometry.y(value)};
    const kit::Rect box(centre.x - pointSize * 0.5, centre.y - pointSize * 0.5, pointSize, pointSize);
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
