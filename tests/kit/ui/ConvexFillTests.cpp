// Convex shapes filled straight into the pixels, each pixel at the area the
// shape covers of it: what Qt's antialiased fill gives within a level or
// two, wherever the shape lies against the image's edges, and only for the
// shapes and painters where that holds.

#include "FillTests.h"
#include "UiTest.h"
#include "Wedge.h"

#include "kit/ui/raster/ConvexFill.h"

#include <QBrush>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QTransform>

#include <cmath>
#include <limits>
#include <map>
#include <numbers>
#include <utility>
#include <vector>

using namespace kit;
using kit::detail::convexOutline;
using kit::detail::fillAsConvex;
using kit::detail::forEachCoveredRow;
using kit::fills::backdrop;
using kit::fills::polygon;

namespace {

// The coverage of each pixel the polygon covers, by (x, y).
std::map<std::pair<int, int>, int> coverageOf(const std::vector<Point>& polygon, const QRect& area)
{
    std::map<std::pair<int, int>, int> covered;
    forEachCoveredRow(polygon, area, [&](int y, int from, const std::uint8_t* coverage, int count) {
        for (int i = 0; i < count; ++i)
            if (coverage[i] != 0)
                covered[{from + i, y}] = coverage[i];
    });
    return covered;
}

// The same fill by Qt and here, on the same backdrop; false when it is not
// taken here. Qt is given the outline as flattened here, since its own
// flattening of curves strays further (up to a quarter of a pixel); its
// corners on a 64th of a pixel make a level or two.
bool fillBoth(const Path& path, const QColor& colour, const QTransform& transform, double opacity, QImage& byQt,
              QImage& byUs)
{
    byQt = backdrop();
    byUs = byQt.copy();
    std::vector<Point> fine;
    if (!convexOutline(path, transform, 0.02, fine))
        return false;
    QPolygonF outline;
    for (Point p : fine)
        outline << QPointF(p.x, p.y);
    {
        QPainter painter(&byQt);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setOpacity(opacity);
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
        painter.drawPolygon(outline);
    }
    QPainter painter(&byUs);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setTransform(transform);
    painter.setOpacity(opacity);
    return fillAsConvex(painter, path, colour);
}

} // namespace

using ConvexFill = UiTest;

// Coverage worked out by hand: a square on half pixels covers a quarter of
// its corner pixels, half of its edge pixels and the whole of the one
// inside; a right triangle cuts its diagonal pixels in half. Either way
// round alike.
TEST_F(ConvexFill, EachPixelTakesTheAreaTheShapeCoversOfIt)
{
    const QRect area(0, 0, 10, 10);
    const std::vector<Point> square{{1.5, 1.5}, {3.5, 1.5}, {3.5, 3.5}, {1.5, 3.5}};
    const auto covered = coverageOf(square, area);
    EXPECT_EQ(covered.size(), 9u);
    for (auto [at, expected] : std::map<std::pair<int, int>, int>{
             {{1, 1}, 64}, {{2, 1}, 128}, {{3, 1}, 64}, {{1, 2}, 128}, {{2, 2}, 255}, {{3, 3}, 64}})
        EXPECT_EQ(covered.at(at), expected) << at.first << ", " << at.second;
    std::vector<Point> reversed(square.rbegin(), square.rend());
    EXPECT_EQ(coverageOf(reversed, area), covered);

    // x + y <= 4 from the origin: whole pixels under the diagonal, half on it.
    const auto triangle = coverageOf({{0, 0}, {4, 0}, {0, 4}}, area);
    EXPECT_EQ(triangle.size(), 10u);
    EXPECT_EQ(triangle.at({0, 0}), 255);
    EXPECT_EQ(triangle.at({1, 1}), 255);
    EXPECT_EQ(triangle.at({2, 1}), 128);
    EXPECT_EQ(triangle.at({3, 0}), 128);
    EXPECT_EQ(triangle.at({1, 2}), 128);
    EXPECT_EQ(triangle.at({0, 3}), 128);
    EXPECT_FALSE(triangle.contains({2, 2}));

    // A sliver within one column: a third of a pixel wide over two rows.
    const auto sliver = coverageOf({{5.2, 1}, {5.5333333333, 1}, {5.5333333333, 3}, {5.2, 3}}, area);
    EXPECT_EQ(sliver, (std::map<std::pair<int, int>, int>{{{5, 1}, 85}, {{5, 2}, 85}}));
}

