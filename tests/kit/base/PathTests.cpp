// Paths as values: building with and without a current point, shapes and
// arcs, bounds and lengths, trims, shared elements, points at fractions and
// the conversion to Qt.
//
// Sections:
//   building     moves, rects, ellipses, rounded rects, arcs, wedges
//   measuring    tight bounds, lengths
//   trimming     curves split exactly, whole paths, subpaths and closes, whole segments kept
//   sharing      copies, reserved room, repeated trims, trims sharing elements
//   reading      points at fractions, added paths, Qt's paths

#include "kit/base/Path.h"

#include <QPainterPath>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

using namespace kit;
using Type = Path::Element::Type;

namespace {

constexpr double pi = std::numbers::pi;

void expectNear(Point a, Point b, double tolerance = 1e-9)
{
    EXPECT_NEAR(a.x, b.x, tolerance);
    EXPECT_NEAR(a.y, b.y, tolerance);
}

std::vector<Type> types(const Path& p)
{
    std::vector<Type> t;
    p.forEach([&](const Path::Element& e) { t.push_back(e.type); });
    return t;
}

// The wedge of a pie segment: centre, then a relative arc.
Path wedge(double start, double delta, double side = 200)
{
    Path p;
    const Point c{side / 2, side / 2};
    p.move(c);
    p.addRelativeArc(c, side / 2, start, delta);
    return p;
}

} // namespace

TEST(Path, DrawingWithoutACurrentPointMoves)
{
    Path p;
    EXPECT_TRUE(p.isEmpty());
    EXPECT_FALSE(p.currentPoint());
    p.addLine({5, 5});
    EXPECT_EQ(types(p), (std::vector{Type::move}));
    p.addLine({10, 5});
    p.closeSubpath();
    EXPECT_EQ(p.currentPoint(), (Point{5, 5})) << "close returns to the subpath start";
    p.addLine({5, 10});
    EXPECT_EQ(types(p), (std::vector{Type::move, Type::line, Type::closeSubpath, Type::line}));

    Path empty;
    empty.closeSubpath();
    EXPECT_TRUE(empty.isEmpty());
}

TEST(Path, RectAndEllipseLayout)
{
    const Path r = Path::rect(Rect(1, 2, 10, 20));
    ASSERT_EQ(r.elements().size(), 5u);
    EXPECT_EQ(r.elements()[0].point, (Point{1, 2}));
    EXPECT_EQ(r.elements()[1].point, (Point{11, 2})) << "clockwise on screen from the top-left";
    EXPECT_EQ(r.elements()[3].point, (Point{1, 22}));

    const Path e = Path::ellipse(Rect(0, 0, 200, 100));
    EXPECT_EQ(types(e),
              (std::vector{Type::move, Type::curve, Type::curve, Type::curve, Type::curve, Type::closeSubpath}));
    EXPECT_EQ(e.elements()[0].point, (Point{200, 50})) << "starts at 3 o'clock";
    EXPECT_EQ(e.elements()[1].point, (Point{100, 100})) << "runs clockwise to 6 o'clock";
    EXPECT_EQ(e.elements()[1].control1, (Point{200, 50 + 0.5522847498307936 * 50}));

    // A circle trimmed to the first quarter runs from 3 o'clock down to 6 o'clock.
    const Path quarter = Path::ellipse(Rect(0, 0, 200, 200)).trimmedPath(0, 0.25);
    expectNear(quarter.elements().front().point, {200, 100}, 1e-6);
    expectNear(*quarter.currentPoint(), {100, 200}, 1e-6);
}

TEST(Path, RoundedRectClampsRadii)
{
    // Radii of 20 on a 10 x 100 bar are drawn as 5.
    const Path bar = Path::roundedRect(Rect(0, 0, 10, 100), 20);
    EXPECT_EQ(bar.elements().front().point, (Point{5, 0}));
    const Rect box = bar.boundingRect();
    EXPECT_NEAR(box.width(), 10, 1e-9);
    EXPECT_NEAR(box.height(), 100, 1e-9);
    EXPECT_TRUE(bar.contains({5, 50}));
    EXPECT_FALSE(bar.contains({0.3, 0.3})) << "the corner is rounded away";
    // A radius of 0 gives square corners.
    EXPECT_TRUE(Path::roundedRect(Rect(0, 0, 10, 100), 0).contains({0.3, 0.3}));
}

