#include "kit/ui/raster/Flattening.h"

#include <QTransform>

#include <algorithm>
#include <cmath>

namespace kit::detail {

namespace {

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

} // namespace kit::detail
