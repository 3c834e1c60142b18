// Shapes of any outline filled straight into the pixels by the nonzero
// rule: each pixel at the area the shape covers of it, what Qt's
// antialiased fill of the same outline gives within a few levels, for
// shapes that bulge in and out, rings, stars that cross themselves, and
// only for the painters where that holds.

#include "FillTests.h"
#include "UiTest.h"

#include "kit/ui/raster/Flattening.h"
#include "kit/ui/raster/ShapeFill.h"

#include <QBrush>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

using namespace kit;
using kit::detail::fillAsShape;
using kit::fills::backdrop;
using kit::fills::polygon;

namespace {

// `path` mapped by `t` and flattened within a fiftieth of a pixel, as a
// QPainterPath of lines: Qt's own flattening of curves strays up to a
// quarter of a pixel, which would show as tens of levels on the edges.
QPainterPath flattenedForQt(const Path& path, const QTransform& t)
{
    QPainterPath out;
    std::vector<Point> points;
    const auto flush = [&] {
        if (points.empty())
            return;
        out.moveTo(points.front().x, points.front().y);
        for (std::size_t i = 1; i < points.size(); ++i)
            out.lineTo(points[i].x, points[i].y);
        out.closeSubpath();
        points.clear();
    };
    using Type = Path::Element::Type;
    for (const Path::Element& e : path.elements()) {
        switch (e.type) {
        case Type::move:
            flush();
            points.push_back(detail::mappedBy(t, e.point));
            break;
        case Type::line:
            points.push_back(detail::mappedBy(t, e.point));
            break;
        case Type::quadCurve:
            detail::appendQuadratic(points, detail::mappedBy(t, e.control1), detail::mappedBy(t, e.point), 0.02);
            break;
        case Type::curve:
            detail::appendCubic(points, detail::mappedBy(t, e.control1), detail::mappedBy(t, e.control2),
                                detail::mappedBy(t, e.point), 0.02);
            break;
        case Type::closeSubpath:
            break;
        }
    }
    flush();
    out.setFillRule(Qt::WindingFill);
    return out;
}

// The same fill by Qt and here, on the same backdrop; false when it is not
// taken here.
bool fillBoth(const Path& path, const QColor& colour, const QTransform& transform, double opacity, QImage& byQt,
              QImage& byUs)
{
    byQt = backdrop();
    byUs = byQt.copy();
    // A path of lines alone goes to Qt as it is, for Qt to read its
    // subpaths its own way.
    const bool curved = std::any_of(path.elements().begin(), path.elements().end(), [](const Path::Element& e) {
        return e.type == Path::Element::Type::curve || e.type == Path::Element::Type::quadCurve;
    });
    {
        QPainter painter(&byQt);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setOpacity(opacity);
        if (curved) {
            painter.fillPath(flattenedForQt(path, transform), colour);
        } else {
            painter.setTransform(transform);
            painter.fillPath(path.toQPainterPath(false), colour);
        }
    }
    QPainter painter(&byUs);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setTransform(transform);
    painter.setOpacity(opacity);
    return fillAsShape(painter, path, colour);
}

// A closed smooth curve through `n` points on a circle of `radius` about
// `centre`, every other one drawn in to `inner` of it: a blob with dents,
// each side a cubic whose control points follow the neighbours' directions.
Path dentedBlob(Point centre, double radius, double inner, int n)
{
    std::vector<Point> p;
    for (int i = 0; i < n; ++i) {
        const double a = 2 * std::numbers::pi * i / n, r = i % 2 ? radius * inner : radius;
        p.push_back({centre.x + r * std::cos(a), centre.y + r * std::sin(a)});
    }
    Path path;
    path.move(p[0]);
    for (int i = 0; i < n; ++i) {
        const Point before = p[std::size_t((i + n - 1) % n)], from = p[std::size_t(i)],
                    to = p[std::size_t((i + 1) % n)], after = p[std::size_t((i + 2) % n)];
        path.addCurve(to, from + (to - before) * (1.0 / 6), to - (after - from) * (1.0 / 6));
    }
    path.closeSubpath();
    return path;
}

} // namespace

using ShapeFill = UiTest;

