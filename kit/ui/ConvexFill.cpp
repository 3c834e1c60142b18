#include "kit/ui/ConvexFill.h"

#include "kit/ui/RasterTarget.h"

#include <QBrush>
#include <QColor>
#include <QPainter>
#include <QTransform>

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <optional>
#include <utility>

namespace kit::detail {

namespace {

using Type = Path::Element::Type;

// How far a flattened curve may stray from the curve, in device pixels:
// well under what an edge pixel's coverage can show.
constexpr double flatness = 0.02;
// Past this many pixels from the origin the shape goes to Qt, whose fixed
// point takes it; the rows here would lose precision.
constexpr double farthest = 1 << 24;

Point mapped(const QTransform& t, Point p)
{
    return {t.m11() * p.x + t.m21() * p.y + t.dx(), t.m12() * p.x + t.m22() * p.y + t.dy()};
}

// The pieces a curve whose second differences are as long as `bend` needs
// to stay within the flatness: a quadratic strays at most bend / 4 / n², a
// cubic at most 3 bend / 4 / n², over n pieces.
int pieces(double bend, double factor, double tolerance)
{
    return std::clamp(int(std::ceil(std::sqrt(factor * bend / tolerance))), 1, 1000);
}

// Flattens the one subpath of `path` into `points`; false for anything but
// one subpath.
bool flatten(const Path& path, const QTransform& toDevice, double tolerance, std::vector<Point>& points)
{
    const std::vector<Path::Element>& elements = path.elements();
    if (elements.empty() || elements.front().type != Type::move)
        return false;
    bool closed = false;
    for (std::size_t i = 0; i < elements.size(); ++i) {
        const Path::Element& e = elements[i];
        if (closed)
            return e.type == Type::move && i + 1 == elements.size(); // a last move starts nothing
        switch (e.type) {
        case Type::move:
            if (i != 0)
                return i + 1 == elements.size();
            points.push_back(mapped(toDevice, e.point));
            break;
        case Type::line:
            points.push_back(mapped(toDevice, e.point));
            break;
        case Type::quadCurve: {
            const Point p0 = points.back(), p1 = mapped(toDevice, e.control1), p2 = mapped(toDevice, e.point);
            const int n = pieces((p0 - p1 * 2 + p2).length(), 0.25, tolerance);
            for (int k = 1; k <= n; ++k) {
                const double t = double(k) / n, u = 1 - t;
                points.push_back(p0 * (u * u) + p1 * (2 * u * t) + p2 * (t * t));
            }
            break;
        }
        case Type::curve: {
            const Point p0 = points.back(), p1 = mapped(toDevice, e.control1), p2 = mapped(toDevice, e.control2),
                        p3 = mapped(toDevice, e.point);
            const double bend = std::max((p0 - p1 * 2 + p2).length(), (p1 - p2 * 2 + p3).length());
            const int n = pieces(bend, 0.75, tolerance);
            for (int k = 1; k <= n; ++k) {
                const double t = double(k) / n, u = 1 - t;
                points.push_back(p0 * (u * u * u) + p1 * (3 * u * u * t) + p2 * (3 * u * t * t) + p3 * (t * t * t));
            }
            break;
        }
        case Type::closeSubpath:
            closed = true;
            break;
        }
    }
    return true;
}

// Whether the closed polygon `points` (no two neighbours alike) turns one
// way at every corner and goes left and right once each: a convex polygon
// going round once.
bool isConvex(const std::vector<Point>& points)
{
    const std::size_t n = points.size();
    int turn = 0, directionChanges = 0, firstDirection = 0, lastDirection = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const Point a = points[i], b = points[(i + 1) % n], c = points[(i + 2) % n];
        const Point e1 = b - a, e2 = c - b;
        const double cross = e1.x * e2.y - e1.y * e2.x;
        const double scale = 1e-9 * e1.length() * e2.length();
        if (cross > scale || cross < -scale) {
            const int side = cross > 0 ? 1 : -1;
            if (turn != 0 && side != turn)
                return false;
            turn = side;
        } else if (e1.x * e2.x + e1.y * e2.y < 0) {
            return false; // going straight back
        }
        const int direction = e1.x > 0 ? 1 : e1.x < 0 ? -1 : 0;
        if (direction != 0) {
            if (firstDirection == 0)
                firstDirection = direction;
            else if (direction != lastDirection)
                ++directionChanges;
            lastDirection = direction;
        }
    }
    if (lastDirection != firstDirection)
        ++directionChanges;
    return turn != 0 && directionChanges <= 2;
}

// An edge of the polygon in the pixels of the area, cut where it leaves
// the area's columns [0, width] and its x held within them: the coverage of
// a pixel in the area comes from the edges to its left, whose crossings of
// its row stay to its left when moved onto the area's left side (and
// those to its right stay to its right).
void addCut(Point a, Point b, double width, std::vector<std::pair<Point, Point>>& edges)
{
    std::array<double, 4> at{0, 1, 1, 1};
    int count = 1;
    for (double side : {0.0, width})
        if ((a.x - side) * (b.x - side) < 0)
            at[std::size_t(count++)] = (side - a.x) / (b.x - a.x);
    std::sort(at.begin(), at.begin() + count);
    at[std::size_t(count)] = 1;
    const auto held = [&](Point p) { return Point{std::clamp(p.x, 0.0, width), p.y}; };
    for (int k = 0; k < count; ++k) {
        const Point from = held(Point::lerp(a, b, at[std::size_t(k)]));
        const Point to = held(Point::lerp(a, b, at[std::size_t(k + 1)]));
        if (from.y != to.y)
            edges.emplace_back(from, to);
    }
}

// The cells of one band of rows: for each pixel, what the edges add to the
// coverage of it and of every pixel to its right (so that a row's running
// sum is each pixel's coverage), and each row's first and last cell written.
struct Band {
    static constexpr int rows = 32;
    float* cells = nullptr;
    std::size_t stride = 0;
    std::array<int, rows> first{}, last{};
};

// Adds the piece of an edge within one row, from x `from` to `to` (going
// down by `height`, negative going up) to the row's cells: each pixel takes
// the part of the piece's height times the share of the pixel right of it.
void addPiece(Band& band, int row, double from, double to, double height, double width)
{
    float* cells = band.cells + std::size_t(row) * band.stride;
    from = std::clamp(from, 0.0, width);
    to = std::clamp(to, 0.0, width);
    const double left = std::min(from, to), right = std::max(from, to);
    const int i0 = int(std::floor(left));
    int written;
    if (right <= i0 + 1) {
        const double middle = (from + to) / 2 - i0;
        cells[i0] += float(height * (1 - middle));
        cells[i0 + 1] += float(height * middle);
        written = i0 + 1;
    } else {
        // The area right of the piece within pixel c is H(c + 1) - H(c) over
        // the span, H(u) the integral of max(0, u - x) for x along it.
        const double span = right - left, centre = (left + right) / 2;
        const auto H = [&](double u) {
            if (u <= left)
                return 0.0;
            if (u >= right)
                return span * (u - centre);
            return (u - left) * (u - left) / 2;
        };
        const int i1 = int(std::ceil(right)) - 1;
        double before = 0, Hc = H(i0);
        for (int c = i0; c <= i1; ++c) {
            const double Hnext = H(c + 1);
            const double share = (Hnext - Hc) / span;
            cells[c] += float(height * (share - before));
            before = share;
            Hc = Hnext;
        }
        cells[i1 + 1] += float(height * (1 - before));
        written = i1 + 1;
    }
    band.first[std::size_t(row)] = std::min(band.first[std::size_t(row)], i0);
    band.last[std::size_t(row)] = std::max(band.last[std::size_t(row)], written);
}

void addEdge(Band& band, int rows, Point a, Point b, double width)
{
    double height = 1;
    if (a.y > b.y) {
        std::swap(a, b);
        height = -1;
    }
    if (b.y <= 0 || a.y >= rows)
        return;
    const double dxdy = (b.x - a.x) / (b.y - a.y);
    const int first = std::max(0, int(std::floor(a.y)));
    const int last = std::min(rows, int(std::ceil(b.y)));
    for (int y = first; y < last; ++y) {
        const double top = std::max(double(y), a.y), bottom = std::min(double(y + 1), b.y);
        if (!(bottom > top))
            continue;
        addPiece(band, y, a.x + (top - a.y) * dxdy, a.x + (bottom - a.y) * dxdy, (bottom - top) * height, width);
    }
}

} // namespace

