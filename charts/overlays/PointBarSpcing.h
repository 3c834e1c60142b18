#pragma once

#include "charts/core/ChartEnums.h"
#include "kit/base/Path.h"
#include "kit/base/Rect.h"
#include "kit/ui/Shape.h"

namespace charts {

// The marker of one point of a bar-spaced extra line: a circle, square or
// rounded square `pointSize` across, centred in slot `index` of
// `datapointCount` equal slots across the width, at the height of its value
// (minValue on the bottom edge, minValue + range on the top edge). A shape
// over the whole plotting rectangle that draws only its own small box; a
// point of value 0 under `ignoreZero`, a line without points, or a place
// that is not a finite number give no marker; a range of 0 puts the marker
// on the bottom edge, as the line chart's Point does.
struct PointBarSpcing : kit::ShapeBase<PointBarSpcing> {
    double value = 0;
    int index = 0;
    double minValue = 0;
    double range = 0;
    int datapointCount = 0;
    double pointSize = 0;
    bool ignoreZero = false;
    PointShape pointStyle = PointShape::circle;

    PointBarSpcing(double value, int index, double minValue, double range, int datapointCount, double pointSize,
                   bool ignoreZero, PointShape pointStyle)
        : value(value), index(index), minValue(minValue), range(range), datapointCount(datapointCount),
          pointSize(pointSize), ignoreZero(ignoreZero), pointStyle(pointStyle)
    {
    }

    kit::Path path(const kit::Rect& rect) const;
};

} // namespace charts
