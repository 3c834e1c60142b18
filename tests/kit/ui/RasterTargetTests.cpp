// Blending straight into an image's pixels gives exactly what Qt's fill of
// a plain colour gives, and is used only where nothing stands between the
// painter and the pixels.

#include "UiTest.h"

#include "kit/ui/raster/RasterTarget.h"

#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QPixmap>
#include <QRandomGenerator>

#include <cstdint>
#include <vector>

using kit::detail::RasterTarget;

namespace {

// An image of every kind of premultiplied pixel: random colours at random
// alphas, some opaque, some clear.
QImage backdrop(QImage::Format format)
{
    QImage image(40, 30, format);
    QRandomGenerator random(7);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const int a = x % 5 == 0 ? 255 : x % 7 == 0 ? 0 : int(random.bounded(256));
            image.setPixel(x, y,
                           qPremultiply(
                               qRgba(int(random.bounded(256)), int(random.bounded(256)), int(random.bounded(256)), a)));
        }
    return image;
}

} // namespace

using RasterTargetTest = UiTest;

TEST_F(RasterTargetTest, BlendingGivesQtsOwnFillOfAPlainColourPixelForPixel)
{
    const double alphas[] = {0, 1.0 / 255, 0.1, 0.3, 0.5, 0.77, 254.0 / 255, 1};
    // A wide box, and the columns one to three pixels wide of a bar's edges
    // (one running off the image's bottom, one off its right side).
    const QRect rects[] = {QRect(3, 2, 31, 25), QRect(5, 1, 1, 29), QRect(0, 20, 2, 15), QRect(37, 4, 3, 1),
                           QRect(38, 6, 3, 7)};
    for (QImage::Format format : {QImage::Format_ARGB32_Premultiplied, QImage::Format_RGB32})
        for (double alpha : alphas)
            for (const QRect& rect : rects) {
                SCOPED_TRACE(::testing::Message()
                             << "format " << int(format) << ", alpha " << alpha << ", width " << rect.width());
                QColor colour(200, 30, 90);
                colour.setAlphaF(float(alpha));
                QImage byQt = backdrop(format);
                QImage byUs = byQt.copy();
                {
                    QPainter painter(&byQt);
                    painter.fillRect(rect, colour);
                }
                {
                    QPainter painter(&byUs);
                    const auto target = RasterTarget::of(painter);
                    ASSERT_TRUE(target);
                    target->blend(rect, qPremultiply(colour.rgba64()).toArgb32());
                }
                ASSERT_EQ(byUs.size(), byQt.size());
                int differing = 0;
                for (int y = 0; y < byQt.height(); ++y)
                    for (int x = 0; x < byQt.width(); ++x)
                        differing += byQt.pixel(x, y) != byUs.pixel(x, y);
                EXPECT_EQ(differing, 0);
            }
}

TEST_F(RasterTargetTest, OnlyAnImageReachedByAWholePixelTranslationWithNothingBetween)
{
    QImage image(20, 20, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        // Moved by whole pixels: the rectangle lands where the painter's origin lies.
        QPainter painter(&image);
        painter.translate(5, 3);
        const auto target = RasterTarget::of(painter);
        ASSERT_TRUE(target);
        target->blend(QRect(0, 0, 2, 2), 0xff0000ff);
    }
    EXPECT_EQ(image.pixel(5, 3), 0xff0000ffu);
    EXPECT_EQ(image.pixel(6, 4), 0xff0000ffu);
    EXPECT_EQ(image.pixel(4, 3), 0u);
    EXPECT_EQ(image.pixel(7, 3), 0u);
    {
        // Past the image's edges nothing is written.
        QPainter painter(&image);
        RasterTarget::of(painter)->blend(QRect(-5, 18, 40, 10), 0xff00ff00);
    }
    EXPECT_EQ(image.pixel(0, 19), 0xff00ff00u);
    EXPECT_EQ(image.pixel(19, 18), 0xff00ff00u);

    const auto without = [](auto&& arrange) {
        QImage image(20, 20, QImage::Format_ARGB32_Premultiplied);
        QPainter painter(&image);
        arrange(painter);
        return !RasterTarget::of(painter).has_value();
    };
    EXPECT_TRUE(without([](QPainter& p) { p.translate(0.5, 0); })) << "half a pixel";
    EXPECT_TRUE(without([](QPainter& p) { p.scale(2, 2); })) << "scaled";
    EXPECT_TRUE(without([](QPainter& p) { p.setClipRect(0, 0, 5, 5); })) << "clipped";
    EXPECT_TRUE(without([](QPainter& p) { p.setCompositionMode(QPainter::CompositionMode_Multiply); })) << "multiply";
    QImage indexed(20, 20, QImage::Format_RGB888);
    QPainter other(&indexed);
    EXPECT_FALSE(RasterTarget::of(other)) << "24-bit pixels";
    other.end();
    QPainter idle;
    EXPECT_FALSE(RasterTarget::of(idle)) << "not painting";
}

