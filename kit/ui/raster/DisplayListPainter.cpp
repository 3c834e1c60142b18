// Painting a display list with QPainter: clips, shadows (the item's coverage
// blurred, tinted and offset) and the item itself, in host coordinates.
//
// Sections:
//   pixel alignment   pixelAligned (rectangles filled out to whole pixels)
//   text              PaintedFont, paintedText (lines laid out once and kept)
//   an item           drawGeometry: fills, strokes, text and images
//   shadows           blurAlpha, PaintedShadow, the shadows kept, drawShadow
//   the list          DisplayList::paint: clips, opacity, shadows and items in order

#include "kit/ui/DisplayList.h"

#include "kit/base/DenseStroke.h"
#include "kit/ui/engine/Symbols.h"
#include "kit/ui/raster/BandFill.h"
#include "kit/ui/raster/BoxFill.h"
#include "kit/ui/raster/ConvexFill.h"
#include "kit/ui/raster/RasterTarget.h"
#include "kit/ui/raster/ShapeFill.h"
#include "kit/ui/raster/TiledFill.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QStaticText>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>

namespace kit {

namespace {

// A rectangle that stays upright on the device (`device` maps the path's
// space to device pixels), filled out to whole pixels: each edge moves to
// the nearest pixel boundary. Two rectangles that share an edge between
// pixels (the parts of a stacked bar) then split that row of pixels between
// them, where each would otherwise cover it in part and the background
// would show through as a faint seam. Any other path, and a rectangle that
// would round to nothing (it still shows, antialiased), comes back as it is.
Path pixelAligned(const Path& path, const QTransform& device)
{
    using Type = Path::Element::Type;
    const std::vector<Path::Element>& e = path.elements();
    if (e.size() != 5 || e[0].type != Type::move || e[1].type != Type::line || e[2].type != Type::line ||
        e[3].type != Type::line || e[4].type != Type::closeSubpath || device.type() > QTransform::TxScale)
        return path;
    const Point a = e[0].point, b = e[1].point, c = e[2].point, d = e[3].point;
    const bool upright = (a.y == b.y && b.x == c.x && c.y == d.y && d.x == a.x) ||
                         (a.x == b.x && b.y == c.y && c.x == d.x && d.y == a.y);
    if (!upright)
        return path;
    const QRectF onDevice = device.mapRect(QRectF(QPointF(a.x, a.y), QPointF(c.x, c.y)).normalized());
    const QPointF topLeft(std::round(onDevice.left()), std::round(onDevice.top()));
    const QPointF bottomRight(std::round(onDevice.right()), std::round(onDevice.bottom()));
    if (!(bottomRight.x() > topLeft.x() && bottomRight.y() > topLeft.y()))
        return path;
    const QRectF aligned = device.inverted().mapRect(QRectF(topLeft, bottomRight));
    return Path::rect(Rect(aligned.x(), aligned.y(), aligned.width(), aligned.height()));
}

// A font as painted: the Qt font of a kit font on a device, and its ascent
// (where a line laid out from its top has its baseline).
struct PaintedFont {
    QFont font;
    double ascent = 0;
};

const PaintedFont& paintedFont(const Font& font, double dpi)
{
    thread_local std::unordered_map<Font, std::pair<double, PaintedFont>> fonts;
    auto it = fonts.find(font);
    if (it == fonts.end() || it->second.first != dpi) {
        if (fonts.size() > 64)
            fonts.clear();
        QFont qt = font.toQFont(dpi);
        const double ascent = QFontMetricsF(qt).ascent();
        it = fonts.insert_or_assign(font, std::pair{dpi, PaintedFont{std::move(qt), ascent}}).first;
    }
    return it->second.second;
}

// The lines of text painted lately, laid out (shaped into glyphs) once:
// laying a line out costs several times drawing its glyphs, and a chart
// paints the same labels frame after frame. Null for a line Qt lays out
// from the right, which it places otherwise from a point.
const QStaticText* paintedText(const std::string& text, const Font& font, double dpi, const QFont& qt)
{
    struct Key {
        std::string text;
        Font font;
        double dpi;
        bool operator==(const Key&) const = default;
    };
    struct KeyHash {
        std::size_t operator()(const Key& k) const noexcept
        {
            std::size_t seed = std::hash<std::string>{}(k.text);
            hashCombine(seed, std::hash<Font>{}(k.font));
            hashCombine(seed, hashDouble(k.dpi));
            return seed;
        }
    };
    // Enough for the labels of a few charts; past it the texts of older
    // frames go.
    constexpr std::size_t kept = 1024;
    thread_local std::unordered_map<Key, std::optional<QStaticText>, KeyHash> texts;
    thread_local Key probe;
    probe.text = text;
    probe.font = font;
    probe.dpi = dpi;
    auto it = texts.find(probe);
    if (it == texts.end()) {
        if (texts.size() >= kept)
            texts.clear();
        const QString string = QString::fromStdString(text);
        std::optional<QStaticText> laidOut;
        if (!string.isRightToLeft()) {
            laidOut.emplace(string);
            laidOut->setTextFormat(Qt::PlainText);
            laidOut->setPerformanceHint(QStaticText::AggressiveCaching);
            laidOut->prepare(QTransform(), qt);
        }
        it = texts.emplace(probe, std::move(laidOut)).first;
    }
    return it->second ? &*it->second : nullptr;
}

// The item in the painter's current space.
void drawGeometry(QPainter& painter, const DisplayItem& item)
{
    switch (item.kind) {
    case DisplayItem::Kind::fill: {
        painter.setRenderHint(QPainter::Antialiasing, item.fillStyle.antialiased);
        const QBrush brush = toQBrush(item.paint, item.frame);
        const Path path = pixelAligned(item.path, painter.deviceTransform());
        // A bar or other box: its body as rectangles, only its corners as paths.
        if (item.fillStyle.antialiased && detail::fillAsBox(painter, path, brush))
            break;
        // A pie segment or another convex shape: only the pixels it covers.
        if (item.fillStyle.antialiased && detail::fillAsConvex(painter, path, brush))
            break;
        // A blob, a ring, the area under a line: its outline by its coverage.
        if (item.fillStyle.antialiased && !item.fillStyle.eoFill && detail::fillAsShape(painter, path, brush))
            break;
        painter.fillPath(path.toQPainterPath(item.fillStyle.eoFill), brush);
        break;
    }
    case DisplayItem::Kind::stroke: {
        // A line of thousands of points is filled as the band its stroke
        // covers, straight into the pixels, or as the outline of the
        // stroke, which Qt would otherwise build segment by segment.
        const QTransform d = painter.deviceTransform();
        const QBrush brush = toQBrush(item.paint, item.frame);
        if (detail::strokeAsBand(painter, item.path, item.strokeStyle, brush))
            break;
        if (auto outline = denseStrokeOutline(item.path, item.strokeStyle,
                                              {d.m11(), d.m12(), d.m21(), d.m22(), d.dx(), d.dy()})) {
            for (const Path& piece : *outline)
                painter.fillPath(piece.toQPainterPath(), brush);
            break;
        }
        // A grid line or an axis: the box it covers.
        if (detail::strokeAsBox(painter, item.path, item.strokeStyle, brush))
            break;
        // One straight solid segment (a trend line, a legend's sample of a
        // line): the convex shape its pen covers.
        if (detail::strokeSegmentAsConvex(painter, item.path, item.strokeStyle, brush))
            break;
        // A line across the chart (a trend line, a polyline with round
        // joins, a dashed diagonal), a box's border: its outline filled.
        if (detail::strokeAsOutline(painter, item.path, item.strokeStyle, brush))
            break;
        // A small one of straight lines (a label's diamond): its outline
        // straight into the pixels.
        if (detail::strokeSmallAsOutline(painter, item.path, item.strokeStyle, brush))
            break;
        painter.setBrush(Qt::NoBrush);
        painter.setPen(item.strokeStyle.toQPen(brush));
        painter.drawPath(item.path.toQPainterPath());
        break;
    }
    case DisplayItem::Kind::text: {
        const double dpi = painter.device() ? painter.device()->logicalDpiY() : 96;
        const PaintedFont& font = paintedFont(item.font, dpi);
        painter.setFont(font.font);
        painter.setPen(item.color.toQColor());
        // Moved, but neither turned nor scaled: the glyphs laid out before
        // are drawn again, at the same places Qt would lay them out.
        const bool translated = painter.worldTransform().type() <= QTransform::TxTranslate;
        for (const DisplayTextLine& line : item.lines) {
            const QStaticText* laidOut = translated ? paintedText(line.text, item.font, dpi, font.font) : nullptr;
            if (laidOut)
                painter.drawStaticText(QPointF(line.baseline.x, line.baseline.y - font.ascent), *laidOut);
            else
                painter.drawText(QPointF(line.baseline.x, line.baseline.y), QString::fromStdString(line.text));
        }
        break;
    }
    case DisplayItem::Kind::image: {
        const detail::Symbol* symbol = detail::findSymbol(item.symbol);
        if (!symbol)
            break;
        painter.save();
        painter.translate(item.imageRect.minX(), item.imageRect.minY());
        painter.scale(item.imageRect.width() / symbol->box.width, item.imageRect.height() / symbol->box.height);
        for (const detail::SymbolLayer& layer : symbol->layers) {
            const std::size_t index = std::size_t(std::clamp(layer.layer - 1, 0, 1));
            const QColor color = (index < item.layerColors.size() ? item.layerColors[index] : RGBA{}).toQColor();
            if (layer.stroke) {
                StrokeStyle style{.lineWidth = layer.lineWidth, .lineCap = LineCap::round, .lineJoin = LineJoin::round};
                painter.setBrush(Qt::NoBrush);
                painter.setPen(style.toQPen(QBrush(color)));
                painter.drawPath(layer.path.toQPainterPath());
            } else {
                painter.fillPath(layer.path.toQPainterPath(layer.evenOdd), QBrush(color));
            }
        }
        painter.restore();
        break;
    }
    case DisplayItem::Kind::hitArea:
        break;
    }
}

// Blurs the alpha of an image with three box blurs (close to a Gaussian of
// σ = sigma) and tints it: each pixel becomes `tint` (premultiplied) at its
// blurred alpha, as Qt's source-in fill of the colour would make it. Each pass sets a
// pixel to the sum of the 2·radius + 1 pixels around it along one axis (those
// past the edge count 0) divided by their number, rounded down; the vertical
// pass runs down all columns at once, row by row, so it reads memory in order.
void blurAlpha(QImage& image, double sigma, QRgb tint)
{
    const int radius = sigma > 0.25 ? std::max(1, int(std::lround((std::sqrt(4 * sigma * sigma + 1) - 1) / 2))) : 0;
    const int w = image.width(), h = image.height(), window = 2 * radius + 1;
    std::vector<std::uint8_t> alpha(std::size_t(w) * std::size_t(h));
    for (int y = 0; y < h; ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        std::uint8_t* row = alpha.data() + std::size_t(y) * std::size_t(w);
        for (int x = 0; x < w; ++x)
            row[x] = std::uint8_t(qAlpha(line[x]));
    }
    if (radius > 0) {
        // A sum of a window's values divided by its length, rounded down, looked up.
        std::vector<std::uint8_t> quotient(std::size_t(255 * window + 1));
        for (std::size_t sum = 0; sum < quotient.size(); ++sum)
            quotient[sum] = std::uint8_t(sum / std::size_t(window));
        std::vector<std::uint8_t> line(static_cast<std::size_t>(w));
        const auto horizontal = [&] {
            for (int y = 0; y < h; ++y) {
                std::uint8_t* row = alpha.data() + std::size_t(y) * std::size_t(w);
                std::copy(row, row + w, line.begin());
                int sum = 0;
                for (int i = 0; i <= radius && i < w; ++i)
                    sum += line[std::size_t(i)];
                for (int i = 0; i < w; ++i) {
                    row[i] = quotient[std::size_t(sum)];
                    if (i - radius >= 0)
                        sum -= line[std::size_t(i - radius)];
                    if (i + radius + 1 < w)
                        sum += line[std::size_t(i + radius + 1)];
                }
            }
        };
        // The rows the window holds, as they were before being written over:
        // a ring of window rows (row k in slot k % window).
        std::vector<std::uint8_t> ring(std::size_t(window) * std::size_t(w));
        std::vector<int> sums(static_cast<std::size_t>(w));
        const auto vertical = [&] {
            std::fill(sums.begin(), sums.end(), 0);
            const auto enter = [&](int y) {
                const std::uint8_t* row = alpha.data() + std::size_t(y) * std::size_t(w);
                std::uint8_t* kept = ring.data() + std::size_t(y % window) * std::size_t(w);
                for (int x = 0; x < w; ++x) {
                    kept[x] = row[x];
                    sums[std::size_t(x)] += row[x];
                }
            };
            for (int i = 0; i <= radius && i < h; ++i)
                enter(i);
            for (int y = 0; y < h; ++y) {
                std::uint8_t* row = alpha.data() + std::size_t(y) * std::size_t(w);
                for (int x = 0; x < w; ++x)
                    row[x] = quotient[std::size_t(sums[std::size_t(x)])];
                if (y - radius >= 0) {
                    const std::uint8_t* gone = ring.data() + std::size_t((y - radius) % window) * std::size_t(w);
                    for (int x = 0; x < w; ++x)
                        sums[std::size_t(x)] -= gone[x];
                }
                if (y + radius + 1 < h)
                    enter(y + radius + 1); // not yet written over
            }
        };
        for (int k = 0; k < 3; ++k) {
            horizontal();
            vertical();
        }
    }
    for (int y = 0; y < h; ++y) {
        QRgb* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        const std::uint8_t* row = alpha.data() + std::size_t(y) * std::size_t(w);
        for (int x = 0; x < w; ++x)
            out[x] = detail::RasterTarget::scaled(tint, row[x]);
    }
}

// A shadow as painted: the tinted, blurred coverage of an item in device
// pixels, with what it was made from.
struct PaintedShadow {
    DisplayItem::Kind kind;
    Path path;
    Paint paint;
    FillStyle fillStyle;
    StrokeStyle strokeStyle;
    Rect frame;
    QTransform toDevice;
    double sigma;
    RGBA color;
    QRect pixels;
    QImage image;
    detail::ImageRuns runs; // its pixels that are not clear
    // Those of them not under a pixel the item covers whole, when the
    // shadow lies `hollowedAt` (device pixels) from the item: an opaque
    // fill painted over its shadow at once hides the shadow there.
    std::optional<detail::ImageRuns> hollow;
    QPoint hollowedAt;

