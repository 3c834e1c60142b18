#include "charts/overlays/ExtraLineShape.h"

#include "charts/core/ExtraLineData.h"

namespace charts {

kit::Path ExtraLineShape::path(const kit::Rect& rect) const
{
    return extraLineValuesPath(lineType, lineSpacing, dataPoints, rect, minValue, range);
}

} // namespace charts
