#pragma once

// Filling polygons straight into the pixels of a raster image, each pixel at
// the area the polygons cover of it (exact coverage, as an antialiased fill
// gives it). The edges add to the cells they cross, in bands of rows; a row
// is read only in the blocks of cells its edges touched, and the runs
// between them, wholly inside or wholly outside, are written or skipped at
// once. Qt's rasteriser costs about the area of a shape's bounding box; the
// outline of a line across a chart, or a thin pie segment on its corner,
// covers a small part of its box.

#include "kit/base/Point.h"

#include <QRect>

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

class QBrush;
class QPainter;

namespace kit::detail {

// The coverage of the closed polygons `polygons` (device pixels) over the
// pixels of `area`, filled by the nonzero rule as Qt's antialiased
// rasteriser fills it (a pixel takes the absolute sum of the signed areas
// the windings cover of it, at most the whole pixel): `row(y, from,
// coverage, count)` for each run of a row of `area` the polygons reach, left
// to right, with `coverage[i]` (0 ... 255) that of pixel (from + i, y);
// pixels outside the runs are not covered. A polygon's last corner joins its
// first.
using CoveredRow = std::function<void(int y, int from, const std::uint8_t* coverage, int count)>;
void forEachCoveredRow(std::span<const std::vector<Point>> polygons, const QRect& area, const CoveredRow& row);
inline void forEachCoveredRow(const std::vector<Point>& polygon, const QRect& area, const CoveredRow& row)
{
    forEachCoveredRow(std::span(&polygon, 1), area, row);
}

// The same, with `run(y, from, count, coverage)` for each long run of a row
// whose pixels all take one coverage (the inside of a shape between its
// edges), which `row` then does not see: a caller fills such a run at once.
using CoveredRun = std::function<void(int y, int from, int count, std::uint8_t coverage)>;
void forEachCoveredRow(std::span<const std::vector<Point>> polygons, const QRect& area, const CoveredRow& row,
                       const CoveredRun& run);

// Whether each corner of `polygons` is finite and near enough to the origin
// for rows of pixels to place it exactly (past 2^24 pixels Qt's fixed point
// takes it better).
bool withinReach(std::span<const std::vector<Point>> polygons);

// The premultiplied plain colour `brush` paints with under the painter's
// opacity, when it is one plain colour and the painter antialiases.
std::optional<std::uint32_t> plainColour(const QPainter& painter, const QBrush& brush);

// Fills `polygons` (device pixels, nonzero rule) with `brush` when the brush
// is one plain colour, the painter antialiases, its transform is the
// identity and it paints into a raster target, and the polygons are within
// reach; false, having drawn nothing, otherwise.
bool fillPolygons(QPainter& painter, std::span<const std::vector<Point>> polygons, const QBrush& brush);

} // namespace kit::detail
