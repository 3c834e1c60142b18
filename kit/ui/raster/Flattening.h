#pragma once

// A path's curves as lines on the device, for the fills that write straight
// into the pixels (ConvexFill, ShapeFill): each curve cut into pieces short
// enough to stay within a tolerance of it, in device pixels.

#include "kit/base/Path.h"
#include "kit/base/Point.h"

#include <cstddef>
#include <vector>

class QTransform;

namespace kit::detail {

// How far a flattened curve may stray from the curve, in device pixels:
// well under what an edge pixel's coverage can show.
inline constexpr double fillFlatness = 0.02;

// `p` mapped by the affine transform `t`.
Point mappedBy(const QTransform& t, Point p);

// Appends the corners of the quadratic curve from `points.back()` through the
// control point `c` to `end`, or of the cubic with the control points `c1`
// and `c2`, `end` last, all on the device: as many pieces as keep the lines
// within `tolerance` of the curve, at most 1000 (one for a curve whose bend
// is not a number).
void appendQuadratic(std::vector<Point>& points, Point c, Point end, double tolerance);
void appendCubic(std::vector<Point>& points, Point c1, Point c2, Point end, double tolerance);

// The subpaths of `path` mapped by `toDevice` (an affine transform) and
// flattened within `tolerance`, one polygon each (its last corner joins its
// first), in `polygons[0, count)`, those of fewer than three corners left
// out (they cover nothing); the polygons' room is kept from one call to the
// next. False when a subpath does not start with a move (a line after a
// closed subpath), or a corner, kept or not, is out of reach (withinReach):
// Qt leaves a corner that is not a number out, joining the lines around it.
bool flattenSubpaths(const Path& path, const QTransform& toDevice, double tolerance,
                     std::vector<std::vector<Point>>& polygons, std::size_t& count);

} // namespace kit::detail