TEST(Path, ArcsNormaliseTheirSweep)
{
    // clockwise = false sweeps through increasing angles: clockwise on screen.
    Path p;
    p.addArc({0, 0}, 10, 0, pi / 2, false);
    expectNear(*p.currentPoint(), {0, 10});
    EXPECT_EQ(types(p), (std::vector{Type::move, Type::curve}));
    EXPECT_NEAR(p.length(), 10 * pi / 2, 5e-3) << "a cubic quarter arc stays close to the circle";

    Path q; // end < start with clockwise false: add 2pi, three quarters of a turn
    q.addArc({0, 0}, 10, pi / 2, 0, false);
    EXPECT_EQ(q.elements().size(), 4u);

    Path full; // a sweep of more than a turn is clamped to one turn
    full.addArc({0, 0}, 10, 0, 5 * pi, false);
    EXPECT_NEAR(full.length(), 2 * pi * 10, 0.01);

    Path dot;
    dot.addArc({3, 4}, 0, 0, pi, false);
    EXPECT_EQ(types(dot), (std::vector{Type::move}));
    EXPECT_EQ(dot.elements()[0].point, (Point{3, 4}));

    // Huge or endless sweeps finish at once: whole turns are dropped, and an
    // arc with a coordinate that is not a number adds nothing.
    Path huge;
    huge.addArc({0, 0}, 10, 0, -1e18, false);
    huge.addArc({0, 0}, 10, 0, 1e18, true);
    EXPECT_LE(huge.length(), 4 * pi * 10 + 0.01);
    constexpr double inf = std::numeric_limits<double>::infinity();
    Path odd;
    odd.move({1, 1});
    odd.addArc({0, 0}, 10, 0, inf, true);
    odd.addRelativeArc({0, 0}, 10, std::nan(""), pi);
    odd.addRelativeArc({0, 0}, inf, 0, pi);
    EXPECT_EQ(types(odd), (std::vector{Type::move}));
}

TEST(Path, WedgeFromTheCentre)
{
    const Path p = wedge(-pi / 2, pi / 2);
    ASSERT_EQ(types(p), (std::vector{Type::move, Type::line, Type::curve}));
    expectNear(p.elements()[1].point, {100, 0});
    expectNear(p.elements()[2].point, {200, 100});
    const Rect box = p.boundingRect();
    EXPECT_NEAR(box.minX(), 100, 1e-9);
    EXPECT_NEAR(box.maxX(), 200, 1e-9);
    EXPECT_NEAR(box.minY(), 0, 1e-9);
    EXPECT_NEAR(box.maxY(), 100, 1e-9);
    EXPECT_TRUE(p.contains({150, 50}));
    EXPECT_FALSE(p.contains({50, 50}));
    EXPECT_FALSE(p.contains({195, 5})) << "outside the disc, inside the box";

    // A relative arc of more than a turn keeps its whole sweep.
    Path twice;
    twice.addRelativeArc({0, 0}, 10, 0, 4 * pi);
    EXPECT_NEAR(twice.length(), 4 * pi * 10, 0.02);
}

TEST(Path, BoundingRectIsTight)
{
    Path p;
    p.move({0, 0});
    p.addCurve({100, 0}, {0, 100}, {100, 100});
    const Rect box = p.boundingRect();
    EXPECT_NEAR(box.maxY(), 75, 1e-9) << "curve extremum included, control points not";
    EXPECT_TRUE(Path().boundingRect().isNull());
    Path moves;
    moves.move({1, 1});
    moves.move({4, 5});
    EXPECT_EQ(moves.boundingRect(), Rect(1, 1, 3, 4));
}

