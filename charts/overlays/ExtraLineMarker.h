#pragma once

#include "charts/core/ExtraLineData.h"
#include "charts/line/PointMarkers.h"
#include "charts/overlays/PointBarSpcing.h"
#include "kit/ui/Shape.h"

namespace charts {

// The marker of point `index` (of value `value`) on `extraLine`, on the
// line's own value range: a Point under line spacing (the first and last on
// the edges), a PointBarSpcing under bar spacing (centred in its slot). A
// value of 0 gets a marker too.
inline kit::Shape extraLineMarker(const ExtraLineData& extraLine, double value, int index, double lowest, double span)
{
    const PointStyle& style = extraLine.style.pointStyle;
    const int count = static_cast<int>(extraLine.dataPoints.size());
    if (extraLine.style.lineSpacing == ExtraLineStyle::SpacingType::bar)
        return PointBarSpcing(value, index, lowest, span, count, style.pointSize, false, style.pointShape).shape();
    return Point(value, index, lowest, span, count, style.pointSize, false, style.pointShape).shape();
}

// The same, the line's lower end and drawing range worked out here: a
// caller drawing many markers works them out once (they read every point).
inline kit::Shape extraLineMarker(const ExtraLineData& extraLine, double value, int index)
{
    return extraLineMarker(extraLine, value, index, extraLine.lowerEnd(), extraLine.drawingRange());
}

// A point's own marker colours when it has them, else the point style's.
inline PointColour extraLineMarkerColours(const ExtraLineDataPoint& point, const PointStyle& style)
{
    return point.pointColour.value_or(PointColour{style.borderColour, style.fillColour});
}

} // namespace charts