    bool isFor(const DisplayItem& item, const QTransform& itemToDevice, double s, RGBA c) const
    {
        return kind == item.kind && sigma == s && color == c && toDevice == itemToDevice && frame == item.frame &&
               fillStyle == item.fillStyle && strokeStyle == item.strokeStyle && paint == item.paint &&
               path == item.path;
    }
};

// The shadows painted last, newest first. A shadow under an item that stays
// put while things around it change (a touched pie slice under a moving
// touch) is blurred once. Only fills and strokes are kept: their look is
// all in the fields compared.
constexpr std::size_t keptShadows = 8;
std::vector<PaintedShadow>& paintedShadows()
{
    thread_local std::vector<PaintedShadow> shadows;
    return shadows;
}

// The item's coverage (its own alpha), blurred, tinted and offset, under the item.
void drawShadow(QPainter& painter, const DisplayItem& item, const DisplayShadow& shadow, double opacity)
{
    const QTransform world = painter.worldTransform(); // host to device
    const double sigma = shadow.radius / 2 * std::sqrt(std::abs(world.determinant()));
    const QPointF offset = world.map(QPointF(shadow.offset.x, shadow.offset.y)) - world.map(QPointF(0, 0));
    // An opaque plain fill at full opacity, painted straight after its
    // shadow, covers the shadow wherever it covers a whole pixel.
    const bool opaqueFill = [&] {
        if (item.kind != DisplayItem::Kind::fill || opacity < 1)
            return false;
        const QBrush brush = toQBrush(item.paint, item.frame);
        return brush.style() == Qt::SolidPattern && brush.color().alpha() == 255;
    }();
    const bool wholeOffset = offset.x() == std::round(offset.x()) && offset.y() == std::round(offset.y());
    auto paintImage = [&](const QRect& pixels, const QImage& image, const PaintedShadow* made) {
        painter.save();
        painter.resetTransform();
        const QPointF at(pixels.left() + offset.x(), pixels.top() + offset.y());
        const std::optional<detail::RasterTarget> target = detail::RasterTarget::of(painter);
        if (target && image.format() == QImage::Format_ARGB32_Premultiplied && at.x() == std::round(at.x()) &&
            at.y() == std::round(at.y())) {
            const std::uint32_t alpha = std::uint32_t(std::lround(std::clamp(opacity, 0.0, 1.0) * 255));
            if (!made)
                target->blendImage(image, at.toPoint(), alpha);
            else if (opaqueFill && made->hollow && made->hollowedAt == offset.toPoint())
                target->blendImage(image, at.toPoint(), alpha, *made->hollow);
            else
                target->blendImage(image, at.toPoint(), alpha, made->runs);
        } else {
            painter.setOpacity(opacity);
            painter.drawImage(at, image);
        }
        painter.restore();
    };
    const QTransform itemToDevice = item.transform.toQTransform() * world;
    const bool keep = item.kind == DisplayItem::Kind::fill || item.kind == DisplayItem::Kind::stroke;
    std::vector<PaintedShadow>& kept = paintedShadows();
    if (keep)
        for (std::size_t i = 0; i < kept.size(); ++i)
            if (kept[i].isFor(item, itemToDevice, sigma, shadow.color)) {
                std::rotate(kept.begin(), kept.begin() + std::ptrdiff_t(i), kept.begin() + std::ptrdiff_t(i) + 1);
                paintImage(kept.front().pixels, kept.front().image, &kept.front());
                return;
            }

    const double margin = std::ceil(3 * sigma + 2);
    const Rect hb = item.hostBounds();
    if (hb.isNull())
        return;
    const QRect pixels = world.mapRect(QRectF(hb.minX(), hb.minY(), hb.width(), hb.height()))
                             .adjusted(-margin, -margin, margin, margin)
                             .toAlignedRect();
    if (pixels.isEmpty() || pixels.width() > 8192 || pixels.height() > 8192)
        return;
    QImage image(pixels.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
        p.setTransform(itemToDevice * QTransform::fromTranslate(-pixels.left(), -pixels.top()));
        drawGeometry(p, item); // its alpha is the coverage the shadow follows
    }
    if (!keep) {
        blurAlpha(image, sigma, qPremultiply(shadow.color.toQColor().rgba64()).toArgb32());
        paintImage(pixels, image, nullptr);
        return;
    }
    // The pixels the item covers whole, from its coverage before the blur.
    std::vector<bool> whole;
    if (opaqueFill && wholeOffset) {
        whole.resize(std::size_t(image.width()) * std::size_t(image.height()));
        for (int y = 0; y < image.height(); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x)
                whole[std::size_t(y) * std::size_t(image.width()) + std::size_t(x)] = qAlpha(line[x]) == 255;
        }
    }
    blurAlpha(image, sigma, qPremultiply(shadow.color.toQColor().rgba64()).toArgb32());
    PaintedShadow made{item.kind,    item.path, item.paint,   item.fillStyle, item.strokeStyle, item.frame,
                       itemToDevice, sigma,     shadow.color, pixels,         std::move(image)};
    made.runs = detail::ImageRuns::of(made.image, [](int, int, std::uint32_t pixel) { return pixel != 0; });
    if (!whole.empty()) {
        // Shadow pixel (x, y) lies over the item's pixel (x, y) + offset.
        const QPoint by = offset.toPoint();
        const int w = made.image.width(), h = made.image.height();
        made.hollow = detail::ImageRuns::of(made.image, [&](int x, int y, std::uint32_t pixel) {
            const int ix = x + by.x(), iy = y + by.y();
            const bool under = ix >= 0 && iy >= 0 && ix < w && iy < h &&
                               whole[std::size_t(iy) * std::size_t(w) + std::size_t(ix)];
            return pixel != 0 && !under;
        });
        made.hollowedAt = by;
    }
    paintImage(made.pixels, made.image, &made);
    kept.insert(kept.begin(), std::move(made));
    if (kept.size() > keptShadows)
        kept.pop_back();
}

// The outline on the device of the one clip clipsCutting kept last, when it
// is convex and antialiased; empty otherwise.
std::vector<Point>& soleClipOutline()
{
    thread_local std::vector<Point> outline;
    return outline;
}

// The clips of `item` (whose host coordinates `base` maps to the device)
// that cut something of it: a convex, antialiased clip that holds the
// item's box, a pixel round, cuts nothing. A shadow, drawn beyond the item,
// keeps every clip.
const std::vector<const DisplayClip*>& clipsCutting(const DisplayItem& item, const QTransform& base)
{
    thread_local std::vector<const DisplayClip*> cutting;
    thread_local std::vector<Point> outline;
    cutting.clear();
    soleClipOutline().clear();
    if (item.clips.empty())
        return cutting;
    const Rect host = item.hostBounds();
    const QRectF box =
        base.mapRect(QRectF(host.minX(), host.minY(), host.width(), host.height())).adjusted(-1, -1, 1, 1);
    for (const DisplayClip& clip : item.clips) {
        const bool convex = clip.antialiased && !clip.evenOdd &&
                            detail::convexOutline(clip.path, clip.transform.toQTransform() * base, 0.02, outline);
        if (convex && item.shadows.empty() && !host.isNull() && detail::holds(outline, box))
            continue;
        cutting.push_back(&clip);
        if (cutting.size() == 1 && convex)
            soleClipOutline() = outline;
    }
    if (cutting.size() != 1)
        soleClipOutline().clear();
    return cutting;
}

} // namespace

