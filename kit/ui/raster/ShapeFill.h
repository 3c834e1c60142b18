#pragma once

// Filling a shape of any outline straight into the pixels: a blob that bulges
// in and out, a ring, the area under a line. Its subpaths, flattened into
// lines within a fiftieth of a pixel (Flattening.h), are filled by their
// coverage (CoverageFill.h), by the nonzero rule.

#include "kit/base/Path.h"

class QBrush;
class QPainter;

namespace kit::detail {

// Fills `path` (in the painter's current space) with `brush` by the nonzero
// rule, as an antialiased QPainter::fillPath would, when the brush is one
// plain colour, the painter antialiases and paints into a raster target,
// its transform is affine, and every subpath starts with a move and lies
// within reach; false, having drawn nothing, otherwise. A subpath of fewer
// than three corners covers nothing.
bool fillAsShape(QPainter& painter, const Path& path, const QBrush& brush);

} // namespace kit::detail
