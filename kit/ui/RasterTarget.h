#pragma once

#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QRgb>

#include <optional>

class QImage;
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

private:
    RasterTarget(QImage& image, QPoint offset, QRegion clip) : image_(&image), offset_(offset), clip_(std::move(clip))
    {
    }

    QImage* image_;
    QPoint offset_;
    QRegion clip_; // in the image's pixels; empty: the whole image
};

} // namespace kit::detail
