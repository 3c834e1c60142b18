#include "charts/pie/DoughnutSegmentShape.h"

#include "charts/pie/SegmentGeometry.h"

namespace charts {

kit::Path DoughnutSegmentShape::path(const kit::Rect& rect) const
{
    kit::Path path;
    const double radius = segmentRadius(rect) - insetAmount;
    if (radius > 0)
        path.addRelativeArc(segmentCentre(rect), radius, startAngle, amount);
    return path;
}

} // namespace charts
