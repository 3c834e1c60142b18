#pragma once

// Filling a convex shape straight into the pixels: a pie segment, a bar's
// rounded cap, a triangle, an ellipse. Qt's antialiased rasteriser costs
// about the area of a shape's bounding box, and a thin pie segment standing
// on its corner covers a small part of its box. Here the outline, flattened
// into lines, adds to each pixel the area it covers (exact coverage, as an
// antialiased fill gives it), and only the pixels of each row between the
// shape's first and last edge are visited.

#include "kit/base/Path.h"
#include "kit/base/Point.h"

#include <QRect>

#include <cstdint>
#include <functional>
#include <vector>

class QBrush;
class QPainter;
class QTransform;

namespace kit::detail {

// The outline of `path` (one subpath of lines and curves, closed or not)
// mapped by `toDevice` (an affine transform) and flattened into `points`
// within `tolerance` pixels, when it is a convex polygon of at least three
// corners turning one way round once; false (and `points` left as it
// falls) otherwise.
bool convexOutline(const Path& path, const QTransform& toDevice, double tolerance, std::vector<Point>& points);

// The coverage of the polygon `points` (device pixels) over the pixels of
// `area`, row by row: `row(y, from, coverage, count)` for each row of `area`
// the polygon crosses, with `coverage[i]` (0 ... 255) that of pixel
// (from + i, y); pixels outside each row's run are not covered. Exact for a
// simple polygon; a polygon crossing itself takes the sum of its signed
// windings.
using CoveredRow = std::function<void(int y, int from, const std::uint8_t* coverage, int count)>;
void forEachCoveredRow(const std::vector<Point>& points, const QRect& area, const CoveredRow& row);

// Fills `path` with `brush` (both in the painter's current space) by
// forEachCoveredRow when the brush is one plain colour, the painter
// antialiases and paints into a raster target, and the path is convex on
// the device; false, having drawn nothing, otherwise.
bool fillAsConvex(QPainter& painter, const Path& path, const QBrush& brush);

} // namespace kit::detail