// Cut by the area on every side: a pixel inside takes what it takes when
// the shape lies wholly inside, and nothing outside the area is reported.
TEST_F(ConvexFill, AShapeReachingPastTheAreaCoversThePixelsInsideAsWhole)
{
    const std::vector<Point> diamond{{5, -4.3}, {14.7, 5}, {5, 14.2}, {-4.6, 5}};
    const auto whole = coverageOf(diamond, QRect(-10, -10, 30, 30));
    const QRect area(0, 0, 10, 10);
    const auto cut = coverageOf(diamond, area);
    ASSERT_FALSE(cut.empty());
    for (const auto& [at, coverage] : cut) {
        EXPECT_TRUE(area.contains(at.first, at.second));
        EXPECT_EQ(coverage, whole.at(at)) << at.first << ", " << at.second;
    }
    for (const auto& [at, coverage] : whole) {
        if (area.contains(at.first, at.second)) {
            EXPECT_TRUE(cut.contains(at));
        }
    }
    EXPECT_TRUE(coverageOf(diamond, QRect(40, 40, 5, 5)).empty());
}

// Pie segments at every angle and size, an ellipse, a turned square, a
// triangle; translucent, under the painter's opacity, moved by parts of a
// pixel, scaled and turned, and reaching past the image: as Qt fills them.
TEST_F(ConvexFill, ConvexShapesLookAsQtFillsThem)
{
    std::vector<fills::FillCase> cases;
    for (int i = 0; i < 12; ++i) {
        const double amount = i % 3 == 0 ? 2.5 : i % 3 == 1 ? 0.1 : 1.0;
        cases.push_back({"wedge", Wedge(i * 0.53, amount).path(Rect(0, 0, 110, 110)),
                         QTransform::fromTranslate(20.3 + i * 0.25, 5.7), QColor(200, 60, 30), 1});
    }
    Path ellipse;
    ellipse.addEllipse(Rect(10.4, 20.1, 120.3, 70.7));
    cases.push_back({"ellipse", ellipse, QTransform(), QColor(30, 120, 200, 140), 1});
    cases.push_back({"turned square", Path::rect(Rect(0, 0, 60, 60)),
                     QTransform().translate(80, 10).rotate(30).scale(1.2, 0.7), QColor(40, 180, 90), 0.6});
    cases.push_back(
        {"thin triangle", polygon({{3.3, 100.2}, {157.9, 2.1}, {150.2, 10.6}}), QTransform(), QColor(0, 0, 0), 1});
    cases.push_back({"past every edge", polygon({{80, -30}, {190, 60}, {80, 150}, {-30, 60}}), QTransform(),
                     QColor(250, 200, 0, 200), 1});
    Wedge small(1.0, 0.8);
    cases.push_back({"half-pixel wedge", small.path(Rect(0, 0, 3, 3)), QTransform::fromTranslate(50.5, 40.25),
                     QColor(255, 0, 255), 1});
    for (const fills::FillCase& c : cases) {
        SCOPED_TRACE(c.name);
        QImage byQt, byUs;
        ASSERT_TRUE(fillBoth(c.path, c.colour, c.transform, c.opacity, byQt, byUs));
        EXPECT_LE(worstDifference(byQt, byUs), 4);
    }
}

// A flattened curve keeps within the flatness of the curve: its corners
// on it, each side's middle at most 0.02 pixels from the curve's point
// halfway between, on any scale (a quarter of a circle and its chord).
TEST_F(ConvexFill, CurvesAreFlattenedWithinAFiftiethOfAPixel)
{
    for (double radius : {2.0, 40.0, 900.0}) {
        SCOPED_TRACE(radius);
        const double k = 0.5523 * radius;
        const Point p0{radius, 0}, p1{radius, k}, p2{k, radius}, p3{0, radius};
        const auto curve = [&](double t) {
            const double u = 1 - t;
            return p0 * (u * u * u) + p1 * (3 * u * u * t) + p2 * (3 * u * t * t) + p3 * (t * t * t);
        };
        Path quarter;
        quarter.move(p0);
        quarter.addCurve(p3, p1, p2);
        std::vector<Point> points;
        ASSERT_TRUE(convexOutline(quarter, QTransform(), 0.02, points));
        const std::size_t n = points.size() - 1;
        EXPECT_GE(n, radius > 100 ? 20u : 1u);
        for (std::size_t i = 0; i < n; ++i) {
            EXPECT_LT(points[i].distance(curve(double(i) / double(n))), 1e-9);
            const Point middle = Point::lerp(points[i], points[i + 1], 0.5);
            EXPECT_LT(middle.distance(curve((i + 0.5) / double(n))), 0.02);
        }
    }
}

