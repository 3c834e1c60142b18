// Filling a box (see BoxFill.h): finding its body and caps, and filling pixel rectangles
// straight into the image in a plain colour or a linear gradient.
//
// Sections:
//   the box's outline   Segment, verticalExtent, capBeyond (a cap cut off at a pixel row)
//   gradients           DeviceGradient: a linear gradient's colour at each pixel, as Qt looks it up
//   cutting a box       boxParts
//   filling pixels      fillPixelRect
//   boxes on a painter  fillAsBox, strokeAsBox

#include "kit/ui/raster/BoxFill.h"

#include "kit/ui/raster/ConvexFill.h"
#include "kit/ui/raster/RasterTarget.h"

#include <QBrush>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <memory>
#include <utility>

namespace kit::detail {

namespace {

// Paths longer than this are not boxes worth cutting (a box has four sides
// and at most four corners of up to four curves each; a line of thousands of
// points is not looked at).
constexpr std::size_t maxBoxElements = 32;
// How far, in device pixels, a side may stray from its edge of the box.
constexpr double tolerance = 1e-6;
// How near its corner of the box, in device pixels along either axis, a
// curve lies that the box is filled square at (a quarter circle of this
// radius leaves r² (1 − π/4) of a pixel, under half of a 255th, uncovered).
constexpr double squareCorner = 0.08;
// The tallest rectangle handed to Qt in one fill (see fillPixelRect).
constexpr int maxRowsPerFill = 64;

using Element = Path::Element;
using Type = Path::Element::Type;

// One side or corner of the box: from `from`, the element's segment.
struct Segment {
    Point from;
    Element element;
};

Point mapped(const AffineTransform& t, Point p)
{
    return {t.a * p.x + t.c * p.y + t.tx, t.b * p.x + t.d * p.y + t.ty};
}

// The segment's lowest and highest y, control points included.
std::pair<double, double> verticalExtent(const Segment& s)
{
    double low = std::min(s.from.y, s.element.point.y), high = std::max(s.from.y, s.element.point.y);
    if (s.element.type == Type::quadCurve || s.element.type == Type::curve) {
        low = std::min(low, s.element.control1.y);
        high = std::max(high, s.element.control1.y);
    }
    if (s.element.type == Type::curve) {
        low = std::min(low, s.element.control2.y);
        high = std::max(high, s.element.control2.y);
    }
    return {low, high};
}

// The part of the box on the `keepAbove` side of the row `y` (above: y less
// than it), closed along that row. The box's lines are axis-aligned, so each
// one is kept, cut at the row or dropped; its curves lie wholly on one side.
// Walking from just after a dropped segment, the kept pieces follow one
// another around the box, and the cut row joins the last to the first.
Path capBeyond(const std::vector<Segment>& segments, double y, bool keepAbove)
{
    auto inside = [&](double v) { return keepAbove ? v <= y + tolerance : v >= y - tolerance; };
    auto clampToRow = [&](Point p) { return Point{p.x, keepAbove ? std::min(p.y, y) : std::max(p.y, y)}; };
    const std::size_t n = segments.size();
    std::size_t start = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const auto [low, high] = verticalExtent(segments[i]);
        if (!inside(keepAbove ? low : high)) { // wholly beyond the row: dropped
            start = i + 1;
            break;
        }
    }
    Path cap;
    bool begun = false;
    for (std::size_t k = 0; k < n; ++k) {
        const Segment& s = segments[(start + k) % n];
        const auto [low, high] = verticalExtent(s);
        if (s.element.type == Type::line) {
            if (!inside(keepAbove ? low : high))
                continue;
            const Point from = clampToRow(s.from), to = clampToRow(s.element.point);
            if (!begun)
                cap.move(from);
            else if (cap.currentPoint() != from)
                cap.addLine(from);
            begun = true;
            cap.addLine(to);
            continue;
        }
        if (!inside(keepAbove ? high : low))
            continue;
        if (!begun)
            cap.move(s.from);
        else if (cap.currentPoint() != s.from)
            cap.addLine(s.from);
        begun = true;
        if (s.element.type == Type::quadCurve)
            cap.addQuadCurve(s.element.point, s.element.control1);
        else
            cap.addCurve(s.element.point, s.element.control1, s.element.control2);
    }
    if (begun)
        cap.closeSubpath();
    return cap;
}

// A linear gradient brush (padded, in logical coordinates) as it lies on the
// device: its position t = a·x + b·y + c at a pixel's centre, its colours
// looked up in 1024 steps of t as Qt's raster engine does, premultiplied.
class DeviceGradient {
public:
    static std::optional<DeviceGradient> of(const QBrush& brush)
    {
        if (brush.style() != Qt::LinearGradientPattern || !brush.gradient())
            return std::nullopt;
        const auto& g = static_cast<const QLinearGradient&>(*brush.gradient());
        if (g.spread() != QGradient::PadSpread || g.coordinateMode() != QGradient::LogicalMode || g.stops().isEmpty())
            return std::nullopt;
        bool invertible = false;
        const QTransform toGradient = brush.transform().inverted(&invertible);
        const QPointF d = g.finalStop() - g.start();
        const double length2 = d.x() * d.x() + d.y() * d.y();
        if (!invertible || !(length2 > 0))
            return std::nullopt;
        DeviceGradient out;
        out.a_ = (toGradient.m11() * d.x() + toGradient.m12() * d.y()) / length2;
        out.b_ = (toGradient.m21() * d.x() + toGradient.m22() * d.y()) / length2;
        out.c_ = ((toGradient.dx() - g.start().x()) * d.x() + (toGradient.dy() - g.start().y()) * d.y()) / length2;
        out.table_ = tableFor(g.stops());
        return out;
    }

