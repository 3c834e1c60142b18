#pragma once

// Filling a large, thin shape tile by tile: Qt's antialiased rasteriser
// spends time on every pixel of each row across the bounding box of what it
// fills, so a stroke that crosses a chart (a trend line, a polyline with
// round joins, a dashed diagonal) costs as much as the area of its bounding
// box, though it covers a thin line of it. Cut along pixel rows and columns
// into square tiles, each piece is filled on its own at a cost of its own
// small box. Every pixel lies in one tile, and the edges inside it are the
// shape's own, so it takes the same coverage as in one fill of the whole.

#include "kit/base/Path.h"
#include "kit/base/StrokeStyle.h"

#include <QPolygonF>

#include <vector>

class QBrush;
class QPainter;

namespace kit::detail {

// The side of a tile, in device pixels.
inline constexpr int fillTile = 32;

// Fills `polygons` (device pixels, the non-zero rule) with `brush` (whose
// place is in device pixels too), one tile at a time. The painter's
// transform is the identity.
void fillPolygonsInTiles(QPainter& painter, const std::vector<QPolygonF>& polygons, const QBrush& brush);

// Strokes `path` with `style` and `brush` (both in the painter's current
// space) by filling the outline of the stroke, when the stroke is
// antialiased, its box on the device covers more than 16 tiles and it is not
// one straight solid segment without round caps (which Qt draws quickly):
// straight into the pixels when the brush is one plain colour and the
// painter paints into a raster target (CoverageFill.h), else tile by tile;
// false, having drawn nothing, otherwise. The outlines of the last few
// strokes are kept, so one painted again where it was is not outlined again.
bool strokeAsOutline(QPainter& painter, const Path& path, const StrokeStyle& style, const QBrush& brush);

// Strokes a small `path` of straight lines only (a label's diamond, a
// marker's border: the strokes strokeAsOutline leaves to Qt) by filling the
// outline of its stroke straight into the pixels, where the brush is one
// plain colour and the painter paints into a raster target, and neither its
// caps nor its joins are round nor it dashed; false, having drawn nothing,
// otherwise. Qt's own stroke of such a shape costs more than its outline's
// coverage.
bool strokeSmallAsOutline(QPainter& painter, const Path& path, const StrokeStyle& style, const QBrush& brush);

} // namespace kit::detail