TEST_F(RasterTargetTest, AnImageIsDrawnAsQtDrawsItAtWholePixels)
{
    QImage source = backdrop(QImage::Format_ARGB32_Premultiplied).copy(0, 0, 17, 13);
    for (int opacity : {255, 128, 40}) {
        SCOPED_TRACE(opacity);
        QImage byQt = backdrop(QImage::Format_ARGB32_Premultiplied);
        QImage byUs = byQt.copy();
        {
            QPainter painter(&byQt);
            painter.setOpacity(opacity / 255.0);
            painter.drawImage(QPoint(30, 20), source); // partly past the right and bottom edges
        }
        {
            QPainter painter(&byUs);
            RasterTarget::of(painter)->blendImage(source, QPoint(30, 20), std::uint32_t(opacity));
        }
        const int worst = worstDifference(byQt, byUs);
        EXPECT_LE(worst, opacity == 255 ? 0 : 1);
    }
}

// A run at each pixel's coverage blends each pixel as the plain colour at
// that coverage would: clear pixels left as they were, whole ones the colour.
TEST_F(RasterTargetTest, ARunAtEachPixelsCoverageBlendsEachAsThePlainColourAtIt)
{
    std::vector<std::uint8_t> coverage(37);
    for (std::size_t i = 0; i < coverage.size(); ++i)
        coverage[i] = std::uint8_t(i < 8 ? 255 : i < 12 ? 0 : (i * 53) % 256); // 4 whole, 4 clear at a time too
    for (QColor colour : {QColor(200, 30, 90), QColor(10, 220, 90, 140)}) {
        SCOPED_TRACE(colour.alpha());
        const std::uint32_t premultiplied = qPremultiply(colour.rgba64()).toArgb32();
        QImage byPixel = backdrop(QImage::Format_ARGB32_Premultiplied);
        QImage byRun = byPixel.copy();
        {
            QPainter painter(&byPixel);
            const auto target = RasterTarget::of(painter);
            for (int i = 0; i < int(coverage.size()); ++i)
                target->blend(QRect(1 + i, 5, 1, 1), RasterTarget::scaled(premultiplied, coverage[std::size_t(i)]));
        }
        RasterTarget::blendCovered(reinterpret_cast<std::uint32_t*>(byRun.scanLine(5)) + 1, int(coverage.size()),
                                   premultiplied, coverage.data());
        EXPECT_EQ(worstDifference(byPixel, byRun), 0);
    }
}

// An image drawn only within runs of its pixels: inside them as the whole
// image is drawn, outside them the target as it was.
TEST_F(RasterTargetTest, AnImageDrawnWithinItsRunsLeavesThePixelsBesideThem)
{
    const QImage source = backdrop(QImage::Format_ARGB32_Premultiplied).copy(0, 0, 17, 13);
    // The pixels of the left half of each row, and of its last three columns.
    const auto within = [](int x, int, std::uint32_t) { return x < 8 || x >= 14; };
    const kit::detail::ImageRuns runs = kit::detail::ImageRuns::of(source, within);
    ASSERT_EQ(runs.rowStart.size(), 14u);
    EXPECT_EQ(runs.spans.size(), 26u) << "two runs a row";
    for (int opacity : {255, 90}) {
        SCOPED_TRACE(opacity);
        const QImage before = backdrop(QImage::Format_ARGB32_Premultiplied);
        QImage whole = before.copy(), inRuns = before.copy();
        {
            QPainter painter(&whole);
            RasterTarget::of(painter)->blendImage(source, QPoint(30, 20), std::uint32_t(opacity));
        }
        {
            QPainter painter(&inRuns);
            RasterTarget::of(painter)->blendImage(source, QPoint(30, 20), std::uint32_t(opacity), runs);
        }
        for (int y = 0; y < before.height(); ++y)
            for (int x = 0; x < before.width(); ++x) {
                const bool drawn = x >= 30 && y >= 20 && y < 33 && within(x - 30, y - 20, 0);
                ASSERT_EQ(inRuns.pixel(x, y), (drawn ? whole : before).pixel(x, y)) << x << ", " << y;
            }
    }
}

// A paint event's region (the engine's system clip), of one rectangle or of
// several, bounds what is written.
TEST_F(RasterTargetTest, WritesOnlyWithinThePaintRegion)
{
    const QRegion oneRect(QRect(2, 2, 4, 4));
    const QRegion twoRects = QRegion(QRect(0, 0, 3, 3)) + QRegion(QRect(6, 6, 3, 3));
    for (const QRegion& region : {oneRect, twoRects}) {
        QImage image(10, 10, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        image.paintEngine()->setSystemClip(region);
        {
            QPainter painter(&image);
            const auto target = RasterTarget::of(painter);
            ASSERT_TRUE(target);
            target->blend(QRect(1, 1, 7, 7), 0xff00ff00);
        }
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 10; ++x) {
                const bool inside = QRect(1, 1, 7, 7).contains(x, y) && region.contains(QPoint(x, y));
                EXPECT_EQ(image.pixel(x, y), inside ? 0xff00ff00u : 0u) << x << ", " << y;
            }
    }
}