    // Whether each row of pixels is one colour (the gradient runs down).
    bool rowsAlike() const { return std::abs(a_) < 1e-12; }

    std::uint32_t at(int x, int y) const
    {
        const double t = a_ * (x + 0.5) + b_ * (y + 0.5) + c_;
        const double step = std::clamp(t, 0.0, 1.0) * double(steps - 1) + 0.5;
        return (*table_)[std::size_t(step)];
    }

private:
    static constexpr std::size_t steps = 1024;
    using Table = std::array<std::uint32_t, steps>;

    // The table of `stops`: the bars of a chart share their gradient, so the
    // last few tables made are kept.
    static std::shared_ptr<const Table> tableFor(const QGradientStops& stops)
    {
        static thread_local std::vector<std::pair<QGradientStops, std::shared_ptr<const Table>>> kept;
        for (const auto& [keptStops, table] : kept)
            if (keptStops == stops)
                return table;
        auto table = std::make_shared<Table>();
        fill(*table, stops);
        if (kept.size() == 8)
            kept.erase(kept.begin());
        kept.emplace_back(stops, table);
        return table;
    }

    // The stops' colours at the table's steps, interpolated premultiplied.
    static void fill(Table& table, const QGradientStops& stops)
    {
        struct Stop {
            double at;
            std::array<double, 4> colour; // premultiplied r, g, b, a
        };
        std::vector<Stop> premultiplied;
        for (const auto& [at, c] : stops) {
            const double alpha = c.alphaF();
            premultiplied.push_back({at, {c.redF() * alpha, c.greenF() * alpha, c.blueF() * alpha, alpha}});
        }
        const auto byte = [](double x) { return std::uint32_t(std::lround(std::clamp(x, 0.0, 1.0) * 255)); };
        std::size_t k = 0; // the first stop at or past t
        for (std::size_t i = 0; i < steps; ++i) {
            const double t = double(i) / double(steps - 1);
            while (k < premultiplied.size() && premultiplied[k].at < t)
                ++k;
            std::array<double, 4> v;
            if (k == 0) {
                v = premultiplied.front().colour;
            } else if (k == premultiplied.size()) {
                v = premultiplied.back().colour;
            } else {
                const Stop &p = premultiplied[k - 1], &q = premultiplied[k];
                const double f = q.at > p.at ? (t - p.at) / (q.at - p.at) : 1;
                for (std::size_t c = 0; c < 4; ++c)
                    v[c] = p.colour[c] + (q.colour[c] - p.colour[c]) * f;
            }
            table[i] = (byte(v[3]) << 24) | (byte(v[0]) << 16) | (byte(v[1]) << 8) | byte(v[2]);
        }
    }

    double a_ = 0, b_ = 0, c_ = 0;
    std::shared_ptr<const Table> table_;
};

} // namespace

