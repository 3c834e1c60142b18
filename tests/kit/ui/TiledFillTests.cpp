// Strokes that reach across many pixels are painted as the outline of the
// stroke, filled straight into the image in a plain colour and tile by tile
// in a gradient, and look as Qt's own stroke of them: the same coverage on
// every pixel, within what antialiasing samples, with no seam along the cuts
// and nothing blended twice.

#include "UiTest.h"

#include "kit/ui/raster/TiledFill.h"

#include <QBrush>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <optional>
#include <string>

using namespace kit;

namespace {

// How far apart two images are: the largest difference of a channel, the
// pixels off by more than a few levels, and the summed alpha of each.
struct Difference {
    int worst = 0;
    int off = 0;
    double alphaA = 0, alphaB = 0;
};

Difference compare(const QImage& a, const QImage& b)
{
    Difference d;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            const int c = UiTest::channelDifference(p, q);
            d.worst = std::max(d.worst, c);
            d.off += c > 16 ? 1 : 0;
            d.alphaA += qAlpha(p);
            d.alphaB += qAlpha(q);
        }
    return d;
}

QImage blank()
{
    QImage image(220, 180, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

} // namespace

using TiledFill = UiTest;

// Polylines with round joins, a dashed diagonal, a curve, under a scale and
// in a gradient, opaque and translucent: as Qt strokes them. A
// curve is held to the stroke of a fine polyline along it, which Qt's own
// stroke of the curve misses by more (its offset curves cut inside by up to
// a pixel and its coverage falls short by 2 %).
TEST_F(TiledFill, StrokesLookAsQtStrokesThem)
{
    struct Case {
        const char* what;
        Path path;
        StrokeStyle style;
        QTransform transform;
        std::optional<Path> reference; // stroked with round joins instead of the path
    };
    const Path zigzag([](Path& p) { p.addLines({{10, 160}, {50, 40}, {90, 120}, {130, 20}, {170, 100}, {205, 12}}); });
    const Path diagonal([](Path& p) { p.addLines({{12, 170}, {208, 9.5}}); });
    const Path curve([](Path& p) {
        p.move({15, 150});
        p.addCurve({200, 30}, {40, -40}, {160, 220});
    });
    const Path fineCurve([](Path& p) {
        const Point p0{15, 150}, p1{40, -40}, p2{160, 220}, p3{200, 30};
        std::vector<Point> points;
        for (int k = 0; k <= 2000; ++k) {
            const double u = k / 2000.0, v = 1 - u;
            const double a = v * v * v, b = 3 * v * v * u, c = 3 * v * u * u, d = u * u * u;
            points.push_back({a * p0.x + b * p1.x + c * p2.x + d * p3.x, a * p0.y + b * p1.y + c * p2.y + d * p3.y});
        }
        p.addLines(points);
    });
    const Case cases[] = {
        {"a polyline with round joins",
         zigzag,
         StrokeStyle{.lineWidth = 3, .lineCap = LineCap::round, .lineJoin = LineJoin::round},
         {}},
        {"a polyline with miter joins", zigzag, StrokeStyle{.lineWidth = 2.5}, QTransform::fromTranslate(0.3, 0.45)},
        {"a dashed diagonal", diagonal, StrokeStyle{.lineWidth = 2, .dash = {6, 4}, .dashPhase = 3}, {}},
        {"a curve", curve, StrokeStyle{.lineWidth = 4, .lineCap = LineCap::square}, {}, fineCurve},
        {"a scaled polyline", zigzag, StrokeStyle{.lineWidth = 1.5, .lineJoin = LineJoin::bevel},
         QTransform(0.9, 0, 0, 0.8, 6.2, 9.1)},
    };
    QLinearGradient gradient(0, 0, 200, 160);
    gradient.setColorAt(0, Qt::red);
    gradient.setColorAt(1, Qt::blue);
    const QBrush brushes[] = {QBrush(QColor(128, 0, 255)), QBrush(QColor(20, 140, 60, 128)), QBrush(gradient)};
    for (const Case& c : cases)
        for (const QBrush& brush : brushes)
            for (double opacity : {1.0, 0.6}) {
                SCOPED_TRACE(std::string(c.what) + ", brush " + std::to_string(&brush - brushes) + ", opacity " +
                             std::to_string(opacity));
                // As filled here (straight into the image in a plain
                // colour), tile by tile (the image clipped, so not written
                // straight) and by Qt's own stroke.
                QImage filled = blank(), tiled = blank(), stroked = blank();
                for (QImage* image : {&filled, &tiled, &stroked}) {
                    QPainter painter(image);
                    painter.setRenderHint(QPainter::Antialiasing);
                    if (image == &tiled)
                        painter.setClipRect(image->rect());
                    painter.setTransform(c.transform);
                    painter.setOpacity(opacity);
                    if (image != &stroked) {
                        ASSERT_TRUE(detail::strokeAsOutline(painter, c.path, c.style, brush));
                        EXPECT_EQ(painter.transform(), c.transform) << "the painter's transform comes back";
                    } else if (c.reference) {
                        StrokeStyle round = c.style;
                        round.lineJoin = LineJoin::round;
                        painter.setPen(round.toQPen(brush));
                        painter.drawPath(c.reference->toQPainterPath());
                    } else {
                        painter.setPen(c.style.toQPen(brush));
                        painter.drawPath(c.path.toQPainterPath());
                    }
                }
                // The same outline, by its exact coverage and by Qt's fill.
                EXPECT_LE(compare(filled, tiled).worst, 4);
                const Difference d = compare(tiled, stroked);
                // Qt samples coverage to a few levels and flattens a round
                // join (and the fine polyline along a curve) a little
                // differently; a seam along a cut, a lost tile or a piece
                // blended twice would be off along a whole row or column of
                // pixels and in the summed coverage.
                EXPECT_LE(d.worst, 64);
                EXPECT_LE(d.off, 12);
                EXPECT_NEAR(d.alphaA, d.alphaB, 0.02 * d.alphaB);
                EXPECT_GT(d.alphaB, 0);
            }
}

// Overlapping polygons are filled as one shape by the non-zero rule: where
// two overlap a translucent colour is blended once, and a hole turning the
// other way stays empty.
TEST_F(TiledFill, OverlapsAreFilledOnceAndHolesStayEmpty)
{
    const std::vector<QPolygonF> polygons{
        QPolygonF({{10.5, 10.25}, {150.5, 10.25}, {150.5, 120.75}, {10.5, 120.75}}),
        QPolygonF({{60.3, 40}, {200, 40}, {200, 170.6}, {60.3, 170.6}}),
        QPolygonF({{20, 20}, {20, 60}, {50, 60}, {50, 20}}), // the other way round: a hole
    };
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    for (const QPolygonF& p : polygons) {
        path.addPolygon(p);
        path.closeSubpath();
    }
    const QColor translucent(200, 30, 30, 128);
    QImage tiled = blank(), filled = blank();
    {
        QPainter painter(&tiled);
        painter.setRenderHint(QPainter::Antialiasing);
        detail::fillPolygonsInTiles(painter, polygons, QBrush(translucent));
    }
    {
        QPainter painter(&filled);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.fillPath(path, translucent);
    }
    const Difference d = compare(tiled, filled);
    EXPECT_LE(d.worst, 4);
    EXPECT_EQ(qAlpha(tiled.pixel(100, 80)), 128) << "the overlap, blended once";
    EXPECT_EQ(qAlpha(tiled.pixel(35, 40)), 0) << "the hole";
    EXPECT_EQ(qAlpha(tiled.pixel(73, 73)), 128) << "the pixels about a corner of four tiles";
    EXPECT_EQ(qAlpha(tiled.pixel(74, 74)), 128);
}

// A stroke whose box covers few tiles costs Qt little and is left to it, as
// are a straight solid segment, hairlines and strokes painted without
// antialiasing.
TEST_F(TiledFill, SmallStrokesOfStraightLinesGoStraightIntoThePixels)
{
    // A diamond 3 wide with miter joins, opaque and translucent: as Qt
    // strokes it, within what antialiasing samples.
    const Path diamond([](Path& p) {
        p.addLines({{60, 20}, {90, 50}, {60, 80}, {30, 50}});
        p.closeSubpath();
    });
    const StrokeStyle miter{.lineWidth = 3};
    for (const QColor& colour : {QColor(200, 0, 0), QColor(20, 140, 60, 128)}) {
        QImage filled = blank(), stroked = blank();
        {
            QPainter painter(&filled);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.translate(10.5, 20.25);
            ASSERT_TRUE(detail::strokeSmallAsOutline(painter, diamond, miter, QBrush(colour)));
            EXPECT_EQ(painter.transform(), QTransform::fromTranslate(10.5, 20.25));
        }
        {
            QPainter painter(&stroked);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.translate(10.5, 20.25);
            painter.setPen(miter.toQPen(QBrush(colour)));
            painter.drawPath(diamond.toQPainterPath());
        }
        const Difference d = compare(filled, stroked);
        EXPECT_LE(d.worst, 24);
        EXPECT_NEAR(d.alphaA / d.alphaB, 1, 0.01);
    }

    // Round joins or caps, a curve, a dash, a large stroke, a clip of the
    // painter's own: left to the other ways.
    QImage image = blank();
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const Path curve([](Path& p) {
        p.move({10, 10});
        p.addCurve({50, 50}, {40, 10}, {10, 40});
    });
    const Path large([](Path& p) { p.addLines({{10, 10}, {200, 150}, {10, 170}}); });
    EXPECT_FALSE(detail::strokeSmallAsOutline(painter, diamond,
                                              StrokeStyle{.lineWidth = 3, .lineJoin = LineJoin::round},
                                              QBrush(Qt::black)));
    EXPECT_FALSE(detail::strokeSmallAsOutline(painter, curve, miter, QBrush(Qt::black)));
    EXPECT_FALSE(
        detail::strokeSmallAsOutline(painter, diamond, StrokeStyle{.lineWidth = 3, .dash = {2, 2}}, QBrush(Qt::black)));
    EXPECT_FALSE(detail::strokeSmallAsOutline(painter, large, miter, QBrush(Qt::black)));
    painter.setClipRect(QRect(0, 0, 100, 100));
    EXPECT_FALSE(detail::strokeSmallAsOutline(painter, diamond, miter, QBrush(Qt::black)));
    painter.end();
    EXPECT_EQ(compare(image, blank()).alphaA, 0) << "nothing drawn";
}

TEST_F(TiledFill, SmallStrokesAndHairlinesAreLeftToQt)
{
    QImage image = blank();
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const Path small([](Path& p) { p.addLines({{10, 10}, {40, 50}, {60, 20}}); });
    const Path large([](Path& p) { p.addLines({{10, 10}, {200, 150}}); });
    EXPECT_FALSE(detail::strokeAsOutline(painter, small, StrokeStyle{.lineWidth = 3}, QBrush(Qt::black)));
    EXPECT_FALSE(detail::strokeAsOutline(painter, large, StrokeStyle{.lineWidth = 3, .lineCap = LineCap::square},
                                         QBrush(Qt::black)));
    EXPECT_FALSE(detail::strokeAsOutline(painter, large, StrokeStyle{.lineWidth = 0}, QBrush(Qt::black)));
    painter.setRenderHint(QPainter::Antialiasing, false);
    EXPECT_FALSE(detail::strokeAsOutline(painter, large, StrokeStyle{.lineWidth = 3}, QBrush(Qt::black)));
    painter.end();
    EXPECT_EQ(compare(image, blank()).alphaA, 0) << "nothing drawn";
}

// The outlines of the last few strokes are kept from one frame to the next:
// a stroke painted again as it was looks as it did, and one whose points,
// width, joins or place on the device changed (or one of more strokes than
// are kept, in turn) is outlined anew, as Qt strokes it.
TEST_F(TiledFill, AStrokePaintedAgainIsOutlinedAnewWhereItChanged)
{
    const Path zigzag([](Path& p) { p.addLines({{10, 160}, {50, 40}, {90, 120}, {130, 20}, {170, 100}, {205, 12}}); });
    Path moved = zigzag;
    moved.addLine({210, 170}); // one point more
    const StrokeStyle round{.lineWidth = 3, .lineCap = LineCap::round, .lineJoin = LineJoin::round};
    StrokeStyle wider = round;
    wider.lineWidth = 6;
    StrokeStyle mitred = round;
    mitred.lineJoin = LineJoin::miter;
    struct Frame {
        const Path* path;
        StrokeStyle style;
        QTransform transform;
    };
    const std::vector<Frame> frames = {
        {&zigzag, round, {}},
        {&zigzag, round, {}},
        {&moved, round, {}},
        {&zigzag, wider, {}},
        {&zigzag, mitred, {}},
        {&zigzag, round, QTransform::fromTranslate(0, 3)},
        {&zigzag, round, QTransform(0.9, 0, 0, 0.9, 0, 0)},
        {&zigzag, round, {}},
        {&moved, round, {}},
    };
    const QBrush brush(QColor(128, 0, 255));
    for (std::size_t k = 0; k < frames.size(); ++k) {
        SCOPED_TRACE(k);
        const Frame& f = frames[k];
        QImage filled = blank(), stroked = blank();
        {
            QPainter painter(&filled);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setTransform(f.transform);
            ASSERT_TRUE(detail::strokeAsOutline(painter, *f.path, f.style, brush));
        }
        {
            QPainter painter(&stroked);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setTransform(f.transform);
            painter.setPen(f.style.toQPen(brush));
            painter.drawPath(f.path->toQPainterPath());
        }
        const Difference d = compare(filled, stroked);
        EXPECT_LE(d.worst, 64);
        EXPECT_LE(d.off, 12);
        EXPECT_NEAR(d.alphaA, d.alphaB, 0.02 * d.alphaB);
    }
}