TEST(Path, LengthIsAccurate)
{
    // A cubic that is a straight line traversed unevenly: exact length 100.
    Path straight;
    straight.move({0, 0});
    straight.addCurve({100, 0}, {90, 0}, {10, 0});
    EXPECT_NEAR(straight.length(), 100, 1e-6 * 100);

    // A parabola y = x² from 0 to 1 as a quad: length known in closed form.
    Path parabola;
    parabola.move({0, 0});
    parabola.addQuadCurve({1, 1}, {0.5, 0});
    const double exact = (2 * std::sqrt(5.0) + std::asinh(2.0)) / 4;
    EXPECT_NEAR(parabola.length(), exact, 1e-9);

    // A close adds the line back to the start; moves add nothing.
    Path triangle;
    triangle.addLines({{0, 0}, {3, 0}, {3, 4}});
    triangle.closeSubpath();
    triangle.move({100, 100});
    EXPECT_DOUBLE_EQ(triangle.length(), 12);
    EXPECT_EQ(Path().length(), 0);
}

TEST(Path, TrimmingSplitsCurvesExactly)
{
    Path p;
    p.move({0, 0});
    p.addCurve({100, 0}, {0, 100}, {100, 100});
    const Path half = p.trimmedPath(0, 0.5);
    ASSERT_EQ(types(half), (std::vector{Type::move, Type::curve})) << "a trimmed cubic is still a cubic";
    EXPECT_NEAR(half.length(), p.length() / 2, 1e-6);
    expectNear(*half.currentPoint(), p.point(0.5), 1e-9);

    EXPECT_TRUE(p.trimmedPath(0.6, 0.6).isEmpty());
    EXPECT_TRUE(p.trimmedPath(0.8, 0.2).isEmpty());
    EXPECT_EQ(p.trimmedPath(-1, 2), p) << "clamped to the whole path";
    EXPECT_TRUE(Path::rect(Rect(5, 5, 0, 0)).trimmedPath(0, 1).isEmpty()) << "zero length gives nothing";
}

TEST(Path, TrimmingToTheWholePathDropsOnlyWhatHasNoLength)
{
    // A piece of no length inside a line, a subpath that is a dot, and a
    // closed triangle: kept whole, the path loses the piece and the dot.
    Path p;
    p.move({0, 0});
    p.addLine({10, 0});
    p.addLine({10, 0});
    p.addCurve({20, 10}, {15, 0}, {20, 5});
    p.move({50, 50});
    p.addLine({50, 50});
    p.move({30, 30});
    p.addLine({40, 30});
    p.addLine({40, 40});
    p.closeSubpath();
    Path expected;
    expected.move({0, 0});
    expected.addLine({10, 0});
    expected.addCurve({20, 10}, {15, 0}, {20, 5});
    expected.move({30, 30});
    expected.addLine({40, 30});
    expected.addLine({40, 40});
    expected.closeSubpath();
    EXPECT_EQ(p.trimmedPath(0, 1), expected);

    // A point that is not a number makes the length unknown: nothing is kept.
    Path broken;
    broken.move({0, 0});
    broken.addLine({std::nan(""), 5});
    EXPECT_TRUE(broken.trimmedPath(0, 1).isEmpty());
    EXPECT_TRUE(broken.trimmedPath(0, 0.5).isEmpty());
}

TEST(Path, TrimmingAcrossSubpathsAndCloses)
{
    Path p; // two squares of perimeter 40, total 80
    p.addRect(Rect(0, 0, 10, 10));
    p.addRect(Rect(100, 0, 10, 10));
    const Path first = p.trimmedPath(0, 0.5);
    EXPECT_EQ(first, Path::rect(Rect(0, 0, 10, 10))) << "a closed subpath wholly inside stays closed";

    const Path middle = p.trimmedPath(0.375, 0.625); // from 30 to 50: last side of the first, first side of the second
    EXPECT_EQ(types(middle), (std::vector{Type::move, Type::line, Type::move, Type::line}))
        << "each run starts with a move; a closing segment comes out as a line";
    EXPECT_EQ(middle.elements()[0].point, (Point{0, 10}));
    EXPECT_EQ(middle.elements()[1].point, (Point{0, 0}));
    EXPECT_EQ(middle.elements()[3].point, (Point{110, 0}));
}