std::optional<BoxParts> boxParts(const Path& path, const AffineTransform& toDevice)
{
    if (toDevice.b != 0 || toDevice.c != 0)
        return std::nullopt;
    const std::vector<Element>& elements = path.elements();
    if (elements.size() < 2 || elements.size() > maxBoxElements || elements.front().type != Type::move)
        return std::nullopt;

    // The segments on the device, the closing one included (in room kept
    // from one box to the next: a chart cuts a box for every bar it paints).
    thread_local std::vector<Segment> segments;
    segments.clear();
    const Point first = mapped(toDevice, elements.front().point);
    Point current = first;
    for (std::size_t i = 1; i < elements.size(); ++i) {
        const Element& e = elements[i];
        if (e.type == Type::move)
            return std::nullopt; // a second subpath
        if (e.type == Type::closeSubpath) {
            if (i + 1 != elements.size())
                return std::nullopt;
            break;
        }
        Element device = e;
        device.point = mapped(toDevice, e.point);
        device.control1 = mapped(toDevice, e.control1);
        device.control2 = mapped(toDevice, e.control2);
        segments.push_back({current, device});
        current = device.point;
    }
    if (current != first)
        segments.push_back({current, Element{Type::line, first, {}, {}}});

    double left = first.x, right = first.x, top = first.y, bottom = first.y;
    for (const Segment& s : segments) {
        const auto [low, high] = verticalExtent(s);
        top = std::min(top, low);
        bottom = std::max(bottom, high);
        for (Point p : {s.element.point, s.element.control1, s.element.control2})
            if (s.element.type != Type::line || p == s.element.point) {
                left = std::min(left, p.x);
                right = std::max(right, p.x);
            }
    }
    if (!(right > left) || !(bottom > top) || !std::isfinite(left + right + top + bottom))
        return std::nullopt;

    // Lines along the box's edges; curves in its upper or lower half, whose
    // reach sets where the body may start and end.
    const double middle = (top + bottom) / 2;
    double bodyTop = top, bodyBottom = bottom;
    auto near = [](double a, double b) { return std::abs(a - b) <= tolerance; };
    // A curve rounding a corner by less than a tiny part of a pixel (a bar
    // narrower than a pixel, its radius held to half its width) takes less
    // than 1/500 of a pixel off the square corner: too little for any pixel
    // to show, so the box is filled as the rectangle it nearly is.
    bool square = true;
    for (const Segment& s : segments) {
        if (s.element.type == Type::line)
            continue;
        const Point c2 = s.element.type == Type::curve ? s.element.control2 : s.element.point;
        const Point points[] = {s.from, s.element.control1, c2, s.element.point};
        bool atCorner = false;
        for (double cx : {left, right})
            for (double cy : {top, bottom}) {
                bool all = true;
                for (const Point& p : points)
                    all = all && std::abs(p.x - cx) <= squareCorner && std::abs(p.y - cy) <= squareCorner;
                atCorner = atCorner || all;
            }
        square = square && atCorner;
    }
    for (const Segment& s : segments) {
        const Point a = s.from, b = s.element.point;
        if (s.element.type == Type::line) {
            const bool alongX = near(a.y, b.y) && (near(a.y, top) || near(a.y, bottom));
            const bool alongY = near(a.x, b.x) && (near(a.x, left) || near(a.x, right));
            if (!alongX && !alongY && a != b)
                return std::nullopt;
            continue;
        }
        const auto [low, high] = verticalExtent(s);
        if (high <= middle)
            bodyTop = std::max(bodyTop, high);
        else if (low >= middle)
            bodyBottom = std::min(bodyBottom, low);
        else
            return std::nullopt;
    }
    if (square)
        return BoxParts{Rect(left, top, right - left, bottom - top), {}};
    // Where a cap meets the body, on a pixel row.
    if (bodyTop > top)
        bodyTop = std::ceil(bodyTop - tolerance);
    if (bodyBottom < bottom)
        bodyBottom = std::floor(bodyBottom + tolerance);
    // A body cut from caps is at least a row tall, or the caps are all there is.
    const bool capped = bodyTop > top || bodyBottom < bottom;
    if (bodyBottom - bodyTop < (capped ? 1 : 0) || !(bodyBottom > bodyTop))
        return std::nullopt;

    BoxParts parts{Rect(left, bodyTop, right - left, bodyBottom - bodyTop), {}};
    if (bodyTop > top)
        parts.caps.push_back(capBeyond(segments, bodyTop, true));
    if (bodyBottom < bottom)
        parts.caps.push_back(capBeyond(segments, bodyBottom, false));
    return parts;
}

