#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QRgb>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

class QPainter;

namespace kit::detail {

// Runs of an image's pixels, row by row: those of row y are
// spans[rowStart[y]] up to spans[rowStart[y + 1]], each the columns
// [first, second) of the image.
struct ImageRuns {
    std::vector<std::uint32_t> rowStart;
    std::vector<std::pair<int, int>> spans;

    // The runs of the pixels of `image` (32-bit) for which `keep(x, y, pixel)` holds.
    template <class Keep>
    static ImageRuns of(const QImage& image, Keep keep)
    {
        ImageRuns runs;
        const int width = image.width(), height = image.height();
        runs.rowStart.reserve(std::size_t(height) + 1);
        for (int y = 0; y < height; ++y) {
            runs.rowStart.push_back(std::uint32_t(runs.spans.size()));
            const auto* line = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
            for (int x = 0; x < width;) {
                while (x < width && !keep(x, y, line[x]))
                    ++x;
                const int first = x;
                while (x < width && keep(x, y, line[x]))
                    ++x;
                if (x > first)
                    runs.spans.emplace_back(first, x);
            }
        }
        runs.rowStart.push_back(std::uint32_t(runs.spans.size()));
        return runs;
    }
};

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
    // The same for only the pixels of `runs` (of the image's rows): the
    // rest would leave the target as it is, or be painted over at once.
    void blendImage(const QImage& image, QPoint at, std::uint32_t opacity, const ImageRuns& runs) const;

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
    // A run of fewer than four (a column or two at a bar's edge, row by row)
    // is blended pixel by pixel here, the rest four pixels at a time.
    static void blendRow(std::uint32_t* pixels, int count, std::uint32_t colour)
    {
        if (count >= 4) {
            blendWideRow(pixels, count, colour);
            return;
        }
        const std::uint32_t rest = 255 - (colour >> 24);
        for (int i = 0; i < count; ++i)
            pixels[i] = rest == 0 ? colour : colour + scaled(pixels[i], rest);
    }
    static void blendPixel(std::uint32_t& pixel, std::uint32_t colour)
    {
        pixel = colour + scaled(pixel, 255 - (colour >> 24));
    }
    // Source-over on a run of pixels of `colour` at each pixel's coverage
    // (0 ... 255), and of a premultiplied colour of each pixel's own: the
    // same as blendPixel(pixels[i], scaled(colour, coverage[i])) and
    // blendPixel(pixels[i], sources[i]) pixel by pixel.
    static void blendCovered(std::uint32_t* pixels, int count, std::uint32_t colour, const std::uint8_t* coverage);
    static void blendPixels(std::uint32_t* pixels, const std::uint32_t* sources, int count);

    // The image's pixels in device pixels.
    QRect area() const { return image_->rect().translated(-offset_); }

    // `row(pixels, x, y, count)` for each run of the pixels of `rect` (device
    // pixels) inside the image and the clip, its first at device (x, y).
    template <class Row>
    void forEachRow(const QRect& rect, Row row) const;

private:
    static void blendWideRow(std::uint32_t* pixels, int count, std::uint32_t colour);

    RasterTarget(QImage& image, QPoint offset, QRegion clip)
        : image_(&image), offset_(offset), clip_(std::move(clip)), bits_(const_cast<uchar*>(image.constBits())),
          stride_(image.bytesPerLine()), width_(image.width()), height_(image.height()),
          clipRects_(clip_.isEmpty() ? 0 : clip_.rectCount()), clipBox_(clip_.boundingRect())
    {
        // The image is detached (see of()): its bits are written in place.
    }

    QImage* image_;
    QPoint offset_;
    QRegion clip_; // in the image's pixels; empty: the whole image
    // What every run asks of the image and the clip, read once: a fill
    // reaches forEachRow once for each run of its rows.
    uchar* bits_;
    qsizetype stride_;
    int width_, height_;
    int clipRects_;
    QRect clipBox_;
};

template <class Row>
void RasterTarget::forEachRow(const QRect& rect, Row row) const
{
    if (rect.isEmpty())
        return;
    // The rectangle in the image's pixels, within the image (and within a
    // clip of one rectangle), as [left, right) × [top, bottom).
    int left = std::max(rect.left() + offset_.x(), 0), right = std::min(rect.right() + 1 + offset_.x(), width_);
    int top = std::max(rect.top() + offset_.y(), 0), bottom = std::min(rect.bottom() + 1 + offset_.y(), height_);
    if (clipRects_ == 1) { // a paint event's one rectangle: no region made
        left = std::max(left, clipBox_.left());
        right = std::min(right, clipBox_.right() + 1);
        top = std::max(top, clipBox_.top());
        bottom = std::min(bottom, clipBox_.bottom() + 1);
    }
    if (left >= right || top >= bottom)
        return;
    const auto runs = [&](int l, int t, int r, int b) {
        for (int y = t; y < b; ++y)
            row(reinterpret_cast<std::uint32_t*>(bits_ + y * stride_) + l, l - offset_.x(), y - offset_.y(), r - l);
    };
    if (clipRects_ <= 1) {
        runs(left, top, right, bottom);
        return;
    }
    for (const QRect& part : clip_.intersected(QRect(left, top, right - left, bottom - top)))
        runs(part.left(), part.top(), part.right() + 1, part.bottom() + 1);
}

} // namespace kit::detail
