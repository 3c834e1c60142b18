#include "charts/line/PointsSubView.h"

#include "kit/ui/Shape.h"

namespace charts {

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
