#include "charts/line/PointMarkers.h"

#include "charts/line/LineGeometry.h"
#include "kit/ui/Shape.h"

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

kit::View pointMarker(const kit::Shape& animated, const kit::Shape& complete, const PointStyle& style,
                      const MarkerColours& colours)
{
    if (style.pointType == PointType::filled)
        return animated.fill(colours.fill);
    const kit::View outline = animated.stroke(colours.border, kit::StrokeStyle{.lineWidth = style.lineWidth,
                                                                               .lineCap = kit::LineCap::butt,
                                                                               .lineJoin = kit::LineJoin::miter,
                                                                               .miterLimit = 10});
    if (style.pointType == PointType::outline)
        return outline;
    return outline.background(kit::View(complete).foregroundColor(colours.fill), kit::Alignment::center());
}

} // namespace charts
