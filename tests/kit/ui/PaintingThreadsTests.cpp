// Painting once no thread can be had: Qt's raster engine hands the pieces of
// a large fill to its thread pool and waits for them; a piece whose thread
// could not be started was waited for forever. Each case runs in a process
// of its own whose user may start no further thread; an alarm ends a
// process that waits for good.

#include "kit/ui/PaintingThreads.h"
#include "kit/ui/UI.h"
#include "tests/support/NoMoreThreads.h"

#include <QImage>
#include <QPainter>
#include <QThreadPool>

#include <gtest/gtest.h>

#include <cstdlib>

#include <unistd.h>

namespace {

using namespace kit;

// Paints what Qt's raster engine cuts into pieces: a translucent rectangle
// and an ellipse in a radial gradient, 600 rows tall, straight and through a
// view. True when every pixel came out as painted.
bool paintLargeFills()
{
    QImage image(600, 600, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.fillRect(image.rect(), QColor(255, 0, 0, 128));
        QRadialGradient gradient(300, 300, 300);
        gradient.setColorAt(0, Qt::blue);
        gradient.setColorAt(1, Qt::green);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setBrush(gradient);
        painter.setPen(Qt::NoPen);
        painter.drawEllipse(QRectF(0, 0, 600, 600));
    }
    const Paint radial = RadialGradient{Gradient(std::vector{Color::rgb(1, 0, 0), Color::rgb(0, 0, 1)}),
                                        UnitPoint::center(), 0, 300};
    const QImage view = renderImage(Ellipse().fill(radial).frame(600, 600), {600, 600});
    // A corner outside the ellipse: white under half red (255, 255 × 127/255, 255 × 127/255);
    // the middle: the gradient's start.
    const QRgb corner = image.pixel(2, 2);
    return qRed(corner) == 255 && std::abs(qGreen(corner) - 127) <= 1 && std::abs(qBlue(corner) - 127) <= 1 &&
           qBlue(image.pixel(300, 300)) > 250 && qRed(view.pixel(300, 300)) > 250 && qAlpha(view.pixel(2, 2)) == 0;
}

TEST(PaintingThreadsDeathTest, LargeFillsArePaintedOnceNoThreadCanBeHadWhenThePoolsThreadsAreHeld)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            ::alarm(120);
            const PaintingThreads threads = holdPaintingThreads(2);
            qmtest::startNoMoreThreads();
            std::_Exit(threads.held == 2 && !threads.lost && QThreadPool::globalInstance()->maxThreadCount() == 2 &&
                               paintLargeFills()
                           ? 0
                           : 1);
        },
        testing::ExitedWithCode(0), "");
}

TEST(PaintingThreadsDeathTest, NoThreadIsHeldNorLostWhenNoneCanBeHad)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            ::alarm(120);
            qmtest::startNoMoreThreads();
            const PaintingThreads threads = holdPaintingThreads(2);
            // The pool has no thread, and was asked for none it could not start.
            std::_Exit(
                threads.held == 0 && !threads.lost && QThreadPool::globalInstance()->activeThreadCount() == 0 ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
}

} // namespace
