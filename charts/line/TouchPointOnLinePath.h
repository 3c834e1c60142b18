#pragma once

#include "charts/core/ChartEnums.h"
#include "charts/line/LinePaths.h"
#include "kit/base/Point.h"
#include "kit/base/Rect.h"

#include <optional>
#include <vector>

namespace charts {

// Where a touch meets the drawn line: on the open path that LineShape
// draws for these points (straight, curved or stepped, zeros passed over
// with `ignoreZero`), the share f of its length left of the touch's x,
// measured along the chords of its pieces; then the centre of the bounds of
// the piece of the path from f to f + 0.001 of its arc length (the last
// 0.001 when f is past 0.999). It slides along the line between points.
// None for a path without length.
std::optional<kit::Point> touchPointOnLinePath(const std::vector<LinePathPoint>& points, LineType lineType,
                                               bool ignoreZero, const kit::Rect& chartSize, kit::Point touchLocation,
                                               double minValue, double range);

template <CTStandardDataPointProtocol DataPoint>
requires IgnoreMe<DataPoint> std::optional<kit::Point>
touchPointOnLinePath(const std::vector<DataPoint>& dataPoints, LineType lineType, bool ignoreZero,
                     const kit::Rect& chartSize, kit::Point touchLocation, double minValue, double range)
{
    return touchPointOnLinePath(linePathPoints(dataPoints, ignoreZero), lineType, ignoreZero, chartSize, touchLocation,
                                minValue, range);
}

} // namespace charts