// Worked out by hand: an L on half pixels, opaque white on transparent, so
// that each pixel's alpha is the area covered of it. Its corner pixels are a
// quarter covered, its edge pixels half; the pixel in the bend, where the L
// turns in, three quarters (half of it by the arm along the top, a quarter
// by the arm going down).
TEST_F(ShapeFill, EachPixelTakesTheAreaTheShapeCoversOfIt)
{
    const Path l = polygon({{0.5, 0.5}, {3.5, 0.5}, {3.5, 1.5}, {1.5, 1.5}, {1.5, 3.5}, {0.5, 3.5}});
    const int expected[4][5] = {
        {64, 128, 128, 64, 0},
        {128, 191, 128, 64, 0},
        {128, 128, 0, 0, 0},
        {64, 64, 0, 0, 0},
    };
    for (const bool reversed : {false, true}) {
        SCOPED_TRACE(reversed ? "the other way round" : "clockwise");
        QImage image(5, 4, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        Path path = reversed ? polygon({{0.5, 3.5}, {1.5, 3.5}, {1.5, 1.5}, {3.5, 1.5}, {3.5, 0.5}, {0.5, 0.5}}) : l;
        ASSERT_TRUE(fillAsShape(painter, path, QColor(Qt::white)));
        painter.end();
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 5; ++x)
                EXPECT_NEAR(qAlpha(image.pixel(x, y)), expected[y][x], 1) << x << ", " << y;
    }
}

// Blobs with dents (the splash screen's kind), a star that crosses itself
// (its middle wound twice, filled once), a ring whose hole winds the other
// way (open) and one whose inner circle winds the same way (filled);
// translucent, under the painter's opacity,
// turned and scaled, moved by parts of a pixel, and reaching past the
// image's edges: as Qt fills them.
TEST_F(ShapeFill, ShapesOfAnyOutlineLookAsQtFillsThem)
{
    std::vector<fills::FillCase> cases;
    cases.push_back({"dented blob", dentedBlob({80, 60}, 50, 0.6, 8), QTransform(), QColor(30, 120, 200), 1});
    cases.push_back({"translucent blob, moved", dentedBlob({80, 60}, 45, 0.75, 10),
                     QTransform::fromTranslate(0.37, -0.61), QColor(200, 60, 30, 120), 0.3});
    cases.push_back({"turned and scaled blob", dentedBlob({0, 0}, 40, 0.5, 6),
                     QTransform().translate(70, 55).rotate(17).scale(1.6, 0.9), QColor(40, 180, 90), 0.6});
    cases.push_back({"blob past every edge", dentedBlob({80, 60}, 110, 0.7, 12), QTransform(), QColor(250, 200, 0), 1});
    Path star;
    for (int i = 0; i < 5; ++i) {
        const double a = std::numbers::pi * (-0.5 + 0.8 * i);
        const Point corner{80 + 55 * std::cos(a), 62 + 55 * std::sin(a)};
        if (i == 0)
            star.move(corner);
        else
            star.addLine(corner);
    }
    star.closeSubpath();
    cases.push_back({"crossing star", star, QTransform(), QColor(0, 0, 0), 1});
    // Circles of 64 sides about (80.2, 60.1), going round with the angle or against it.
    const auto circle = [](Path& path, double rx, double ry, double way) {
        path.move({80.2 + rx, 60.1});
        for (int i = 1; i <= 64; ++i) {
            const double a = way * 2 * std::numbers::pi * i / 64;
            path.addLine({80.2 + rx * std::cos(a), 60.1 + ry * std::sin(a)});
        }
        path.closeSubpath();
    };
    Path ring, sameWay;
    circle(ring, 60, 50, 1);
    circle(ring, 30, 25, -1);
    circle(sameWay, 60, 50, 1);
    circle(sameWay, 30, 25, 1);
    cases.push_back({"ring", ring, QTransform(), QColor(120, 30, 160, 200), 1});
    cases.push_back({"turned crossing star", star, QTransform().translate(80, 60).rotate(40).translate(-80, -60),
                     QColor(0, 90, 0), 1});
    // Two triangles left open, the second after a move that starts nothing.
    Path open;
    open.move({10.2, 10.7});
    open.addLine({70.4, 15.1});
    open.addLine({30.9, 90.3});
    open.move({500, 500});
    open.move({90.5, 20.25});
    open.addLine({150.1, 110.6});
    open.addLine({85.3, 100.2});
    cases.push_back({"open subpaths", open, QTransform(), QColor(10, 120, 220, 180), 0.8});
    cases.push_back({"circle within a circle, the same way", sameWay, QTransform(), QColor(120, 30, 160), 1});
    for (const fills::FillCase& c : cases) {
        SCOPED_TRACE(c.name);
        QImage byQt, byUs;
        ASSERT_TRUE(fillBoth(c.path, c.colour, c.transform, c.opacity, byQt, byUs));
        EXPECT_LE(worstDifference(byQt, byUs), 4);
    }

    // The ring's hole is open, the circle within the same way filled.
    QImage byQt, byUs;
    ASSERT_TRUE(fillBoth(ring, QColor(Qt::red), QTransform(), 1, byQt, byUs));
    EXPECT_EQ(byUs.pixel(80, 60), backdrop().pixel(80, 60));
    EXPECT_EQ(byUs.pixel(30, 60), qRgb(255, 0, 0));
    ASSERT_TRUE(fillBoth(sameWay, QColor(Qt::red), QTransform(), 1, byQt, byUs));
    EXPECT_EQ(byUs.pixel(80, 60), qRgb(255, 0, 0));
}

