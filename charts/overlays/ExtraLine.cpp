#include "charts/overlays/ExtraLine.h"

#include <cmath>

namespace charts {

bool isExtraLineLegend(const LegendData& legend, const ExtraLineData& extraLine, const ColourStyle& colour)
{
    return kit::equalAfterNFC(legend.legend, extraLine.legendTitle) && legend.colour == colour && legend.prioity == 3 &&
           legend.chartType == ChartType::line;
}

kit::Path ExtraLineShape::path(const kit::Rect& rect) const
{
    return extraLineValuesPath(lineType, lineSpacing, dataPoints, rect, minValue, range);
}

kit::Path PointBarSpcing::path(const kit::Rect& rect) const
{
    if (datapointCount <= 0)
        return {};
    // The line chart's marker of a lone point stands on the leading edge at
    // the value's height; moved to the middle of slot `index`.
    const double step = rect.width() / datapointCount;
    const double centre = step * 0.5 + step * index;
    if (!std::isfinite(centre))
        return {};
    return Point(value, 0, minValue, range, 1, pointSize, ignoreZero, pointStyle)
        .path(rect)
        .applying(kit::AffineTransform::translation(centre, 0));
}

} // namespace charts
