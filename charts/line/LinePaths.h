#pragma once

#include "charts/core/ChartEnums.h"
#include "charts/core/DataFunctions.h"
#include "charts/line/LineDataPoints.h"
#include "kit/base/Path.h"
#include "kit/base/Rect.h"

#include <memory>
#include <vector>

namespace charts {

// What a line path reads of a data point.
struct LinePathPoint {
    double value = 0;
    bool ignoreMe = false;

    friend bool operator==(const LinePathPoint&, const LinePathPoint&) = default;
};

// What a band path reads of a ranged data point.
struct BandPathPoint {
    double value = 0;
    double upperValue = 0;
    double lowerValue = 0;
};

// The path of one line through the points' values in `rect` (geometry of
// LineGeometry), joined by straight segments, cubic curves that leave and
// enter every point horizontally, or steps that hold each value up to the
// next point's x.
//
// Without `ignoreZero` every point is joined, from the first; with it the
// line starts at the first point whose value is not 0 (its ignoreMe is not
// consulted) and joins each later point whose value is not 0 and which is
// not marked ignoreMe, each to the last one joined. Values that are not
// finite numbers are always passed over. No point, or fewer than two for
// straight and stepped lines, or no point to start at, gives an empty path;
// a curved line of one point is its start point alone.
//
// Where the points stand closer than a quarter of a unit in x, only the
// first, the lowest, the highest and the last point of each quarter of a unit
// (counted from the rectangle's left edge) are joined, in their order: within
// each quarter the line reaches as high and as low as the one through every
// point and strays from it by less than a quarter of a unit across, and a
// line of far more points than its width holds a few pieces per quarter of
// its width rather than one per point.
//
// `isFilled` closes the path down the right edge (x of the last point, even
// when that point was passed over), along the bottom edge and back to the
// start point, for filling.
kit::Path linePath(const std::vector<LinePathPoint>& points, LineType lineType, const kit::Rect& rect, double minValue,
                   double range, bool isFilled, bool ignoreZero);

// The band of a ranged line in `rect`: from the first point's upper value
// right along the upper values, back left along the lower values (the first
// piece drops down the right edge), and a line back to the start; not
// closed, filling closes it. Steps on the way back hold each lower value
// from its own x to its right neighbour's. With `ignoreZero` only points
// whose value (not their upper or lower value) is not 0 are joined, but the
// band always starts and ends at the first point. Upper or lower values that
// are not finite numbers are passed over. No point gives an empty path.
kit::Path bandPath(const std::vector<BandPathPoint>& points, LineType lineType, const kit::Rect& rect, double minValue,
                   double range, bool ignoreZero);

// What linePath reads of the points. A line that does not pass over zeros
// never consults ignoreMe, so with `ignoreZero` false it is read as false
// (a point's flag may lie a cache line away from its value).
template <CTStandardDataPointProtocol DataPoint>
requires IgnoreMe<DataPoint> std::vector<LinePathPoint> linePathPoints(const std::vector<DataPoint>& dataPoints,
                                                                       bool ignoreZero = true)
{
    std::vector<LinePathPoint> points;
    points.reserve(dataPoints.size());
    for (const DataPoint& point : dataPoints)
        points.push_back({point.value, false});
    if (ignoreZero)
        for (std::size_t i = 0; i < dataPoints.size(); ++i)
            points[i].ignoreMe = dataPoints[i].ignoreMe;
    return points;
}

// What a line draws of its points (linePathPoints) and both ends of its
// values (valueEndsOf): the points are read once, for the value range and
// the path alike, the ends found in what the line draws of them (16 bytes
// a point, where a point holds 248).
struct DrawnLine {
    std::shared_ptr<const std::vector<LinePathPoint>> points;
    ValueEnds ends;
};

template <CTStandardDataPointProtocol DataPoint>
requires IgnoreMe<DataPoint> DrawnLine drawnLineOf(const std::vector<DataPoint>& dataPoints, bool ignoreZero)
{
    auto points = std::make_shared<const std::vector<LinePathPoint>>(linePathPoints(dataPoints, ignoreZero));
    ValueEndsReader ends(ignoreZero);
    for (const LinePathPoint& point : *points)
        ends.add(point.value);
    return {std::move(points), ends.ends()};
}

template <CTRangeDataPointProtocol DataPoint>
requires CTStandardDataPointProtocol<DataPoint> std::vector<BandPathPoint>
bandPathPoints(const std::vector<DataPoint>& dataPoints)
{
    std::vector<BandPathPoint> points;
    points.reserve(dataPoints.size());
    for (const DataPoint& point : dataPoints)
        points.push_back({point.value, point.upperValue, point.lowerValue});
    return points;
}

} // namespace charts
