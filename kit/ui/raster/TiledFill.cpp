#include "kit/ui/raster/TiledFill.h"

#include "kit/ui/raster/CoverageFill.h"
#include "kit/ui/raster/RasterTarget.h"

#include <QBrush>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>

#include <algorithm>
#include <cmath>

namespace kit::detail {

namespace {

// Longer paths are left to Qt: cutting them would cost more than it saves.
constexpr std::size_t maxElements = 4096;

// The part of `in` on one side of the line x = c (`vertical`) or y = c,
// the greater side or the lesser, into `out` (Sutherland–Hodgman). Where the
// polygon leaves the side and comes back, the piece runs along the line,
// which adds no area to any pixel.
void clipAt(const std::vector<QPointF>& in, std::vector<QPointF>& out, bool vertical, double c, bool keepGreater)
{
    out.clear();
    const std::size_t n = in.size();
    auto coordinate = [vertical](const QPointF& p) { return vertical ? p.x() : p.y(); };
    auto inside = [&](const QPointF& p) { return keepGreater ? coordinate(p) >= c : coordinate(p) <= c; };
    for (std::size_t i = 0; i < n; ++i) {
        const QPointF& a = in[i];
        const QPointF& b = in[i + 1 < n ? i + 1 : 0];
        const bool aInside = inside(a), bInside = inside(b);
        if (aInside)
            out.push_back(a);
        if (aInside != bInside) {
            const double t = (c - coordinate(a)) / (coordinate(b) - coordinate(a));
            QPointF crossing = a + t * (b - a);
            if (vertical)
                crossing.setX(c);
            else
                crossing.setY(c);
            out.push_back(crossing);
        }
    }
}

// The part of `in` between the lines at `from` and `to`, into `out`.
void clipBetween(const std::vector<QPointF>& in, std::vector<QPointF>& out, std::vector<QPointF>& scratch,
                 bool vertical, double from, double to)
{
    clipAt(in, scratch, vertical, from, true);
    clipAt(scratch, out, vertical, to, false);
}

struct Piece {
    std::vector<QPointF> points;
    double low = 0, high = 0; // its extent across the cuts still to come
};

void extent(Piece& piece, bool vertical)
{
    piece.low = piece.high = vertical ? piece.points.front().x() : piece.points.front().y();
    for (const QPointF& p : piece.points) {
        const double v = vertical ? p.x() : p.y();
        piece.low = std::min(piece.low, v);
        piece.high = std::max(piece.high, v);
    }
}

// `outline` mapped by `toDevice` as polygons, each curve cut into lines that
// stray from it by at most `tolerance` device pixels (Qt's own flattening
// strays by half a pixel, which shows along the edge of a wide ring).
void flatten(const QPainterPath& outline, const QTransform& toDevice, double tolerance, std::vector<QPolygonF>& out)
{
    out.clear();
    QPolygonF current;
    auto finish = [&] {
        if (current.size() > 2)
            out.push_back(current);
        current.clear();
    };
    const int count = outline.elementCount();
    for (int i = 0; i < count; ++i) {
        const QPainterPath::Element e = outline.elementAt(i);
        if (e.isMoveTo()) {
            finish();
            current << toDevice.map(QPointF(e));
        } else if (e.isLineTo() || current.isEmpty()) {
            current << toDevice.map(QPointF(e));
        } else if (e.isCurveTo() && i + 2 < count) {
            const QPointF p0 = current.back(), p1 = toDevice.map(QPointF(e)),
                          p2 = toDevice.map(QPointF(outline.elementAt(i + 1))),
                          p3 = toDevice.map(QPointF(outline.elementAt(i + 2)));
            i += 2;
            // A cubic strays from its chords by at most 3/4 of its larger
            // second difference over the square of their number.
            const QPointF d1 = p0 - 2 * p1 + p2, d2 = p1 - 2 * p2 + p3;
            const double bend = std::sqrt(std::max(QPointF::dotProduct(d1, d1), QPointF::dotProduct(d2, d2)));
            const int pieces = std::clamp(int(std::ceil(std::sqrt(0.75 * bend / tolerance))), 1, 256);
            for (int k = 1; k <= pieces; ++k) {
                const double u = double(k) / pieces, v = 1 - u;
                current << v * v * v * p0 + 3 * v * v * u * p1 + 3 * v * u * u * p2 + u * u * u * p3;
            }
        }
    }
    finish();
}

void addTo(QPainterPath& path, const std::vector<QPointF>& points)
{
    path.moveTo(points.front());
    for (std::size_t k = 1; k < points.size(); ++k)
        path.lineTo(points[k]);
    path.closeSubpath();
}

} // namespace

void fillPolygonsInTiles(QPainter& painter, const std::vector<QPolygonF>& polygons, const QBrush& brush)
{
    // Scratch kept from call to call: a tile costs no allocation.
    thread_local std::vector<Piece> shapes, band;
    thread_local std::vector<QPointF> scratch, clipped, lone;
    std::size_t shapeCount = 0;
    for (const QPolygonF& polygon : polygons) {
        if (polygon.size() < 3)
            continue;
        if (shapes.size() <= shapeCount)
            shapes.emplace_back();
        Piece& shape = shapes[shapeCount++];
        shape.points.assign(polygon.begin(), polygon.end());
        extent(shape, false);
    }
    if (shapeCount == 0)
        return;
    double top = shapes[0].low, bottom = shapes[0].high;
    for (std::size_t i = 1; i < shapeCount; ++i) {
        top = std::min(top, shapes[i].low);
        bottom = std::max(bottom, shapes[i].high);
    }
    if (!std::isfinite(top) || !std::isfinite(bottom))
        return;

    painter.setPen(Qt::NoPen);
    painter.setBrush(brush);
    QPainterPath several;
    several.setFillRule(Qt::WindingFill);
    for (double y = std::floor(top); y < bottom; y += fillTile) {
        // The shapes cut to this band of rows.
        std::size_t bandCount = 0;
        double left = 0, right = 0;
        for (std::size_t i = 0; i < shapeCount; ++i) {
            const Piece& shape = shapes[i];
            if (shape.high < y || shape.low > y + fillTile)
                continue;
            clipBetween(shape.points, clipped, scratch, false, y, y + fillTile);
            if (clipped.size() < 3)
                continue;
            if (band.size() <= bandCount)
                band.emplace_back();
            Piece& piece = band[bandCount++];
            piece.points.swap(clipped);
            extent(piece, true);
            left = bandCount == 1 ? piece.low : std::min(left, piece.low);
            right = bandCount == 1 ? piece.high : std::max(right, piece.high);
        }
        // Each tile of the band, its pieces in one fill.
        for (double x = std::floor(left); bandCount > 0 && x < right; x += fillTile) {
            int pieces = 0;
            several.clear();
            for (std::size_t i = 0; i < bandCount; ++i) {
                const Piece& piece = band[i];
                if (piece.high < x || piece.low > x + fillTile)
                    continue;
                clipBetween(piece.points, clipped, scratch, true, x, x + fillTile);
                if (clipped.size() < 3)
                    continue;
                // One piece is filled as a polygon; several as one path.
                if (++pieces == 1) {
                    lone.assign(clipped.begin(), clipped.end());
                    continue;
                }
                if (pieces == 2)
                    addTo(several, lone);
                addTo(several, clipped);
            }
            if (pieces == 1)
                painter.drawPolygon(lone.data(), int(lone.size()), Qt::WindingFill);
            else if (pieces > 1)
                painter.fillPath(several, brush);
        }
    }
}

namespace {

bool fillStrokeOutline(QPainter& painter, const Path& path, const StrokeStyle& style, const QBrush& brush);

// Whether the stroke's box on the device covers at most 16 tiles (a rough
// reach, mitres left out).
bool small(const Path& path, const StrokeStyle& style, const QTransform& world)
{
    const double reach = style.lineWidth;
    const QRectF device =
        world.mapRect(path.toQPainterPath().controlPointRect().adjusted(-reach, -reach, reach, reach));
    return device.width() * device.height() <= 16.0 * fillTile * fillTile;
}

} // namespace

bool strokeAsOutline(QPainter& painter, const Path& path, const StrokeStyle& style, const QBrush& brush)
{
    const QTransform world = painter.worldTransform();
    if (!painter.testRenderHint(QPainter::Antialiasing) || !(style.lineWidth > 0) ||
        world.type() == QTransform::TxProject || path.elements().size() < 2 || path.elements().size() > maxElements)
        return false;
    // One straight solid segment without round caps Qt draws quickly as it is.
    const std::vector<Path::Element>& elements = path.elements();
    if (elements.size() == 2 && elements[1].type == Path::Element::Type::line && !style.isDashed() &&
        style.lineCap != LineCap::round)
        return false;
    // Small strokes cost Qt little: only those whose box on the device
    // covers more than 16 tiles (a rough reach, mitres left out, is all this
    // choice needs).
    if (small(path, style, world))
        return false;
    return fillStrokeOutline(painter, path, style, brush);
}

bool strokeSmallAsOutline(QPainter& painter, const Path& path, const StrokeStyle& style, const QBrush& brush)
{
    const QTransform world = painter.worldTransform();
    if (!painter.testRenderHint(QPainter::Antialiasing) || !(style.lineWidth > 0) ||
        world.type() == QTransform::TxProject || path.elements().size() < 2 || path.elements().size() > maxElements)
        return false;
    const std::vector<Path::Element>& elements = path.elements();
    const bool straight = std::all_of(elements.begin(), elements.end(), [](const Path::Element& e) {
        return e.type != Path::Element::Type::quadCurve && e.type != Path::Element::Type::curve;
    });
    if (!straight || style.lineJoin == LineJoin::round || style.lineCap == LineCap::round || style.isDashed() ||
        !small(path, style, world) || !plainColour(painter, brush))
        return false;
    painter.resetTransform();
    const bool direct = RasterTarget::of(painter).has_value();
    painter.setWorldTransform(world);
    return direct && fillStrokeOutline(painter, path, style, brush);
}

namespace {

// The outline of a stroke on the device, its polygons' corners in pixels.
struct StrokeOutline {
    Path path;
    StrokeStyle style;
    QTransform world;
    std::vector<std::vector<Point>> corners;
};

// The outline of the stroke of `path` with `style` mapped by `world`: the
// outline of Qt's own stroke, the same width, caps, joins, miter limit and
// dashes, whose curves (the offsets of the path's curves, round caps and
// joins) follow the true ones to a hundredth of a pixel and are cut into
// lines within a twentieth. The last few made are kept: a chart's line
// that stays where it was from one frame to the next (the extra line
// while another value changes) is not stroked again.
const StrokeOutline* strokeOutline(const Path& path, const StrokeStyle& style, const QTransform& world)
{
    constexpr std::size_t keptOutlines = 4;
    thread_local std::vector<StrokeOutline> kept;
    const auto same = std::find_if(kept.begin(), kept.end(), [&](const StrokeOutline& o) {
        return o.style == style && o.world == world && o.path == path;
    });
    if (same != kept.end()) {
        std::rotate(kept.begin(), same, same + 1);
        return &kept.front();
    }
    const double scale = std::sqrt(std::abs(world.determinant()));
    if (!(scale > 0))
        return nullptr;
    StrokeOutline made{path, style, world, {}};
    QPainterPathStroker stroker(style.toQPen(QBrush(Qt::black)));
    stroker.setCurveThreshold(0.01 / scale);
    thread_local std::vector<QPolygonF> polygons;
    flatten(stroker.createStroke(path.toQPainterPath()), world, 0.05, polygons);
    made.corners.resize(polygons.size());
    for (std::size_t i = 0; i < polygons.size(); ++i) {
        made.corners[i].reserve(std::size_t(polygons[i].size()));
        for (const QPointF& p : polygons[i])
            made.corners[i].push_back({p.x(), p.y()});
    }
    kept.insert(kept.begin(), std::move(made));
    if (kept.size() > keptOutlines)
        kept.pop_back();
    return &kept.front();
}

bool fillStrokeOutline(QPainter& painter, const Path& path, const StrokeStyle& style, const QBrush& brush)
{
    const QTransform world = painter.worldTransform();
    const StrokeOutline* outline = strokeOutline(path, style, world);
    if (!outline)
        return false;
    painter.resetTransform();
    const bool filled = fillPolygons(painter, outline->corners, brush);
    if (!filled) {
        // The brush keeps its place on the item while the painting is in pixels.
        QBrush deviceBrush = brush;
        if (brush.style() != Qt::SolidPattern && brush.style() != Qt::NoBrush)
            deviceBrush.setTransform(brush.transform() * world);
        std::vector<QPolygonF> polygons(outline->corners.size());
        for (std::size_t i = 0; i < polygons.size(); ++i)
            for (const Point& p : outline->corners[i])
                polygons[i] << QPointF(p.x, p.y);
        fillPolygonsInTiles(painter, polygons, deviceBrush);
    }
    painter.setWorldTransform(world);
    return true;
}

} // namespace

} // namespace kit::detail