bool convexOutline(const Path& path, const QTransform& toDevice, double tolerance, std::vector<Point>& points)
{
    points.clear();
    if (toDevice.type() > QTransform::TxShear || !flatten(path, toDevice, tolerance, points))
        return false;
    std::size_t kept = 0;
    for (const Point& p : points) {
        if (!p.isFinite() || std::abs(p.x) > farthest || std::abs(p.y) > farthest)
            return false;
        if (kept == 0 || points[kept - 1] != p)
            points[kept++] = p;
    }
    while (kept > 1 && points[kept - 1] == points[0])
        --kept;
    points.resize(kept);
    return kept >= 3 && isConvex(points);
}

void forEachCoveredRow(const std::vector<Point>& points, const QRect& area, const CoveredRow& row)
{
    if (points.size() < 3 || area.isEmpty())
        return;
    double minX = points[0].x, maxX = minX, minY = points[0].y, maxY = minY;
    for (const Point& p : points) {
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
    const int x0 = std::max(area.left(), int(std::floor(minX))), x1 = std::min(area.right() + 1, int(std::ceil(maxX)));
    const int y0 = std::max(area.top(), int(std::floor(minY))), y1 = std::min(area.bottom() + 1, int(std::ceil(maxY)));
    if (x1 <= x0 || y1 <= y0)
        return;
    const int width = x1 - x0;

    thread_local std::vector<std::pair<Point, Point>> edges;
    edges.clear();
    for (std::size_t i = 0; i < points.size(); ++i) {
        const Point a = points[i], b = points[(i + 1) % points.size()];
        addCut({a.x - x0, a.y - y0}, {b.x - x0, b.y - y0}, width, edges);
    }

    // Every cell is zero between uses: a row is cleared as it is read.
    thread_local std::vector<float> cells;
    thread_local std::vector<std::uint8_t> coverage;
    Band band;
    band.stride = std::size_t(width) + 2;
    if (cells.size() < band.stride * Band::rows)
        cells.assign(band.stride * Band::rows, 0.0f);
    band.cells = cells.data();
    coverage.resize(std::size_t(width));
    for (int top = 0; top < y1 - y0; top += Band::rows) {
        const int rows = std::min(Band::rows, y1 - y0 - top);
        band.first.fill(INT_MAX);
        band.last.fill(-1);
        for (const auto& [a, b] : edges)
            addEdge(band, rows, {a.x, a.y - top}, {b.x, b.y - top}, width);
        for (int r = 0; r < rows; ++r) {
            const int first = band.first[std::size_t(r)], last = band.last[std::size_t(r)];
            if (last < 0)
                continue;
            float* line = band.cells + std::size_t(r) * band.stride;
            const int count = std::min(last, width - 1) - first + 1;
            const float* deltas = line + first;
            std::uint8_t* out = coverage.data();
            float sum = 0;
            for (int i = 0; i < count; ++i) {
                sum += deltas[i];
                const float a = std::abs(sum);
                out[i] = std::uint8_t((a < 1 ? a : 1.0f) * 255 + 0.5f);
            }
            std::fill(line + first, line + last + 1, 0.0f);
            if (count > 0)
                row(y0 + top + r, x0 + first, out, count);
        }
    }
}

bool fillAsConvex(QPainter& painter, const Path& path, const QBrush& brush)
{
    if (brush.style() != Qt::SolidPattern || !painter.testRenderHint(QPainter::Antialiasing))
        return false;
    const QTransform world = painter.worldTransform();
    thread_local std::vector<Point> points;
    if (!convexOutline(path, world, flatness, points))
        return false;
    painter.resetTransform();
    const std::optional<RasterTarget> target = RasterTarget::of(painter);
    painter.setWorldTransform(world);
    if (!target)
        return false;
    QColor colour = brush.color();
    colour.setAlphaF(float(colour.alphaF() * std::clamp(painter.opacity(), 0.0, 1.0)));
    const std::uint32_t premultiplied = qPremultiply(colour.rgba64()).toArgb32();
    if (premultiplied == 0)
        return true;
    forEachCoveredRow(points, target->area(), [&](int y, int from, const std::uint8_t* coverage, int count) {
        target->forEachRow(QRect(from, y, count, 1), [&](std::uint32_t* pixels, int x, int, int n) {
            const std::uint8_t* covered = coverage + (x - from);
            for (int i = 0; i < n;) {
                if (covered[i] == 255) { // the inside of the row at once
                    int j = i + 1;
                    while (j < n && covered[j] == 255)
                        ++j;
                    RasterTarget::blendRow(pixels + i, j - i, premultiplied);
                    i = j;
                    continue;
                }
                if (covered[i] != 0)
                    RasterTarget::blendPixel(pixels[i], RasterTarget::scaled(premultiplied, covered[i]));
                ++i;
            }
        });
    });
    return true;
}

} // namespace kit::detail
