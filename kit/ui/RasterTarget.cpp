#include "kit/ui/RasterTarget.h"

#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace kit::detail {

namespace {

// x × a / 255 on each of the four bytes of x, rounded as Qt rounds it.
inline std::uint32_t byteMul(std::uint32_t x, std::uint32_t a)
{
    std::uint32_t t = (x & 0xff00ff) * a;
    t = (t + ((t >> 8) & 0xff00ff) + 0x800080) >> 8;
    t &= 0xff00ff;
    x = ((x >> 8) & 0xff00ff) * a;
    x = x + ((x >> 8) & 0xff00ff) + 0x800080;
    x &= 0xff00ff00;
    return x | t;
}

void blendRow(std::uint32_t* pixels, int count, std::uint32_t colour)
{
    const std::uint32_t alpha = qAlpha(colour);
    if (alpha == 255) {
        std::fill_n(pixels, count, colour);
        return;
    }
    if (alpha == 0 && colour == 0)
        return;
    const std::uint32_t rest = 255 - alpha;
    for (int i = 0; i < count; ++i)
        pixels[i] = colour + byteMul(pixels[i], rest);
}

} // namespace

std::optional<RasterTarget> RasterTarget::of(QPainter& painter)
{
    QPaintEngine* engine = painter.isActive() ? painter.paintEngine() : nullptr;
    if (!engine || engine->type() != QPaintEngine::Raster || painter.hasClipping() ||
        painter.compositionMode() != QPainter::CompositionMode_SourceOver)
        return std::nullopt;
    QPaintDevice* device = engine->paintDevice();
    if (!device || device->devType() != QInternal::Image)
        return std::nullopt;
    auto& image = static_cast<QImage&>(*device);
    // Writing into an image shared with another would write into both.
    if (!image.isDetached() ||
        (image.format() != QImage::Format_ARGB32_Premultiplied && image.format() != QImage::Format_RGB32))
        return std::nullopt;
    const QTransform t = painter.deviceTransform();
    if (t.type() > QTransform::TxTranslate || t.dx() != std::round(t.dx()) || t.dy() != std::round(t.dy()))
        return std::nullopt;
    return RasterTarget(image, QPoint(int(t.dx()), int(t.dy())), engine->systemClip());
}

void RasterTarget::blend(const QRect& rect, QRgb colour) const
{
    const QRect area = rect.translated(offset_).intersected(image_->rect());
    if (area.isEmpty())
        return;
    uchar* bits = const_cast<uchar*>(image_->constBits()); // detached: written in place
    const qsizetype stride = image_->bytesPerLine();
    const auto fill = [&](const QRect& r) {
        for (int y = r.top(); y <= r.bottom(); ++y)
            blendRow(reinterpret_cast<std::uint32_t*>(bits + y * stride) + r.left(), r.width(), colour);
    };
    if (clip_.isEmpty()) {
        fill(area);
        return;
    }
    for (const QRect& part : clip_.intersected(area))
        fill(part);
}

} // namespace kit::detail
