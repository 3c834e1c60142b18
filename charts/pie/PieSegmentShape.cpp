#include "charts/pie/PieSegmentShape.h"

#include "charts/pie/SegmentGeometry.h"

namespace charts {

kit::Path PieSegmentShape::path(const kit::Rect& rect) const
{
    kit::Path path;
    path.move(segmentCentre(rect));
    path.addRelativeArc(segmentCentre(rect), segmentRadius(rect), startAngle, amount);
    return path;
}

} // namespace charts
