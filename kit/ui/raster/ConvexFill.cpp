#include "kit/ui/raster/ConvexFill.h"

#include "kit/ui/raster/Flattening.h"

#include <QPainter>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <optional>

namespace kit::detail {

namespace {

using Type = Path::Element::Type;

double squaredLengthOf(Point v)
{
    return v.x * v.x + v.y * v.y;
}

// Whether the closed polygon `points` (no two neighbours alike) turns one
// way at every corner and goes left and right once each: a convex polygon
// going round once.
bool isConvex(const std::vector<Point>& points)
{
    const std::size_t n = points.size();
    int turn = 0, directionChanges = 0, firstDirection = 0, lastDirection = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const std::size_t j = i + 1 < n ? i + 1 : i + 1 - n, k = i + 2 < n ? i + 2 : i + 2 - n;
        const Point a = points[i], b = points[j], c = points[k];
        const Point e1 = b - a, e2 = c - b;
        const double cross = e1.x * e2.y - e1.y * e2.x;
        // A turn when the cross product passes 1e-9 of the product of the
        // two edges' lengths, compared squared (the points are within
        // reach, so their squares cannot overflow).
        if (cross * cross > 1e-18 * squaredLengthOf(e1) * squaredLengthOf(e2)) {
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

} // namespace

bool convexOutline(const Path& path, const QTransform& toDevice, double tolerance, std::vector<Point>& points)
{
    points.clear();
    // One subpath (a lone move covers nothing), its corners within reach.
    thread_local std::vector<std::vector<Point>> polygons;
    std::size_t count = 0;
    if (toDevice.type() > QTransform::TxShear || !flattenSubpaths(path, toDevice, tolerance, polygons, count) ||
        count != 1)
        return false;
    points.swap(polygons.front());
    std::size_t kept = 0;
    for (const Point& p : points) {
        if (kept == 0 || points[kept - 1] != p)
            points[kept++] = p;
    }
    while (kept > 1 && points[kept - 1] == points[0])
        --kept;
    points.resize(kept);
    return kept >= 3 && isConvex(points);
}

namespace {

// Which way a convex polygon goes round: the sign of its area.
double orientation(const std::vector<Point>& polygon)
{
    double twice = 0;
    for (std::size_t i = 0; i < polygon.size(); ++i) {
        const Point a = polygon[i], b = polygon[(i + 1) % polygon.size()];
        twice += a.x * b.y - a.y * b.x;
    }
    return twice;
}

// The part of `subject` within the convex polygon `clip`, into `out`
// (Sutherland–Hodgman: cut by each edge of the clip in turn).
void intersect(const std::vector<Point>& subject, const std::vector<Point>& clip, std::vector<Point>& out)
{
    thread_local std::vector<Point> input;
    out = subject;
    const double sense = orientation(clip) > 0 ? 1 : -1;
    for (std::size_t i = 0; i < clip.size() && !out.empty(); ++i) {
        const Point a = clip[i], b = clip[(i + 1) % clip.size()];
        auto side = [&](Point p) { return sense * ((b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x)); };
        input.swap(out);
        out.clear();
        for (std::size_t k = 0; k < input.size(); ++k) {
            const Point p = input[k], q = input[(k + 1) % input.size()];
            const double sp = side(p), sq = side(q);
            if (sp >= 0)
                out.push_back(p);
            if ((sp >= 0) != (sq >= 0))
                out.push_back(Point::lerp(p, q, sp / (sp - sq)));
        }
    }
}

} // namespace

bool holds(const std::vector<Point>& convex, const QRectF& rect)
{
    if (convex.size() < 3)
        return false;
    const double sense = orientation(convex) > 0 ? 1 : -1;
    for (const QPointF& corner : {rect.topLeft(), rect.topRight(), rect.bottomLeft(), rect.bottomRight()})
        for (std::size_t i = 0; i < convex.size(); ++i) {
            const Point a = convex[i], b = convex[(i + 1) % convex.size()];
            if (sense * ((b.x - a.x) * (corner.y() - a.y) - (b.y - a.y) * (corner.x() - a.x)) < 0)
                return false;
        }
    return true;
}

bool fillAsConvexWithin(QPainter& painter, const Path& path, const std::vector<Point>& clip, const QBrush& brush)
{
    if (!plainColour(painter, brush) || clip.size() < 3)
        return false;
    const QTransform world = painter.worldTransform();
    thread_local std::vector<Point> points, within;
    if (!convexOutline(path, world, fillFlatness, points))
        return false;
    intersect(points, clip, within);
    painter.resetTransform();
    // Nothing of the path within the clip: nothing to draw, which is drawn.
    const bool filled = within.size() < 3 || fillPolygons(painter, std::span(&within, 1), brush);
    painter.setWorldTransform(world);
    return filled;
}

bool fillAsConvex(QPainter& painter, const Path& path, const QBrush& brush)
{
    if (!plainColour(painter, brush))
        return false;
    const QTransform world = painter.worldTransform();
    thread_local std::vector<Point> points;
    if (!convexOutline(path, world, fillFlatness, points))
        return false;
    painter.resetTransform();
    const bool filled = fillPolygons(painter, std::span(&points, 1), brush);
    painter.setWorldTransform(world);
    return filled;
}

namespace {

// The convex shape the pen of `style` covers along `path`, when the path is
// one straight segment of some length and the line is solid: a rectangle
// for butt and square caps, a rectangle with half discs at its ends for
// round ones.
std::optional<Path> segmentStroke(const Path& path, const StrokeStyle& style)
{
    const std::vector<Path::Element>& e = path.elements();
    if (e.size() != 2 || e[0].type != Type::move || e[1].type != Type::line || style.isDashed() ||
        !(style.lineWidth > 0) || !std::isfinite(style.lineWidth))
        return std::nullopt;
    const Point a = e[0].point, b = e[1].point;
    const double length = (b - a).length();
    if (!(length > 0) || !std::isfinite(length))
        return std::nullopt;
    // Along the segment and across it, each half the pen's width long.
    const double half = style.lineWidth / 2;
    const Point along = (b - a) * (half / length), across{-along.y, along.x};
    Path shape;
    switch (style.lineCap) {
    case LineCap::butt:
    case LineCap::square: {
        const Point reach = style.lineCap == LineCap::square ? along : Point{0, 0};
        shape.move(a - reach + across);
        shape.addLine(b + reach + across);
        shape.addLine(b + reach - across);
        shape.addLine(a - reach - across);
        break;
    }
    case LineCap::round: {
        // Each half disc as two quarter circles of cubic curves.
        constexpr double k = 0.5522847498307936; // 4 (√2 − 1) / 3
        shape.move(a + across);
        shape.addLine(b + across);
        shape.addCurve(b + along, b + across + along * k, b + along + across * k);
        shape.addCurve(b - across, b + along - across * k, b - across + along * k);
        shape.addLine(a - across);
        shape.addCurve(a - along, a - across - along * k, a - along - across * k);
        shape.addCurve(a + across, a - along + across * k, a + across - along * k);
        break;
    }
    }
    shape.closeSubpath();
    return shape;
}

} // namespace

bool strokeSegmentAsConvex(QPainter& painter, const Path& path, const StrokeStyle& style, const QBrush& brush)
{
    const std::optional<Path> shape = segmentStroke(path, style);
    return shape && fillAsConvex(painter, *shape, brush);
}

bool strokeSegmentAsConvexWithin(QPainter& painter, const Path& path, const StrokeStyle& style,
                                 const std::vector<Point>& clip, const QBrush& brush)
{
    const std::optional<Path> shape = segmentStroke(path, style);
    return shape && fillAsConvexWithin(painter, *shape, clip, brush);
}

} // namespace kit::detail
