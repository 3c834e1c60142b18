#pragma once

#include "kit/base/Path.h"

#include <cstddef>
#include <vector>

namespace liquid {

// Candidate points of a path blob: x[i] with y[i].
struct PointCloud {
    std::vector<double> x;
    std::vector<double> y;

    // The outline of `path` as `count` points: the first point of every
    // element (close elements carry none), each coordinate list resampled
    // linearly to `count` evenly spaced values. An empty path gives an empty
    // cloud; a single point gives `count` copies of it.
    static PointCloud read(const kit::Path& path, int count);

    // One point drawn at random from each of the first `samples` blocks of
    // size()/samples consecutive points, in index order. A cloud smaller than
    // `samples` yields each of its points in turn; no samples yield nothing.
    PointCloud pick(int samples) const;

    std::size_t size() const { return x.size() < y.size() ? x.size() : y.size(); }

    friend bool operator==(const PointCloud&, const PointCloud&) = default;
};

} // namespace liquid