// Anything a plain fill into the pixels cannot show as Qt would is left to
// Qt, untouched: a gradient, a painter that does not antialias, one that
// clips or blends otherwise, a perspective, a corner out of reach. A shape
// of nothing but a point and a line covers nothing, and is taken.
TEST_F(ShapeFill, OnlyPlainFillsOfShapesWithinReach)
{
    const Path blob = dentedBlob({40, 40}, 30, 0.6, 8);
    const auto untouched = [&](const Path& path, auto prepare, const QBrush& brush) {
        return fills::leftToQt(prepare, [&](QPainter& painter) { return fillAsShape(painter, path, brush); });
    };
    const auto none = [](QPainter&) {};
    QLinearGradient gradient(0, 0, 20, 0);
    gradient.setColorAt(0, Qt::red);
    gradient.setColorAt(1, Qt::blue);
    EXPECT_TRUE(untouched(blob, none, QBrush(gradient)));
    EXPECT_TRUE(untouched(
        blob, [](QPainter& p) { p.setRenderHint(QPainter::Antialiasing, false); }, QBrush(Qt::red)));
    EXPECT_TRUE(untouched(
        blob, [](QPainter& p) { p.setClipRect(0, 0, 10, 10); }, QBrush(Qt::red)));
    EXPECT_TRUE(untouched(
        blob, [](QPainter& p) { p.setCompositionMode(QPainter::CompositionMode_Multiply); }, QBrush(Qt::red)));
    QTransform perspective;
    perspective.setMatrix(1, 0, 0.001, 0, 1, 0, 0, 0, 1);
    EXPECT_TRUE(untouched(
        blob, [&](QPainter& p) { p.setTransform(perspective); }, QBrush(Qt::red)));
    EXPECT_TRUE(untouched(polygon({{0, 0}, {1e30, 0}, {0, 10}, {5, 5}}), none, QBrush(Qt::red)));
    const double nan = std::nan("");
    Path bent;
    bent.move({10, 10});
    bent.addCurve({50, 50}, {nan, 20}, {30, 1e300});
    bent.addLine({10, 50});
    bent.closeSubpath();
    EXPECT_TRUE(untouched(bent, none, QBrush(Qt::red)));

    // A corner that is not a number, which Qt leaves out, joining the lines
    // around it into one subpath.
    Path joined;
    joined.move({10, 10});
    joined.addLine({60, 10});
    joined.move({nan, nan});
    joined.addLine({60, 60});
    EXPECT_TRUE(untouched(joined, none, QBrush(Qt::red)));

    Path nothing;
    nothing.move({10, 10});
    nothing.move({20, 20});
    nothing.addLine({30, 30});
    QImage image = backdrop();
    const QImage before = image.copy();
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    EXPECT_TRUE(fillAsShape(painter, nothing, QBrush(Qt::red)));
    painter.end();
    EXPECT_EQ(image, before);
}