void DisplayList::paint(QPainter& painter) const
{
    // Each item sets the transform, opacity, hints, pen and brush it paints
    // with; the caller's state comes back at the end.
    painter.save();
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    const QTransform base = painter.worldTransform();
    const double baseOpacity = painter.opacity();
    for (const DisplayItem& item : items) {
        if (item.kind == DisplayItem::Kind::hitArea || item.opacity <= 0)
            continue;
        // Nothing to paint in 8-bit colour (a touchable but invisible
        // background), though the item still counts for hit-testing.
        if (baseOpacity * item.effectiveOpacity() < 0.5 / 255)
            continue;
        // Clips that cut nothing of the item are left out, and a plain fill
        // of a convex shape within one convex clip is filled as the part of
        // it within (Qt's clip to a path costs far more than the fill).
        // So is a straight solid line cut by one convex clip (a trend line
        // across the plot).
        const std::vector<const DisplayClip*>& clips = clipsCutting(item, base);
        const bool fill = item.kind == DisplayItem::Kind::fill && item.fillStyle.antialiased;
        if (clips.size() == 1 && (fill || item.kind == DisplayItem::Kind::stroke) && item.shadows.empty()) {
            painter.setRenderHint(QPainter::Antialiasing, true);
            painter.setTransform(item.transform.toQTransform() * base);
            painter.setOpacity(baseOpacity * item.opacity);
            const QBrush brush = toQBrush(item.paint, item.frame);
            if (fill ? detail::fillAsConvexWithin(painter, pixelAligned(item.path, painter.deviceTransform()),
                                                  soleClipOutline(), brush)
                     : detail::strokeSegmentAsConvexWithin(painter, item.path, item.strokeStyle, soleClipOutline(),
                                                           brush))
                continue;
        }
        // The painter's state is saved only around what changes more than
        // the transform and opacity set for every item.
        const bool saved = !clips.empty() || !item.shadows.empty();
        if (saved)
            painter.save();
        for (const DisplayClip* clip : clips) {
            painter.setTransform(clip->transform.toQTransform() * base);
            painter.setRenderHint(QPainter::Antialiasing, clip->antialiased);
            painter.setClipPath(clip->path.toQPainterPath(clip->evenOdd), Qt::IntersectClip);
        }
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.setTransform(base);
        for (const DisplayShadow& shadow : item.shadows)
            drawShadow(painter, item, shadow, baseOpacity * item.opacity);
        painter.setTransform(item.transform.toQTransform() * base);
        painter.setOpacity(baseOpacity * item.opacity);
        drawGeometry(painter, item);
        if (saved)
            painter.restore();
    }
    painter.restore();
}

} // namespace kit