// Anything else is left to Qt, having drawn nothing: a shape that is not
// convex, one that goes round twice, two shapes in one path, a gradient, a
// fill without antialiasing, a clip, another way of blending.
TEST_F(ConvexFill, OnlyConvexShapesInPlainColoursIntoAnImage)
{
    std::vector<Point> points;
    const QTransform identity;
    EXPECT_FALSE(convexOutline(polygon({{0, 0}, {10, 0}, {10, 10}, {5, 3}, {0, 10}}), identity, 0.02, points));
    // A five-pointed star drawn in one stroke turns one way at every corner.
    Path star;
    for (int k = 0; k < 5; ++k) {
        const double angle = k * 4 * std::numbers::pi / 5;
        const Point p{50 + 40 * std::sin(angle), 50 - 40 * std::cos(angle)};
        if (k == 0)
            star.move(p);
        else
            star.addLine(p);
    }
    star.closeSubpath();
    EXPECT_FALSE(convexOutline(star, identity, 0.02, points));
    Path two = Path::rect(Rect(0, 0, 5, 5));
    two.addRect(Rect(10, 10, 5, 5));
    EXPECT_FALSE(convexOutline(two, identity, 0.02, points));
    EXPECT_FALSE(convexOutline(polygon({{0, 0}, {10, 0}, {20, 0}}), identity, 0.02, points)); // no area
    QTransform perspective;
    perspective.setMatrix(1, 0, 0.001, 0, 1, 0, 0, 0, 1);
    EXPECT_FALSE(convexOutline(Path::rect(Rect(0, 0, 5, 5)), perspective, 0.02, points));
    EXPECT_FALSE(convexOutline(polygon({{0, 0}, {1e30, 0}, {0, 1e30}}), identity, 0.02, points));
    // Curves bending further than any count of pieces, or by no number at all.
    for (double control : {1e300, std::numeric_limits<double>::quiet_NaN()}) {
        Path far;
        far.move({0, 0});
        far.addCurve({10, 10}, {control, 0}, {0, control});
        far.addQuadCurve({0, 10}, {-control, control});
        far.closeSubpath();
        EXPECT_FALSE(convexOutline(far, identity, 0.02, points));
    }
    EXPECT_TRUE(convexOutline(Wedge(0.3, 3).path(Rect(0, 0, 40, 40)), identity, 0.02, points));
    EXPECT_FALSE(convexOutline(Wedge(0.3, 3.5).path(Rect(0, 0, 40, 40)), identity, 0.02, points));

    const Path square = Path::rect(Rect(2, 2, 20, 20));
    const auto untouched = [&](auto prepare, const QBrush& brush) {
        return fills::leftToQt(prepare, [&](QPainter& painter) { return fillAsConvex(painter, square, brush); });
    };
    QLinearGradient gradient(0, 0, 20, 0);
    gradient.setColorAt(0, Qt::red);
    gradient.setColorAt(1, Qt::blue);
    EXPECT_TRUE(untouched([](QPainter&) {}, QBrush(gradient)));
    EXPECT_TRUE(untouched([](QPainter& p) { p.setRenderHint(QPainter::Antialiasing, false); }, QBrush(Qt::red)));
    EXPECT_TRUE(untouched([](QPainter& p) { p.setClipRect(0, 0, 10, 10); }, QBrush(Qt::red)));
    EXPECT_TRUE(
        untouched([](QPainter& p) { p.setCompositionMode(QPainter::CompositionMode_Multiply); }, QBrush(Qt::red)));
    EXPECT_TRUE(untouched([](QPainter& p) { p.translate(0.5, 0); }, QBrush(Qt::red)) == false);
}

