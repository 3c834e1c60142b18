#include "kit/ui/raster/Flattening.h"

#include "kit/ui/raster/CoverageFill.h"

#include <QTransform>

#include <algorithm>
#include <cmath>
#include <span>
#include <utility>

namespace kit::detail {

namespace {

using Type = Path::Element::Type;

// The length of `v`, without the care for overflow std::hypot pays for at
// every call: a length too long for its square is a curve of the most
// pieces either way.
double lengthOf(Point v)
{
    return std::sqrt(v.x * v.x + v.y * v.y);
}

// The pieces a curve whose second differences are as long as `bend` needs
// to stay within the tolerance: a quadratic strays at most bend / 4 / n², a
// cubic at most 3 bend / 4 / n², over n pieces.
int pieces(double bend, double factor, double tolerance)
{
    const double n = std::ceil(std::sqrt(factor * bend / tolerance));
    return n >= 1000 ? 1000 : n >= 1 ? int(n) : 1; // a bend that is not a number: one piece
}

} // namespace

Point mappedBy(const QTransform& t, Point p)
{
    return {t.m11() * p.x + t.m21() * p.y + t.dx(), t.m12() * p.x + t.m22() * p.y + t.dy()};
}

void appendQuadratic(std::vector<Point>& points, Point c, Point end, double tolerance)
{
    const Point start = points.back();
    const int n = pieces(lengthOf(start - c * 2 + end), 0.25, tolerance);
    for (int k = 1; k <= n; ++k) {
        const double t = double(k) / n, u = 1 - t;
        points.push_back(start * (u * u) + c * (2 * u * t) + end * (t * t));
    }
}

void appendCubic(std::vector<Point>& points, Point c1, Point c2, Point end, double tolerance)
{
    const Point start = points.back();
    const double bend = std::max(lengthOf(start - c1 * 2 + c2), lengthOf(c1 - c2 * 2 + end));
    const int n = pieces(bend, 0.75, tolerance);
    for (int k = 1; k <= n; ++k) {
        const double t = double(k) / n, u = 1 - t;
        points.push_back(start * (u * u * u) + c1 * (3 * u * u * t) + c2 * (3 * u * t * t) + end * (t * t * t));
    }
}

bool flattenSubpaths(const Path& path, const QTransform& toDevice, double tolerance,
                     std::vector<std::vector<Point>>& polygons, std::size_t& count)
{
    count = 0;
    std::vector<Point>* open = nullptr;
    for (const Path::Element& e : path.elements()) {
        if (e.type == Type::move) {
            if (count == polygons.size())
                polygons.emplace_back();
            open = &polygons[count++];
            open->clear();
            open->push_back(mappedBy(toDevice, e.point));
            continue;
        }
        if (!open)
            return false; // a line or curve from nowhere
        switch (e.type) {
        case Type::line:
            open->push_back(mappedBy(toDevice, e.point));
            break;
        case Type::quadCurve:
            appendQuadratic(*open, mappedBy(toDevice, e.control1), mappedBy(toDevice, e.point), tolerance);
            break;
        case Type::curve:
            appendCubic(*open, mappedBy(toDevice, e.control1), mappedBy(toDevice, e.control2),
                        mappedBy(toDevice, e.point), tolerance);
            break;
        case Type::closeSubpath:
            open = nullptr; // a fill closes every subpath; what follows starts with a move
            break;
        case Type::move:
            break;
        }
    }
    // Every corner must be placeable, those of subpaths that cover nothing
    // too: Qt leaves a point that is not a number out, joining what is
    // around it into one subpath.
    if (!withinReach(std::span<const std::vector<Point>>(polygons.data(), count)))
        return false;
    // A subpath of a point or a line covers nothing.
    std::size_t kept = 0;
    for (std::size_t i = 0; i < count; ++i)
        if (polygons[i].size() >= 3)
            std::swap(polygons[kept++], polygons[i]);
    count = kept;
    return true;
}

} // namespace kit::detail