TEST(Path, TrimmingInsideKeepsTheWholeSegmentsBetweenItsEnds)
{
    // Two straight runs of four 10-long lines, at y = 0 and y = 10: 80 long.
    // From 20 to 60: the first run from x = 20 (two whole lines), the second
    // from its start to x = 20 (two whole lines); from 5 to 35: cut inside
    // the first and the last line of the first run.
    Path p;
    p.addLines({{0, 0}, {10, 0}, {20, 0}, {30, 0}, {40, 0}});
    p.addLines({{0, 10}, {10, 10}, {20, 10}, {30, 10}, {40, 10}});
    Path across;
    across.addLines({{20, 0}, {30, 0}, {40, 0}});
    across.addLines({{0, 10}, {10, 10}, {20, 10}});
    EXPECT_EQ(p.trimmedPath(0.25, 0.75), across);
    Path inside;
    inside.addLines({{5, 0}, {10, 0}, {20, 0}, {30, 0}, {35, 0}});
    const Path trimmed = p.trimmedPath(0.0625, 0.4375);
    EXPECT_EQ(trimmed, inside);
    EXPECT_EQ(trimmed.currentPoint(), (Point{35, 0}));
}

TEST(Path, CopiesShareTheirElementsUntilOneChanges)
{
    Path p;
    p.addLines({{0, 0}, {30, 40}});
    EXPECT_EQ(p.length(), 50);
    Path q = p;
    EXPECT_EQ(q, p);
    q.addLine({30, 0});
    EXPECT_EQ(q.length(), 90) << "the copy measures its own elements";
    EXPECT_EQ(p.length(), 50) << "the original keeps its own";
    EXPECT_EQ(p.elements().size(), 2u);
    EXPECT_NE(q, p);

    // Measured, then changed: the new elements are measured.
    p.addLine({0, 40});
    EXPECT_EQ(p.length(), 80);
    expectNear(p.point(0.625), {30, 40});
    expectNear(*p.trimmedPath(0, 0.75).currentPoint(), {20, 40});
    p.closeSubpath();
    EXPECT_EQ(p.length(), 120);
}

TEST(Path, RoomReservedChangesNothingDrawn)
{
    Path p;
    p.addLines({{0, 0}, {30, 40}});
    const Path copy = p;
    p.reserve(1000);
    EXPECT_EQ(p, copy);
    EXPECT_NE(&p.elements(), &copy.elements()) << "the copy keeps its own elements";
    EXPECT_GE(p.elements().capacity(), 1000u);
    p.addLine({30, 0});
    EXPECT_EQ(p.length(), 90);
    EXPECT_EQ(copy.length(), 50);
    Path empty;
    empty.reserve(10);
    EXPECT_TRUE(empty.isEmpty());
    EXPECT_EQ(empty, Path());
}

TEST(Path, RepeatedTrimsOfOnePathMatchFreshOnes)
{
    // A wave of curves, trimmed to one fraction after another as a line
    // drawing in is: each trim equals that of a fresh, unmeasured copy.
    auto wave = [] {
        Path p;
        p.move({0, 0});
        for (int i = 1; i <= 50; ++i)
            p.addCurve({i * 2.0, (i % 2) * 30.0}, {i * 2.0 - 1, ((i - 1) % 2) * 30.0}, {i * 2.0 - 1, (i % 2) * 30.0});
        return p;
    };
    const Path drawn = wave();
    for (double t : {0.1, 0.25, 0.5, 0.9, 1.0}) {
        EXPECT_EQ(drawn.trimmedPath(0, t), wave().trimmedPath(0, t)) << t;
        EXPECT_EQ(drawn.point(t), wave().point(t)) << t;
    }
    EXPECT_EQ(drawn.trimmedPath(0, 1), drawn) << "kept whole after measuring, too";
}

