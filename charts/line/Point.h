#pragma once

#include "charts/core/ChartEnums.h"
#include "kit/base/Path.h"
#include "kit/base/Rect.h"
#include "kit/ui/Shape.h"

namespace charts {

// The marker of one data point: a circle, square or rounded square
// `pointSize` across, centred where the line geometry puts the point (its
// index among `datapointCount` points and its value). A shape over the
// whole chart rectangle that draws only its own small box. A point of value
// 0 under `ignoreZero`, or whose value is not a finite number, has no marker.
struct Point : kit::ShapeBase<Point> {
    double value = 0;
    int index = 0;
    double minValue = 0;
    double range = 0;
    int datapointCount = 0;
    double pointSize = 0;
    bool ignoreZero = false;
    PointShape pointStyle = PointShape::circle;

    Point(double value, int index, double minValue, double range, int datapointCount, double pointSize, bool ignoreZero,
          PointShape pointStyle)
        : value(value), index(index), minValue(minValue), range(range), datapointCount(datapointCount),
          pointSize(pointSize), ignoreZero(ignoreZero), pointStyle(pointStyle)
    {
    }

    kit::Path path(const kit::Rect& rect) const;
};

} // namespace charts
