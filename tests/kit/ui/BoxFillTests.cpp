#include "UiTest.h"

#include "kit/ui/raster/BoxFill.h"

#include <QBrush>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <numbers>

using namespace kit;
using kit::detail::boxParts;

namespace {

// A bar of `w` × `h` with its two top corners rounded by `r` (the rounded
// bar's outline, clockwise from the end of the top-left corner).
Path roundedTopBar(double w, double h, double r)
{
    using std::numbers::pi;
    Path p;
    p.move({r, 0});
    p.addLine({w - r, 0});
    p.addArc({w - r, r}, r, -pi / 2, 0, false);
    p.addLine({w, h});
    p.addLine({0, h});
    p.addLine({0, r});
    p.addArc({r, r}, r, pi, 3 * pi / 2, false);
    return p;
}

} // namespace

using BoxFill = UiTest;

// Boxes are cut into a body ending on pixel rows where a cap meets it, and
// caps; what is no box on the device is left whole.
TEST_F(BoxFill, CutsBoxesIntoBodyAndCaps)
{
    struct Case {
        const char* what;
        Path path;
        AffineTransform toDevice;
        Rect body;
        int caps;
    };
    const Case cases[] = {
        // No curves: the body is the rectangle itself, fractional edges and all.
        {"a rectangle", Path::rect(Rect(0.5, 10.25, 1.3, 50)), {}, Rect(0.5, 10.25, 1.3, 50), 0},
        // Corners of radius 1 from y 5.5 to 6.5 and from 24.5 to 25.5: the body
        // runs from row 7 (6.5 rounded down the screen) to row 24.
        {"a rounded rectangle", Path::roundedRect(Rect(0, 0, 4, 20), 1), AffineTransform::translation(10.25, 5.5),
         Rect(10.25, 7, 4, 17), 2},
        // Top corners of radius 0.6 reaching y 3.6 on a bar from 3 to 43: the
        // body starts at row 4 and reaches the bar's foot.
        {"a bar rounded on top", roundedTopBar(1.28, 40, 0.6), AffineTransform::translation(100.16, 3),
         Rect(100.16, 4, 1.28, 39), 1},
        // Scaled by 2: the rectangle 1.25 × 3 covers 2.5 × 6 pixels.
        {"a scaled rectangle", Path::rect(Rect(0, 0, 1.25, 3)), AffineTransform::scale(2, 2), Rect(0, 0, 2.5, 6), 0},
        // A bar 0.128 wide (5,000 across 640 pixels) rounded by 0.064 on
        // top: its corners miss 0.0009 of a pixel each, and it is its box.
        {"a bar narrower than a pixel", roundedTopBar(0.128, 40, 0.064), AffineTransform::translation(100.3, 3.2),
         Rect(100.3, 3.2, 0.128, 40), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto parts = boxParts(c.path, c.toDevice);
        ASSERT_TRUE(parts);
        expectRect(parts->body, c.body);
        ASSERT_EQ(int(parts->caps.size()), c.caps);
    }
    // The rounded bar's cap: the top 1 pixel of the bar, corners included.
    const auto bar = boxParts(roundedTopBar(1.28, 40, 0.6), AffineTransform::translation(100.16, 3));
    ASSERT_TRUE(bar);
    expectRect(bar->caps[0].boundingRect(), Rect(100.16, 3, 1.28, 1));

    struct NotABox {
        const char* what;
        Path path;
        AffineTransform toDevice;
    };
    Path twoRects = Path::rect(Rect(0, 0, 10, 10));
    twoRects.addRect(Rect(20, 0, 10, 10));
    const NotABox others[] = {
        {"a rotated rectangle", Path::rect(Rect(0, 0, 10, 40)), AffineTransform::rotation(0.1)},
        {"an ellipse", Path::ellipse(Rect(0, 0, 10, 40)), {}},
        {"a triangle",
         Path([](Path& p) {
             p.addLines({{0, 0}, {10, 0}, {0, 10}});
         }),
         {}},
        {"two rectangles", twoRects, {}},
        {"a rounded rectangle all corners", Path::roundedRect(Rect(0, 0, 10, 2.5), 1), {}},
        {"an empty path", Path(), {}},
    };
    for (const NotABox& c : others) {
        SCOPED_TRACE(c.what);
        EXPECT_FALSE(boxParts(c.path, c.toDevice));
    }
}

// An edge pixel gets the brush at its coverage: a rectangle from x 0.25 to
// 1.75 covers three quarters of columns 0 and 1; from y 0.5 to 3.5, half of
// rows 0 and 3.
TEST_F(BoxFill, EdgePixelsTakeTheirCoverage)
{
    QImage image(3, 5, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        detail::fillPixelRect(painter, Rect(0.25, 0.5, 1.5, 3), QBrush(Qt::blue));
    }
    auto alpha = [&](int x, int y) { return qAlpha(image.pixel(x, y)); };
    EXPECT_NEAR(alpha(0, 1), 191, 1); // 0.75 × 255
    EXPECT_NEAR(alpha(1, 2), 191, 1);
    EXPECT_NEAR(alpha(0, 0), 96, 1); // 0.75 × 0.5 × 255
    EXPECT_NEAR(alpha(1, 3), 96, 1);
    EXPECT_EQ(alpha(2, 1), 0);
    EXPECT_EQ(alpha(0, 4), 0);
}

// Filled as a box, a rectangle, a rounded rectangle and a rounded bar look as
// Qt's antialiased fill of the whole path makes them, in a plain colour and
// in a gradient, opaque and translucent.
TEST_F(BoxFill, LooksLikeFillingThePath)
{
    struct Case {
        const char* what;
        Path path;
        QTransform transform;
    };
    const Case cases[] = {
        {"a rectangle", Path::rect(Rect(0, 0, 7.4, 30.3)), QTransform::fromTranslate(3.3, 2.6)},
        {"a rounded rectangle", Path::roundedRect(Rect(0, 0, 12, 30), 4), QTransform::fromTranslate(2.5, 1.75)},
        {"a thin rounded bar", roundedTopBar(1.28, 33.3, 0.64), QTransform::fromTranslate(7.1, 3.2)},
        {"a scaled bar", roundedTopBar(5, 12, 2), QTransform(1.5, 0, 0, 2, 1.2, 4.9)},
    };
    QLinearGradient gradient(0, 0, 0, 30);
    gradient.setColorAt(0, Qt::red);
    gradient.setColorAt(1, Qt::blue);
    const QBrush brushes[] = {QBrush(QColor(30, 120, 200)), QBrush(gradient)};
    for (const Case& c : cases)
        for (const QBrush& brush : brushes)
            for (double opacity : {1.0, 0.5}) {
                SCOPED_TRACE(std::string(c.what) + (brush.style() == Qt::SolidPattern ? ", plain" : ", gradient") +
                             ", opacity " + std::to_string(opacity));
                QImage asBox(24, 40, QImage::Format_ARGB32_Premultiplied), asPath = asBox;
                asBox.fill(Qt::transparent);
                asPath.fill(Qt::transparent);
                for (QImage* image : {&asBox, &asPath}) {
                    QPainter painter(image);
                    painter.setRenderHint(QPainter::Antialiasing);
                    painter.setTransform(c.transform);
                    painter.setOpacity(opacity);
                    if (image == &asBox)
                        ASSERT_TRUE(detail::fillAsBox(painter, c.path, brush));
                    else
                        painter.fillPath(c.path.toQPainterPath(), brush);
                }
                int worst = 0, worstX = 0, worstY = 0;
                for (int y = 0; y < asBox.height(); ++y)
                    for (int x = 0; x < asBox.width(); ++x) {
                        const QRgb a = asBox.pixel(x, y), b = asPath.pixel(x, y);
                        const int difference = channelDifference(a, b);
                        if (difference > worst) {
                            worst = difference;
                            worstX = x;
                            worstY = y;
                        }
                    }
                // Qt's rasteriser samples coverage to within a few levels,
                // and flattens a corner's curve more coarsely (to within
                // about a quarter of a pixel) than the caps are flattened
                // when they are written straight into the image; a seam, a
                // gap or a misplaced body would be off by far more.
                EXPECT_LE(worst, 16) << "at " << worstX << ", " << worstY << ": " << std::hex
                                     << asBox.pixel(worstX, worstY) << " against " << asPath.pixel(worstX, worstY);
            }
}

// A straight stroke along an axis with butt or square caps is painted as the
// box it covers, and looks as Qt's stroke of it; any other stroke is left to
// Qt.
TEST_F(BoxFill, StrokesAlongAnAxisArePaintedAsTheirBox)
{
    struct Case {
        const char* what;
        Point from, to;
        StrokeStyle style;
    };
    const Case cases[] = {
        {"a horizontal grid line", {2.3, 10.4}, {21.7, 10.4}, StrokeStyle{.lineWidth = 2}},
        {"a vertical axis, square caps",
         {7.5, 30.2},
         {7.5, 3.1},
         StrokeStyle{.lineWidth = 3, .lineCap = LineCap::square}},
        {"a thin line", {1, 5.5}, {20, 5.5}, StrokeStyle{.lineWidth = 0.5}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Path line([&](Path& p) {
            p.move(c.from);
            p.addLine(c.to);
        });
        QImage asBox(24, 36, QImage::Format_ARGB32_Premultiplied), asStroke = asBox;
        asBox.fill(Qt::transparent);
        asStroke.fill(Qt::transparent);
        {
            QPainter painter(&asBox);
            painter.setRenderHint(QPainter::Antialiasing);
            ASSERT_TRUE(detail::strokeAsBox(painter, line, c.style, QBrush(Qt::darkGreen)));
        }
        {
            QPainter painter(&asStroke);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setPen(c.style.toQPen(QBrush(Qt::darkGreen)));
            painter.drawPath(line.toQPainterPath());
        }
        int worst = 0;
        for (int y = 0; y < asBox.height(); ++y)
            for (int x = 0; x < asBox.width(); ++x)
                worst = std::max(worst, std::abs(qAlpha(asBox.pixel(x, y)) - qAlpha(asStroke.pixel(x, y))));
        EXPECT_LE(worst, 4);
    }

    const Path diagonal([](Path& p) { p.addLines({{0, 0}, {10, 10}}); });
    const Path bent([](Path& p) { p.addLines({{0, 0}, {10, 0}, {10, 10}}); });
    const Path straight([](Path& p) { p.addLines({{0, 0}, {10, 0}}); });
    QImage image(12, 12, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    EXPECT_FALSE(detail::strokeAsBox(painter, diagonal, StrokeStyle{.lineWidth = 2}, QBrush(Qt::black)));
    EXPECT_FALSE(detail::strokeAsBox(painter, bent, StrokeStyle{.lineWidth = 2}, QBrush(Qt::black)));
    EXPECT_FALSE(detail::strokeAsBox(painter, straight, StrokeStyle{.lineWidth = 2, .lineCap = LineCap::round},
                                     QBrush(Qt::black)));
    EXPECT_FALSE(
        detail::strokeAsBox(painter, straight, StrokeStyle{.lineWidth = 2, .dash = {2, 2}}, QBrush(Qt::black)));
    painter.end();
    EXPECT_EQ(image.pixel(5, 0), 0u) << "nothing drawn";
}

// A box's body in a linear gradient is written into the image pixel by
// pixel, its colours looked up along the gradient as Qt does: it matches
// Qt's own antialiased fill of the rectangle within a level or two of
// rounding, whichever way the gradient runs.
TEST_F(BoxFill, AGradientBodyLooksAsQtsFillOfIt)
{
    const struct {
        const char* what;
        QLinearGradient gradient;
    } gradients[] = {
        {"down", QLinearGradient(0, 2, 0, 30)},
        {"across", QLinearGradient(3, 0, 20, 0)},
        {"diagonally", QLinearGradient(2, 3, 22, 33)},
    };
    for (const auto& g : gradients)
        for (double opacity : {1.0, 0.4}) {
            SCOPED_TRACE(std::string(g.what) + ", opacity " + std::to_string(opacity));
            QLinearGradient gradient = g.gradient;
            gradient.setColorAt(0, QColor(255, 0, 0));
            gradient.setColorAt(0.3, QColor(0, 200, 0, 128));
            gradient.setColorAt(1, QColor(0, 0, 255));
            const QBrush brush(gradient);
            const Rect rect(2.3, 3.6, 17.5, 26.2);
            QImage ours(24, 34, QImage::Format_ARGB32_Premultiplied), qts = ours;
            ours.fill(qRgba(10, 20, 30, 255));
            qts.fill(qRgba(10, 20, 30, 255));
            {
                QPainter painter(&ours);
                painter.setOpacity(opacity);
                detail::fillPixelRect(painter, rect, brush);
            }
            {
                QPainter painter(&qts);
                painter.setRenderHint(QPainter::Antialiasing);
                painter.setOpacity(opacity);
                painter.fillRect(QRectF(rect.minX(), rect.minY(), rect.width(), rect.height()), brush);
            }
            const int worst = worstDifference(ours, qts);
            EXPECT_LE(worst, 3);
        }
}