TEST(Path, TrimmingToTheWholePathShareItsElementsWhereNothingIsDropped)
{
    // Lines, curves and a closed subpath, each of some length: the same
    // elements, not a copy of them.
    Path p;
    p.move({0, 0});
    p.addLine({10, 0});
    p.addQuadCurve({20, 10}, {15, 0});
    p.addCurve({30, 10}, {20, 20}, {30, 20});
    p.addRect(Rect(50, 50, 10, 10));
    const Path whole = p.trimmedPath(0, 1);
    EXPECT_EQ(&whole.elements(), &p.elements());

    // A piece of no length, a lone move, or a drawing element after a close
    // without a move of its own: a new path without what has no length.
    Path still;
    still.move({0, 0});
    still.addLine({10, 0});
    still.addLine({10, 0});
    Path line;
    line.move({0, 0});
    line.addLine({10, 0});
    Path dot = p;
    dot.move({90, 90});
    Path reopened = p;
    reopened.addLine({70, 70});
    for (const Path* q : {&still, &dot, &reopened}) {
        const Path trimmed = q->trimmedPath(0, 1);
        EXPECT_NE(&trimmed.elements(), &q->elements());
    }
    EXPECT_EQ(still.trimmedPath(0, 1), line);
    EXPECT_EQ(dot.trimmedPath(0, 1), p);
    EXPECT_EQ(reopened.trimmedPath(0, 1).elements().size(), p.elements().size() + 2)
        << "a move to the old start, the line";
}

TEST(Path, PointAtFractionAndTheTrimIdiom)
{
    const Path line = [] {
        Path p;
        p.addLines({{0, 0}, {10, 0}, {10, 10}});
        return p;
    }();
    EXPECT_EQ(line.point(0.75), (Point{10, 5}));
    EXPECT_EQ(line.point(2), (Point{10, 10}));
    Path still;
    still.move({7, 8});
    EXPECT_EQ(still.point(0.5), (Point{7, 8})) << "zero length gives the first point";

    // The centre of trimmedPath(t, t + 0.001).boundingRect() is stable to 1e-3 pt.
    const Path circle = Path::ellipse(Rect(0, 0, 200, 200));
    for (double t : {0.1, 0.37, 0.8}) {
        const Point c = circle.trimmedPath(t, t + 0.001).boundingRect().center();
        const double angle = 2 * pi * (t + 0.0005);
        EXPECT_NEAR(c.x, 100 + 100 * std::cos(angle), 0.05);
        EXPECT_NEAR(c.y, 100 + 100 * std::sin(angle), 0.05);
        expectNear(c, circle.trimmedPath(t, t + 0.001).boundingRect().center(), 1e-3);
    }
}

TEST(Path, AddPathKeepsMovesAndTransforms)
{
    Path a;
    a.addLines({{0, 0}, {1, 0}});
    Path b;
    b.addLines({{0, 0}, {0, 1}});
    a.addPath(b, AffineTransform::translation(5, 5));
    EXPECT_EQ(types(a), (std::vector{Type::move, Type::line, Type::move, Type::line}));
    EXPECT_EQ(a.elements()[3].point, (Point{5, 6}));
}

TEST(Path, QtConversionUsesWindingUnlessAsked)
{
    Path p; // two overlapping squares wound the same way
    p.addRect(Rect(0, 0, 10, 10));
    p.addRect(Rect(5, 5, 10, 10));
    EXPECT_EQ(p.toQPainterPath().fillRule(), Qt::WindingFill);
    EXPECT_TRUE(p.contains({7, 7}));
    EXPECT_FALSE(p.contains({7, 7}, true)) << "even-odd leaves the overlap empty";
    const QPainterPath q = wedge(-pi / 2, pi / 2).toQPainterPath();
    EXPECT_EQ(q.elementCount(), 2 + 3) << "arcs convert as cubics";
}