void fillPixelRect(QPainter& painter, const Rect& rect, const QBrush& brush)
{
    const std::optional<RasterTarget> target = RasterTarget::of(painter);
    const std::optional<DeviceGradient> gradient = target ? DeviceGradient::of(brush) : std::nullopt;
    if (brush.style() != Qt::SolidPattern && !gradient) {
        // Any other gradient, or no image to write into: Qt's own antialiased
        // fill, at most 64 rows at a time, split on whole rows (see below).
        const bool antialiased = painter.testRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::Antialiasing, true);
        for (double top = rect.minY(); top < rect.maxY();) {
            const double bottom = std::min(rect.maxY(), std::floor(top) + maxRowsPerFill);
            painter.fillRect(QRectF(rect.minX(), top, rect.width(), bottom - top), brush);
            top = bottom;
        }
        painter.setRenderHint(QPainter::Antialiasing, antialiased);
        return;
    }
    // Along each axis: the partly covered pixel before the whole ones, the
    // whole ones, the partly covered one after, as (start, length, coverage).
    struct Span {
        int start = 0, length = 0;
        double coverage = 0;
    };
    auto spans = [](double from, double to, std::array<Span, 3>& out) {
        const double firstWhole = std::ceil(from), lastWhole = std::floor(to);
        if (lastWhole < firstWhole) { // within one pixel
            out = {Span{int(std::floor(from)), 1, to - from}, Span{}, Span{}};
            return;
        }
        out = {Span{int(std::floor(from)), 1, firstWhole - from}, Span{int(firstWhole), int(lastWhole - firstWhole), 1},
               Span{int(lastWhole), 1, to - lastWhole}};
    };
    std::array<Span, 3> columns, rows;
    spans(rect.minX(), rect.maxX(), columns);
    spans(rect.minY(), rect.maxY(), rows);
    // Each piece in the brush's colour at its own alpha: the painter's
    // opacity stays put, since changing it costs Qt more than a thin fill.
    const double opacity = painter.opacity();
    const bool antialiased = painter.testRenderHint(QPainter::Antialiasing);
    const QColor colour = brush.color();
    const double alpha = colour.alphaF() * opacity;
    const auto pieces = [&](auto&& fill) {
        for (const Span& row : rows)
            for (const Span& column : columns) {
                const double coverage = row.coverage * column.coverage;
                if (row.length > 0 && column.length > 0 && coverage > 0)
                    fill(QRect(column.start, row.start, column.length, row.length), coverage);
            }
    };
    if (gradient) {
        pieces([&](const QRect& piece, double coverage) {
            const auto part = std::uint32_t(std::lround(std::min(1.0, opacity * coverage) * 255));
            target->blendEach(piece, gradient->rowsAlike(),
                              [&](int x, int y) { return RasterTarget::scaled(gradient->at(x, y), part); });
        });
        return;
    }
    if (target) {
        pieces([&](const QRect& piece, double coverage) {
            QColor tinted = colour;
            tinted.setAlphaF(float(std::min(1.0, alpha * coverage)));
            target->blend(piece, qPremultiply(tinted.rgba64()).toArgb32());
        });
        return;
    }
    painter.setOpacity(1);
    painter.setRenderHint(QPainter::Antialiasing, false);
    pieces([&](const QRect& piece, double coverage) {
        QColor tinted = colour;
        tinted.setAlphaF(float(std::min(1.0, alpha * coverage)));
        // Qt hands a fill of more than 96 rows that it must blend (a
        // translucent colour) to its thread pool, which costs far more than
        // a thin fill such as a bar's edge; an opaque one is not blended. A
        // blended one gets at most 64 rows at a time.
        const int rowsPerFill = tinted.alpha() == 255 ? piece.height() : maxRowsPerFill;
        for (int y = piece.top(); y <= piece.bottom(); y += rowsPerFill)
            painter.fillRect(QRect(piece.left(), y, piece.width(), std::min(rowsPerFill, piece.bottom() + 1 - y)),
                             tinted);
    });
    painter.setOpacity(opacity);
    painter.setRenderHint(QPainter::Antialiasing, antialiased);
}

bool fillAsBox(QPainter& painter, const Path& path, const QBrush& brush)
{
    const QTransform world = painter.worldTransform();
    const std::optional<BoxParts> parts =
        boxParts(path, {world.m11(), world.m12(), world.m21(), world.m22(), world.dx(), world.dy()});
    if (!parts)
        return false;
    // The brush keeps its place on the item while the painting is in pixels.
    QBrush deviceBrush = brush;
    if (brush.style() != Qt::SolidPattern && brush.style() != Qt::NoBrush)
        deviceBrush.setTransform(brush.transform() * world);
    painter.resetTransform();
    fillPixelRect(painter, parts->body, deviceBrush);
    for (const Path& cap : parts->caps)
        if (!fillAsConvex(painter, cap, deviceBrush))
            painter.fillPath(cap.toQPainterPath(), deviceBrush);
    painter.setWorldTransform(world);
    return true;
}

bool strokeAsBox(QPainter& painter, const Path& path, const StrokeStyle& style, const QBrush& brush)
{
    const std::vector<Element>& elements = path.elements();
    if (elements.size() != 2 || elements[0].type != Type::move || elements[1].type != Type::line ||
        style.lineCap == LineCap::round || style.isDashed() || !(style.lineWidth > 0))
        return false;
    const Point a = elements[0].point, b = elements[1].point;
    const double half = style.lineWidth / 2;
    const double cap = style.lineCap == LineCap::square ? half : 0;
    Rect covered;
    if (a.y == b.y && a.x != b.x)
        covered = Rect(std::min(a.x, b.x) - cap, a.y - half, std::abs(b.x - a.x) + 2 * cap, style.lineWidth);
    else if (a.x == b.x && a.y != b.y)
        covered = Rect(a.x - half, std::min(a.y, b.y) - cap, style.lineWidth, std::abs(b.y - a.y) + 2 * cap);
    else
        return false;
    return fillAsBox(painter, Path::rect(covered), brush);
}

} // namespace kit::detail
