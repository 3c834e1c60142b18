#pragma once

// Filling a dense stroke's band (kit/base/DenseStroke.h) straight into the
// pixels of a raster image: each pixel at the area the band covers of it,
// taken in strips a quarter pixel wide along the band, within each of which
// the band reaches straight across from its low edge to its high one. A
// pixel costs what the band covers of its row or column, not the band's
// bounding box, and no outline of thousands of corners is made or filled.

#include "kit/base/DenseStroke.h"
#include "kit/base/Path.h"
#include "kit/base/StrokeStyle.h"

class QBrush;
class QPainter;

namespace kit::detail {

// Fills `band` (device pixels) with `brush` when the brush is one plain
// colour, the painter antialiases, its transform is the identity and it
// paints into a raster target; false, having drawn nothing, otherwise.
bool fillBand(QPainter& painter, const DenseStrokeBand& band, const QBrush& brush);

// Strokes `path` with `style` and `brush` (in the painter's current space)
// by filling its band on the device (denseStrokeBand) where fillBand can;
// false, having drawn nothing, otherwise.
bool strokeAsBand(QPainter& painter, const Path& path, const StrokeStyle& style, const QBrush& brush);

} // namespace kit::detail
