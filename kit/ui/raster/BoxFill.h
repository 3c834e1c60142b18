#pragma once

// Filling a box: a path whose sides are straight and axis-aligned on the
// device, rounded (or otherwise curved) only at its corners, such as a bar,
// a rectangle or a rounded rectangle. Qt fills any path by rasterising its
// outline with antialiasing, row by row of its whole height; a tall bar
// costs as much as its height, though all its rows but those of its corners
// are the same. Here only the rounded ends (the caps) go to Qt's rasteriser
// as paths; the body between them is filled as pixel-aligned rectangles,
// each partly covered edge row and column at its coverage, which is what an
// antialiased fill of a rectangle gives.

#include "kit/base/AffineTransform.h"
#include "kit/base/Path.h"
#include "kit/base/Rect.h"
#include "kit/base/StrokeStyle.h"

#include <optional>
#include <vector>

class QBrush;
class QPainter;

namespace kit::detail {

// A box cut into its body and its caps, in device pixels.
struct BoxParts {
    // The rectangle every row of which the box crosses whole; it ends on a
    // pixel row where a cap meets it, so the two share no pixel (no seam).
    Rect body;
    // The box above and below the body, each a closed path (none for an end
    // without curves: the body reaches it).
    std::vector<Path> caps;
};

// `path` (one closed subpath, lines and curves) mapped by `toDevice`, cut
// into body and caps when it is a box on the device: `toDevice` keeps the
// axes, every line runs along an edge of the path's bounding box, every
// curve lies wholly in its upper or lower half, and the body is at least a
// pixel row tall. Nothing otherwise.
std::optional<BoxParts> boxParts(const Path& path, const AffineTransform& toDevice);

// Fills `rect` (device pixels; the painter's transform is the identity) with
// `brush` as an antialiased fill would: in a plain colour, its whole pixels
// at once and the pixels of each partly covered edge at the colour's alpha
// and the painter's opacity times their coverage; in a gradient, by Qt.
void fillPixelRect(QPainter& painter, const Rect& rect, const QBrush& brush);

// Fills `path` with `brush` (both in the painter's current space) as a box
// (boxParts) when it is one and that pays; false, having drawn nothing,
// otherwise.
bool fillAsBox(QPainter& painter, const Path& path, const QBrush& brush);

// Strokes `path` with `style` and `brush` as the box it covers when it is one
// straight segment along an axis, solid, with butt or square caps (a grid
// line, an axis), through fillAsBox; false, having drawn nothing, otherwise.
bool strokeAsBox(QPainter& painter, const Path& path, const StrokeStyle& style, const QBrush& brush);

} // namespace kit::detail
