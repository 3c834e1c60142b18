#pragma once

#include "kit/base/Path.h"
#include "kit/base/StrokeStyle.h"

#include <optional>
#include <vector>

namespace kit {

// The outline of a stroke whose path is far denser than the device: filled,
// it covers what the stroke covers, so painting it looks the same as
// stroking the path, at a fraction of the cost of stroking thousands of
// tiny segments one by one (a line chart of ten thousand points).
//
// `toDevice` maps the path's space to device pixels. Each subpath of the path must run one way along x (or along y): then the
// stroke's section across that axis at any place is one interval, from the
// lowest to the highest reach of the round pen there, and the outline is
// that interval's two ends sampled every quarter pixel. The outline lies
// inside the stroke and misses none of it by more than a sample's width.
//
// Only where that holds and pays, nothing otherwise: a solid stroke with
// round caps and joins from 1 to 32 pixels wide; open, finite subpaths, each
// monotone along x or along y (control points included); and at least as
// many segments as the pixels the subpaths span along their axes.
//
// The outline comes in pieces to fill one after the other: where the
// transform keeps the axes and all subpaths run along the same one, cut
// across that axis every 64 device pixels, on pixel edges, so that the
// pieces meet without a seam and none overlaps another (a translucent paint
// stays even); in one piece otherwise.
std::optional<std::vector<Path>> denseStrokeOutline(const Path& path, const StrokeStyle& style,
                                                    const AffineTransform& toDevice);

// The same stroke as a band across the device: what it covers at each
// place along the axis its subpath runs along (x, or y when `alongY`), on
// the device. Sample k, at device coordinate first + k · step along that
// axis, reaches across it from low[k] to high[k] (device pixels; low above
// high where the pen reaches nothing there); between samples the band's
// edges run straight. The samples lie on the device's quarter pixels and
// run from before the stroke's first reach to past its last.
struct DenseStrokeBand {
    static constexpr double step = 0.25;
    bool alongY = false;
    double first = 0;
    std::vector<double> low, high;
};

// The band of a stroke denseStrokeOutline takes, or of one like it with as
// few as one segment every 16 pixels along its axis (a line chart's line of
// fewer points than pixels), when it is one subpath and `toDevice` keeps the
// axes upright and scales them alike (the round pen stays round); nothing
// otherwise.
std::optional<DenseStrokeBand> denseStrokeBand(const Path& path, const StrokeStyle& style,
                                               const AffineTransform& toDevice);

} // namespace kit