// One straight solid segment is stroked as the shape its pen covers: a
// rectangle with butt caps, one reaching half the width further with square
// caps, with half discs at its ends with round ones, each as Qt strokes it
// within a few levels, on any turn of the painter. Anything else (a
// dashed line, a second segment, a curve, a point) is left to Qt.
TEST_F(ConvexFill, AStraightSegmentIsStrokedAsTheShapeItsPenCovers)
{
    using kit::detail::strokeSegmentAsConvex;
    Path diagonal;
    diagonal.move({12.3, 100.6});
    diagonal.addLine({148.2, 9.1});
    Path level;
    level.move({20.5, 60.25});
    level.addLine({60.5, 60.25});
    for (const Path* path : {&diagonal, &level})
        for (LineCap cap : {LineCap::butt, LineCap::square, LineCap::round})
            for (const QTransform& transform :
                 {QTransform(), QTransform().translate(80, 0).rotate(20).scale(0.8, 1.1)}) {
                SCOPED_TRACE(::testing::Message() << "cap " << int(cap) << ", turned " << !transform.isIdentity());
                const StrokeStyle style{.lineWidth = 5, .lineCap = cap};
                const QColor colour(30, 90, 200);
                QImage byQt = backdrop(), byUs = byQt.copy();
                {
                    QPainter painter(&byQt);
                    painter.setRenderHint(QPainter::Antialiasing);
                    painter.setTransform(transform);
                    painter.strokePath(path->toQPainterPath(), style.toQPen(QBrush(colour)));
                }
                QPainter painter(&byUs);
                painter.setRenderHint(QPainter::Antialiasing);
                painter.setTransform(transform);
                ASSERT_TRUE(strokeSegmentAsConvex(painter, *path, style, QBrush(colour)));
                painter.end();
                // Qt samples coverage to a few levels and flattens its
                // round caps a little differently.
                EXPECT_LE(worstDifference(byQt, byUs), 8);
            }

    QImage image = backdrop();
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QBrush brush(QColor(30, 90, 200));
    EXPECT_FALSE(strokeSegmentAsConvex(painter, diagonal, StrokeStyle{.lineWidth = 5, .dash = {4, 2}}, brush));
    Path bent = diagonal;
    bent.addLine({150, 110});
    EXPECT_FALSE(strokeSegmentAsConvex(painter, bent, StrokeStyle{.lineWidth = 5}, brush));
    Path point;
    point.move({40, 40});
    point.addLine({40, 40});
    EXPECT_FALSE(strokeSegmentAsConvex(painter, point, StrokeStyle{.lineWidth = 5, .lineCap = LineCap::round}, brush));
    EXPECT_FALSE(strokeSegmentAsConvex(painter, diagonal, StrokeStyle{.lineWidth = 0}, brush));
}

// A straight solid segment cut by a convex clip (a trend line across a
// plot) is stroked as the part of its pen's shape within the clip: what Qt
// shows stroking it under the antialiased clip, wherever the clip's sides
// cut it (a frame on whole pixels, which Qt clips to as a rectangle, and a
// slanted triangle), and nothing where the clip and the line do not meet. A dashed line or a bent one is left to
// Qt, having drawn nothing.
TEST_F(ConvexFill, AStraightSegmentWithinAConvexClipIsStrokedAsTheShapeItsPenCoversThere)
{
    using kit::detail::strokeSegmentAsConvexWithin;
    Path diagonal;
    diagonal.move({-20.3, 130.6});
    diagonal.addLine({178.2, -9.1});
    const std::vector<std::vector<Point>> clips = {
        {{20, 10}, {140, 10}, {140, 101}, {20, 101}}, // a plot's frame
        {{60, 5}, {150, 40}, {110, 115}},             // a slanted triangle
        {{0, 0}, {10, 0}, {10, 10}, {0, 10}},         // away from the line
    };
    const QColor colour(200, 40, 90);
    for (std::size_t k = 0; k < clips.size(); ++k)
        for (LineCap cap : {LineCap::butt, LineCap::round}) {
            SCOPED_TRACE(::testing::Message() << "clip " << k << ", cap " << int(cap));
            const StrokeStyle style{.lineWidth = 3, .lineCap = cap};
            QImage byQt = backdrop(), byUs = byQt.copy();
            {
                QPainter painter(&byQt);
                painter.setRenderHint(QPainter::Antialiasing);
                QPolygonF corners;
                for (const Point& p : clips[k])
                    corners << QPointF(p.x, p.y);
                QPainterPath clip;
                clip.addPolygon(corners);
                clip.closeSubpath();
                painter.setClipPath(clip);
                painter.strokePath(diagonal.toQPainterPath(), style.toQPen(QBrush(colour)));
            }
            QPainter painter(&byUs);
            painter.setRenderHint(QPainter::Antialiasing);
            ASSERT_TRUE(strokeSegmentAsConvexWithin(painter, diagonal, style, clips[k], QBrush(colour)));
            painter.end();
            // Qt samples coverage to a few levels, flattens round caps a
            // little differently and cuts them a level or two apart.
            EXPECT_LE(worstDifference(byQt, byUs), 10);
            if (k == 2) {
                EXPECT_EQ(byUs, backdrop());
            }
        }

    QImage image = backdrop();
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QBrush brush(colour);
    EXPECT_FALSE(
        strokeSegmentAsConvexWithin(painter, diagonal, StrokeStyle{.lineWidth = 3, .dash = {4, 2}}, clips[0], brush));
    Path bent = diagonal;
    bent.addLine({150, 110});
    EXPECT_FALSE(strokeSegmentAsConvexWithin(painter, bent, StrokeStyle{.lineWidth = 3}, clips[0], brush));
    painter.end();
    EXPECT_EQ(image, backdrop());
}
