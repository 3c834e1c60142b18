#pragma once

// Filling a convex shape straight into the pixels: a pie segment, a bar's
// rounded cap, a triangle, an ellipse. Its outline, flattened into lines
// within a fiftieth of a pixel, is filled by its coverage (CoverageFill.h).

#include "kit/base/Path.h"
#include "kit/base/Point.h"
#include "kit/base/StrokeStyle.h"
#include "kit/ui/raster/CoverageFill.h"

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

// Fills `path` with `brush` (both in the painter's current space) by its
// coverage (fillPolygons) when the brush is one plain colour, the painter
// antialiases and paints into a raster target, and the path is convex on
// the device; false, having drawn nothing, otherwise.
bool fillAsConvex(QPainter& painter, const Path& path, const QBrush& brush);

// Strokes `path` (in the painter's current space) with `style` and `brush`
// as the convex shape the pen covers, filled as fillAsConvex fills it, when
// the path is one straight segment of some length and the line is solid: a
// rectangle for butt and square caps, a rectangle with half discs at its
// ends for round ones; false, having drawn nothing, otherwise.
bool strokeSegmentAsConvex(QPainter& painter, const Path& path, const StrokeStyle& style, const QBrush& brush);

// Whether the convex polygon `convex` (device pixels, as convexOutline
// makes it) holds every point of `rect` (device pixels).
bool holds(const std::vector<Point>& convex, const QRectF& rect);

// Fills the part of `path` (in the painter's current space) that lies
// within the convex polygon `clip` (device pixels) with `brush`, as an
// antialiased clip to `clip` would show it, when fillAsConvex could fill the
// path alone; false, having drawn nothing, otherwise.
bool fillAsConvexWithin(QPainter& painter, const Path& path, const std::vector<Point>& clip, const QBrush& brush);

// Strokes the part of a straight solid segment's stroke (as
// strokeSegmentAsConvex takes it) within the convex polygon `clip` (device
// pixels), as fillAsConvexWithin fills the shape its pen covers; false,
// having drawn nothing, otherwise.
bool strokeSegmentAsConvexWithin(QPainter& painter, const Path& path, const StrokeStyle& style,
                                 const std::vector<Point>& clip, const QBrush& brush);

} // namespace kit::detail
