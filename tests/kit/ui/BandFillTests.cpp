// A dense stroke is filled as the band it covers, straight into the image:
// it looks as Qt's own stroke of it, translucent too, over every pixel it
// reaches from end to end, and is left to the other ways where it cannot be
// written so.

#include "UiTest.h"

#include "kit/ui/raster/BandFill.h"

#include <QBrush>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <string>

using namespace kit;

namespace {

QImage blank()
{
    QImage image(400, 120, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// A wave of 4,000 lines across 380 pixels, each a tenth of a pixel long,
// up and down by 30 with a step of 6 every seventh point, or lying along y.
// Joined by curves whose control points lie halfway along, as a line
// chart's curved line is.
Path wave(bool standing, bool curved = false)
{
    Path p;
    Point last;
    for (int i = 0; i <= 4000; ++i) {
        const double along = 10 + 0.095 * i, across = 55 + 30 * std::sin(i * 0.004) + (i % 7);
        const Point at = standing ? Point{across, along / 4} : Point{along, across};
        if (i == 0)
            p.move(at);
        else if (!curved)
            p.addLine(at);
        else if (standing)
            p.addCurve(at, {last.x, (last.y + at.y) / 2}, {at.x, (last.y + at.y) / 2});
        else
            p.addCurve(at, {(last.x + at.x) / 2, last.y}, {(last.x + at.x) / 2, at.y});
        last = at;
    }
    return p;
}

const StrokeStyle pen{.lineWidth = 3, .lineCap = LineCap::round, .lineJoin = LineJoin::round};

} // namespace

using BandFill = UiTest;

// The largest difference of a premultiplied channel, the pixels off by more
// than `levels`, and the summed alpha of each image.
struct Difference {
    int worst = 0;
    int off = 0;
    double alphaA = 0, alphaB = 0;
};

Difference compare(const QImage& a, const QImage& b, int levels)
{
    Difference d;
    for (int y = 0; y < a.height(); ++y) {
        const auto* p = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* q = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            const int c = std::max({std::abs(qRed(p[x]) - qRed(q[x])), std::abs(qGreen(p[x]) - qGreen(q[x])),
                                    std::abs(qBlue(p[x]) - qBlue(q[x])), std::abs(qAlpha(p[x]) - qAlpha(q[x]))});
            d.worst = std::max(d.worst, c);
            d.off += c > levels ? 1 : 0;
            d.alphaA += qAlpha(p[x]);
            d.alphaB += qAlpha(q[x]);
        }
    }
    return d;
}

// Along either axis, curved, moved, scaled and flipped, opaque and
// translucent: as the outline of the same stroke (denseStrokeOutline)
// filled by Qt, and within the stroke Qt draws itself, whose joins of
// thousands of tiny segments reach a little further than the round pen.
TEST_F(BandFill, DenseStrokesLookAsTheirOutlineFilled)
{
    struct Case {
        const char* what;
        Path path;
        QTransform transform;
        double width;
    };
    const Case cases[] = {
        {"along x", wave(false), {}, 3},
        {"along y, scaled up four times and moved", wave(true), QTransform(4, 0, 0, 4, -150.5, 3.25), 0.75},
        {"upside down", wave(false), QTransform(1, 0, 0, -1, 0, 120), 3},
        {"curved", wave(false, true), {}, 3},
        {"curved along y", wave(true, true), QTransform(4, 0, 0, 4, -150.5, 3.25), 0.75},
    };
    for (const Case& c : cases)
        for (const QColor& colour : {QColor(0, 122, 255), QColor(20, 140, 60, 128)})
            for (double opacity : {1.0, 0.6}) {
                SCOPED_TRACE(std::string(c.what) + ", alpha " + std::to_string(colour.alpha()) + ", opacity " +
                             std::to_string(opacity));
                StrokeStyle style = pen;
                style.lineWidth = c.width;
                const QBrush brush(colour);
                QImage filled = blank(), outlined = blank(), stroked = blank();
                for (QImage* image : {&filled, &outlined, &stroked}) {
                    QPainter painter(image);
                    painter.setRenderHint(QPainter::Antialiasing);
                    painter.setTransform(c.transform);
                    painter.setOpacity(opacity);
                    if (image == &filled) {
                        ASSERT_TRUE(detail::strokeAsBand(painter, c.path, style, brush));
                        EXPECT_EQ(painter.transform(), c.transform) << "the painter's transform comes back";
                    } else if (image == &outlined) {
                        const QTransform d = painter.deviceTransform();
                        const auto outline = denseStrokeOutline(c.path, style,
                                                                {d.m11(), d.m12(), d.m21(), d.m22(), d.dx(), d.dy()});
                        ASSERT_TRUE(outline);
                        for (const Path& piece : *outline)
                            painter.fillPath(piece.toQPainterPath(), brush);
                    } else {
                        painter.setPen(style.toQPen(brush));
                        painter.drawPath(c.path.toQPainterPath());
                    }
                }
                // Qt samples its coverage to a few levels and rounds a
                // translucent colour its own way; a strip left out, blended
                // twice or a cap cut short would be off by far more, and in
                // the summed coverage.
                const Difference d = compare(filled, outlined, 16);
                EXPECT_LE(d.worst, 40);
                EXPECT_LE(d.off, 20);
                EXPECT_NEAR(d.alphaA / d.alphaB, 1, 0.02);
                const Difference q = compare(filled, stroked, 16);
                EXPECT_GT(q.alphaA / q.alphaB, 0.95);
                EXPECT_LE(q.alphaA / q.alphaB, 1);
            }
}

TEST_F(BandFill, FullyCoveredPixelsTakeTheColourAndTheEndsTheirCaps)
{
    // A level line at y = 60 from x = 20 to 380, 10 wide: rows 55 to 64 in
    // the colour from 20 to 380, the round caps reaching to x = 15 and 385.
    Path level;
    level.move({20, 60});
    for (int i = 1; i <= 3600; ++i)
        level.addLine({20 + 0.1 * i, 60});
    QImage image = blank();
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        ASSERT_TRUE(
            detail::strokeAsBand(painter, level,
                                 StrokeStyle{.lineWidth = 10, .lineCap = LineCap::round, .lineJoin = LineJoin::round},
                                 QBrush(QColor(255, 0, 0))));
    }
    for (int x : {20, 200, 379})
        for (int y : {55, 60, 64})
            EXPECT_EQ(image.pixel(x, y), qRgba(255, 0, 0, 255)) << x << ", " << y;
    // Nothing above or below the band, nor before or after its caps.
    for (int x : {14, 200, 386})
        EXPECT_EQ(qAlpha(image.pixel(x, 53)) + qAlpha(image.pixel(x, 66)), 0) << x;
    EXPECT_EQ(qAlpha(image.pixel(14, 60)), 0);
    EXPECT_EQ(qAlpha(image.pixel(385, 60)), 0);
    EXPECT_GT(qAlpha(image.pixel(16, 60)), 200) << "the cap";
    EXPECT_GT(qAlpha(image.pixel(383, 60)), 200) << "the cap";
}

TEST_F(BandFill, OnlyInAPlainColourStraightIntoAnImage)
{
    QLinearGradient gradient(0, 0, 400, 0);
    gradient.setColorAt(0, Qt::red);
    gradient.setColorAt(1, Qt::blue);
    QImage image = blank();
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    EXPECT_FALSE(detail::strokeAsBand(painter, wave(false), pen, QBrush(gradient)));
    painter.setClipRect(QRect(0, 0, 200, 120)); // Qt's own clip: not written straight
    EXPECT_FALSE(detail::strokeAsBand(painter, wave(false), pen, QBrush(Qt::red)));
    painter.setClipping(false);
    painter.setRenderHint(QPainter::Antialiasing, false);
    EXPECT_FALSE(detail::strokeAsBand(painter, wave(false), pen, QBrush(Qt::red)));
    painter.setRenderHint(QPainter::Antialiasing);
    painter.rotate(10);
    EXPECT_FALSE(detail::strokeAsBand(painter, wave(false), pen, QBrush(Qt::red)));
    painter.end();
    EXPECT_EQ(image, blank()) << "nothing drawn";
}
