#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QRgb>

#include <cstdint>
#include <optional>

class QPainter;

namespace kit::detail {

// The pixels a painter paints into, when they can be written straight
// rather than through Qt's fill: an image of 32-bit premultiplied (or
// opaque) pixels behind Qt's raster engine, reached from the painter's
// device coordinates by a whole-pixel translation (a widget's place in its
// window), with normal blending, no clip of the painter's own and at most a
// paint event's region. Qt hands a tall blended fill to its thread pool,
// which on a loaded machine costs far more than the fill; a thin column of
// a bar's edge blended here costs its pixels.
class RasterTarget {
public:
    // The painter's target as it stands (its transform the identity), or
    // none when anything stands in the way.
    static std::optional<RasterTarget> of(QPainter& painter);

    // Blends the premultiplied `colour` over the pixels of `rect` (device
    // pixels) as Qt blends a plain colour with source-over: exactly the
    // pixels QPainter::fillRect(rect, colour) gives.
    void blend(const QRect& rect, QRgb colour) const;
    // The same with a colour of its own for each pixel: `colourAt(x, y)`
    // (premultiplied) at device pixel (x, y), and each row of `rect`
    // (device pixels) one colour when `rowsAlike`.
    template <class ColourAt>
    void blendEach(const QRect& rect, bool rowsAlike, ColourAt colourAt) const
    {
        forEachRow(rect, [&](std::uint32_t* pixels, int x, int y, int count) {
            if (rowsAlike) {
                blendRow(pixels, count, colourAt(x, y));
                return;
            }
            for (int i = 0; i < count; ++i)
                blendPixel(pixels[i], colourAt(x + i, y));
        });
    }

    // Draws `image` (Format_ARGB32_Premultiplied) with its top-left pixel at device pixel
    // `at`, at `opacity` (0 ... 255), as Qt draws an image source-over.
    void blendImage(const QImage& image, QPoint at, std::uint32_t opacity) const;

    // Each byte of `colour` times `alpha` / 255, rounded as Qt rounds it.
    static std::uint32_t scaled(std::uint32_t x, std::uint32_t alpha)
    {
        std::uint32_t t = (x & 0xff00ff) * alpha;
        t = (t + ((t >> 8) & 0xff00ff) + 0x800080) >> 8;
        t &= 0xff00ff;
        x = ((x >> 8) & 0xff00ff) * alpha;
        x = x + ((x >> 8) & 0xff00ff) + 0x800080;
        x &= 0xff00ff00;
        return x | t;
    }
    // Source-over of a premultiplied colour on a run of pixels, and on one.
    static void blendRow(std::uint32_t* pixels, int count, std::uint32_t colour)
    {
        const std::uint32_t alpha = colour >> 24;
        if (alpha == 255) {
            for (int i = 0; i < count; ++i)
                pixels[i] = colour;
            return;
        }
        if (colour == 0)
            return;
        for (int i = 0; i < count; ++i)
            pixels[i] = colour + scaled(pixels[i], 255 - alpha);
    }
    static void blendPixel(std::uint32_t& pixel, std::uint32_t colour)
    {
        pixel = colour + scaled(pixel, 255 - (colour >> 24));
    }

    // The image's pixels in device pixels.
    QRect area() const { return image_->rect().translated(-offset_); }

    // `row(pixels, x, y, count)` for each run of the pixels of `rect` (device
    // pixels) inside the image and the clip, its first at device (x, y).
    template <class Row>
    void forEachRow(const QRect& rect, Row row) const;

private:
    RasterTarget(QImage& image, QPoint offset, QRegion clip) : image_(&image), offset_(offset), clip_(std::move(clip))
    {
    }

    QImage* image_;
    QPoint offset_;
    QRegion clip_; // in the image's pixels; empty: the whole image
};

template <class Row>
void RasterTarget::forEachRow(const QRect& rect, Row row) const
{
    const QRect area = rect.translated(offset_).intersected(image_->rect());
    if (area.isEmpty())
        return;
    uchar* bits = const_cast<uchar*>(image_->constBits()); // detached: written in place
    const qsizetype stride = image_->bytesPerLine();
    const auto runs = [&](const QRect& r) {
        for (int y = r.top(); y <= r.bottom(); ++y)
            row(reinterpret_cast<std::uint32_t*>(bits + y * stride) + r.left(), r.left() - offset_.x(), y - offset_.y(),
                r.width());
    };
    if (clip_.isEmpty()) {
        runs(area);
        return;
    }
    if (clip_.rectCount() == 1) { // a paint event's one rectangle: no region made
        runs(clip_.boundingRect().intersected(area));
        return;
    }
    for (const QRect& part : clip_.intersected(area))
        runs(part);
}

} // namespace kit::detail
