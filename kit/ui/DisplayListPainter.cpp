// Painting a display list with QPainter: clips, shadows (the item's coverage
// blurred, tinted and offset) and the item itself, in host coordinates.

#include "kit/ui/DisplayList.h"

#include "kit/base/DenseStroke.h"
#include "kit/ui/BoxFill.h"
#include "kit/ui/Symbols.h"

#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace kit {

namespace {

// The item in the painter's current space.
void drawGeometry(QPainter& painter, const DisplayItem& item)
{
    switch (item.kind) {
    case DisplayItem::Kind::fill: {
        painter.setRenderHint(QPainter::Antialiasing, item.fillStyle.antialiased);
        const QBrush brush = toQBrush(item.paint, item.frame);
        // A bar or other box: its body as rectangles, only its corners as paths.
        if (item.fillStyle.antialiased && detail::fillAsBox(painter, item.path, brush))
            break;
        painter.fillPath(item.path.toQPainterPath(item.fillStyle.eoFill), brush);
        break;
    }
    case DisplayItem::Kind::stroke: {
        // A line of thousands of points is filled as the outline of its
        // stroke, which Qt would otherwise build segment by segment.
        const QTransform d = painter.deviceTransform();
        const QBrush brush = toQBrush(item.paint, item.frame);
        if (auto outline = denseStrokeOutline(item.path, item.strokeStyle,
                                              {d.m11(), d.m12(), d.m21(), d.m22(), d.dx(), d.dy()})) {
            for (const Path& piece : *outline)
                painter.fillPath(piece.toQPainterPath(), brush);
            break;
        }
        // A grid line or an axis: the box it covers.
        if (detail::strokeAsBox(painter, item.path, item.strokeStyle, brush))
            break;
        painter.setBrush(Qt::NoBrush);
        painter.setPen(item.strokeStyle.toQPen(brush));
        painter.drawPath(item.path.toQPainterPath());
        break;
    }
    case DisplayItem::Kind::text: {
        const double dpi = painter.device() ? painter.device()->logicalDpiY() : 96;
        painter.setFont(item.font.toQFont(dpi));
        painter.setPen(item.color.toQColor());
        for (const DisplayTextLine& line : item.lines)
            painter.drawText(QPointF(line.baseline.x, line.baseline.y), QString::fromStdString(line.text));
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
// σ = sigma); the colour is dropped (black, premultiplied).
void blurAlpha(QImage& image, double sigma)
{
    const int radius = sigma > 0.25 ? std::max(1, int(std::lround((std::sqrt(4 * sigma * sigma + 1) - 1) / 2))) : 0;
    const int w = image.width(), h = image.height();
    std::vector<int> alpha(std::size_t(w) * std::size_t(h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            alpha[std::size_t(y) * w + x] = qAlpha(reinterpret_cast<const QRgb*>(image.constScanLine(y))[x]);
    std::vector<int> line(std::size_t(std::max(w, h)));
    auto pass = [&](bool horizontal) {
        const int lines = horizontal ? h : w, length = horizontal ? w : h;
        auto at = [&](int l, int i) -> int& {
            return horizontal ? alpha[std::size_t(l) * w + i] : alpha[std::size_t(i) * w + l];
        };
        for (int l = 0; l < lines; ++l) {
            for (int i = 0; i < length; ++i)
                line[std::size_t(i)] = at(l, i);
            int sum = 0;
            for (int i = 0; i <= radius && i < length; ++i)
                sum += line[std::size_t(i)];
            for (int i = 0; i < length; ++i) {
                at(l, i) = sum / (2 * radius + 1);
                const int out = i - radius, in = i + radius + 1;
                if (out >= 0)
                    sum -= line[std::size_t(out)];
                if (in < length)
                    sum += line[std::size_t(in)];
            }
        }
    };
    if (radius > 0)
        for (int k = 0; k < 3; ++k) {
            pass(true);
            pass(false);
        }
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            reinterpret_cast<QRgb*>(image.scanLine(y))[x] = qRgba(0, 0, 0, alpha[std::size_t(y) * w + x]);
}

// The item's coverage (its own alpha), blurred, tinted and offset, under the item.
void drawShadow(QPainter& painter, const DisplayItem& item, const DisplayShadow& shadow, double opacity)
{
    const QTransform world = painter.worldTransform(); // host to device
    const double sigma = shadow.radius / 2 * std::sqrt(std::abs(world.determinant()));
    const double margin = std::ceil(3 * sigma + 2);
    const Rect hb = item.hostBounds();
    if (hb.isNull())
        return;
    const QRect pixels =
        world.mapRect(QRectF(hb.minX(), hb.minY(), hb.width(), hb.height())).adjusted(-margin, -margin, margin, margin).toAlignedRect();
    if (pixels.isEmpty() || pixels.width() > 8192 || pixels.height() > 8192)
        return;
    QImage image(pixels.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
        p.setTransform(item.transform.toQTransform() * world * QTransform::fromTranslate(-pixels.left(), -pixels.top()));
        drawGeometry(p, item); // its alpha is the coverage the shadow follows

    }
    blurAlpha(image, sigma);
    {
        QPainter p(&image);
        p.setCompositionMode(QPainter::CompositionMode_SourceIn);
        p.fillRect(image.rect(), shadow.color.toQColor());
    }
    const QPointF offset = world.map(QPointF(shadow.offset.x, shadow.offset.y)) - world.map(QPointF(0, 0));
    painter.save();
    painter.resetTransform();
    painter.setOpacity(opacity);
    painter.drawImage(QPointF(pixels.left() + offset.x(), pixels.top() + offset.y()), image);
    painter.restore();
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
        // The painter's state is saved only around what changes more than
        // the transform and opacity set for every item.
        const bool saved = !item.clips.empty() || !item.shadows.empty();
        if (saved)
            painter.save();
        for (const DisplayClip& clip : item.clips) {
            painter.setTransform(clip.transform.toQTransform() * base);
            painter.setRenderHint(QPainter::Antialiasing, clip.antialiased);
            painter.setClipPath(clip.path.toQPainterPath(clip.evenOdd), Qt::IntersectClip);
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
