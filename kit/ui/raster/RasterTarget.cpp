#include "kit/ui/raster/RasterTarget.h"

#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace kit::detail {

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
    forEachRow(rect, [colour](std::uint32_t* pixels, int, int, int count) { blendRow(pixels, count, colour); });
}

void RasterTarget::blendImage(const QImage& image, QPoint at, std::uint32_t opacity) const
{
    if (opacity == 0)
        return;
    const QRect placed(at, image.size());
    forEachRow(placed, [&](std::uint32_t* pixels, int x, int y, int count) {
        const auto* source = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y - at.y())) + (x - at.x());
        for (int i = 0; i < count; ++i) {
            const std::uint32_t s = opacity == 255 ? source[i] : scaled(source[i], opacity);
            if (s)
                blendPixel(pixels[i], s);
        }
    });
}

} // namespace kit::detail
