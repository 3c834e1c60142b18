#include "kit/ui/raster/RasterTarget.h"

#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kit::detail {

#if defined(__SSE2__)
namespace {

// Two pixels at a time, each channel in 16 bits: the products of a byte and
// an alpha stay within them, and so does Qt's rounding of their quotient by
// 255, (t + t / 256 + 128) / 256, which is what RasterTarget::scaled does
// byte by byte.
__m128i times(__m128i channels, __m128i alphas)
{
    __m128i t = _mm_mullo_epi16(channels, alphas);
    t = _mm_add_epi16(_mm_add_epi16(t, _mm_srli_epi16(t, 8)), _mm_set1_epi16(0x80));
    return _mm_srli_epi16(t, 8);
}

// Each pixel's alpha in all four of its channels.
__m128i alphasOf(__m128i channels)
{
    return _mm_shufflehi_epi16(_mm_shufflelo_epi16(channels, _MM_SHUFFLE(3, 3, 3, 3)), _MM_SHUFFLE(3, 3, 3, 3));
}

// Source-over of two premultiplied sources on two pixels, in 16-bit
// channels: the sum stays within a byte for premultiplied sources.
__m128i over(__m128i pixels, __m128i sources)
{
    const __m128i rest = _mm_sub_epi16(_mm_set1_epi16(255), alphasOf(sources));
    return _mm_add_epi16(sources, times(pixels, rest));
}

} // namespace
#endif

void RasterTarget::blendWideRow(std::uint32_t* pixels, int count, std::uint32_t colour)
{
    const std::uint32_t alpha = colour >> 24;
    int i = 0;
#if defined(__SSE2__)
    if (alpha == 255) {
        const __m128i four = _mm_set1_epi32(int(colour));
        for (; i + 4 <= count; i += 4)
            _mm_storeu_si128(reinterpret_cast<__m128i*>(pixels + i), four);
    } else if (colour != 0) {
        const __m128i zero = _mm_setzero_si128();
        const __m128i source = _mm_unpacklo_epi8(_mm_set1_epi32(int(colour)), zero);
        const __m128i rest = _mm_set1_epi16(short(255 - alpha));
        for (; i + 4 <= count; i += 4) {
            const __m128i p = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pixels + i));
            const __m128i low = _mm_add_epi16(source, times(_mm_unpacklo_epi8(p, zero), rest));
            const __m128i high = _mm_add_epi16(source, times(_mm_unpackhi_epi8(p, zero), rest));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(pixels + i), _mm_packus_epi16(low, high));
        }
    }
#endif
    if (alpha == 255) {
        for (; i < count; ++i)
            pixels[i] = colour;
        return;
    }
    if (colour == 0)
        return;
    for (; i < count; ++i)
        pixels[i] = colour + scaled(pixels[i], 255 - alpha);
}

void RasterTarget::blendCovered(std::uint32_t* pixels, int count, std::uint32_t colour, const std::uint8_t* coverage)
{
    int i = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    const __m128i source = _mm_unpacklo_epi8(_mm_set1_epi32(int(colour)), zero);
    const __m128i opaque = _mm_set1_epi32(int(colour));
    const bool covers = colour >> 24 == 255;
    for (; i + 4 <= count; i += 4) {
        std::uint32_t four;
        std::memcpy(&four, coverage + i, 4);
        if (four == 0)
            continue;
        if (four == 0xffffffffu && covers) { // inside an opaque shape
            _mm_storeu_si128(reinterpret_cast<__m128i*>(pixels + i), opaque);
            continue;
        }
        // The coverage of pixels i ... i + 3 in the channels of each.
        const __m128i c = _mm_unpacklo_epi8(_mm_cvtsi32_si128(int(four)), zero);
        const __m128i pairs = _mm_unpacklo_epi16(c, c);
        const __m128i p = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pixels + i));
        const __m128i low = over(_mm_unpacklo_epi8(p, zero), times(source, _mm_unpacklo_epi32(pairs, pairs)));
        const __m128i high = over(_mm_unpackhi_epi8(p, zero), times(source, _mm_unpackhi_epi32(pairs, pairs)));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(pixels + i), _mm_packus_epi16(low, high));
    }
#endif
    for (; i < count; ++i)
        if (coverage[i] != 0)
            blendPixel(pixels[i], coverage[i] == 255 ? colour : scaled(colour, coverage[i]));
}

void RasterTarget::blendPixels(std::uint32_t* pixels, const std::uint32_t* sources, int count)
{
    int i = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    for (; i + 4 <= count; i += 4) {
        const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(sources + i));
        const __m128i p = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pixels + i));
        const __m128i low = over(_mm_unpacklo_epi8(p, zero), _mm_unpacklo_epi8(s, zero));
        const __m128i high = over(_mm_unpackhi_epi8(p, zero), _mm_unpackhi_epi8(s, zero));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(pixels + i), _mm_packus_epi16(low, high));
    }
#endif
    for (; i < count; ++i)
        blendPixel(pixels[i], sources[i]);
}

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

void RasterTarget::blendImage(const QImage& image, QPoint at, std::uint32_t opacity, const ImageRuns& runs) const
{
    if (opacity == 0 || runs.rowStart.size() != std::size_t(image.height()) + 1)
        return;
    const QRect placed(at, image.size());
    forEachRow(placed, [&](std::uint32_t* pixels, int x, int y, int count) {
        const int row = y - at.y(), first = x - at.x(), last = first + count;
        const auto* source = reinterpret_cast<const std::uint32_t*>(image.constScanLine(row));
        for (std::uint32_t k = runs.rowStart[std::size_t(row)]; k < runs.rowStart[std::size_t(row) + 1]; ++k) {
            const int begin = std::max(runs.spans[k].first, first), end = std::min(runs.spans[k].second, last);
            std::uint32_t* out = pixels - first;
            if (opacity == 255)
                blendPixels(out + begin, source + begin, end - begin);
            else
                for (int i = begin; i < end; ++i)
                    blendPixel(out[i], scaled(source[i], opacity));
        }
    });
}

} // namespace kit::detail
