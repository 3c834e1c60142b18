// Sections:
//   line paths           each line type's joins, points closer than a quarter, unusable ranges
//   band paths           a ranged line's band, right along the upper values and back
//   point markers        a marker's shape on its point's place
//   touch points         where a touch meets the drawn line
//   line shapes          equality by what they draw

#include "LineTest.h"

#include "charts/core/ExtraLineData.h"
#include "charts/line/LineShapes.h"
#include "charts/line/PointMarkers.h"
#include "charts/line/TouchPointOnLinePath.h"
#include "kit/base/DenseStroke.h"

#include <cmath>
#include <limits>

namespace {

using namespace charts;
using namespace charts::testing;

constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr double inf = std::numeric_limits<double>::infinity();

// In a 300 × 100 rectangle with values 0 to 10: y(v) = 100 − 10v.
const kit::Rect rect(0, 0, 300, 100);

std::vector<LinePathPoint> values(const std::vector<double>& list, const std::vector<bool>& ignored = {})
{
    std::vector<LinePathPoint> points;
    for (std::size_t i = 0; i < list.size(); ++i)
        points.push_back({list[i], i < ignored.size() && ignored[i]});
    return points;
}

TEST(LinePath, EachLineTypeJoinsThePointsByItsRule)
{
    struct Case {
        const char* what;
        std::vector<LinePathPoint> points;
        LineType type;
        bool isFilled, ignoreZero;
        std::vector<PathStep> expected;
    };
    const Case cases[] = {
        {"two points, straight", values({2, 8}), LineType::line, false, false, {M(0, 80), L(300, 20)}},
        {"straight", values({2, 5, 8}), LineType::line, false, false, {M(0, 80), L(150, 50), L(300, 20)}},
        {"curved",
         values({2, 5, 8}),
         LineType::curvedLine,
         false,
         false,
         {M(0, 80), C(150, 50, 75, 80, 75, 50), C(300, 20, 225, 50, 225, 20)}},
        {"stepped",
         values({2, 5, 8}),
         LineType::stepped,
         false,
         false,
         {M(0, 80), L(150, 80), L(150, 50), L(300, 50), L(300, 20)}},
        {"filled",
         values({2, 5, 8}),
         LineType::line,
         true,
         false,
         {M(0, 80), L(150, 50), L(300, 20), L(300, 100), L(0, 100), Z()}},
        // Above the range the line leaves the rectangle; nothing clamps.
        {"beyond the range", values({0, 10, 12}), LineType::line, false, false, {M(0, 100), L(150, 0), L(300, -20)}},
        // Without ignoreZero, zeros and points marked ignoreMe are joined like any other.
        {"zeros kept",
         values({5, 0, 7}, {false, true, false}),
         LineType::line,
         false,
         false,
         {M(0, 50), L(150, 100), L(300, 30)}},
        {"zeros passed over", values({0, 5, 0, 7}), LineType::line, false, true, {M(100, 50), L(300, 30)}},
        {"zeros passed over, curved",
         values({0, 5, 0, 7}),
         LineType::curvedLine,
         false,
         true,
         {M(100, 50), C(300, 30, 200, 50, 200, 30)}},
        {"zeros passed over, stepped",
         values({0, 5, 0, 7}),
         LineType::stepped,
         false,
         true,
         {M(100, 50), L(300, 50), L(300, 30)}},
        // The start ignores its ignoreMe; later points marked ignoreMe are passed over.
        {"ignoreMe after the start",
         values({0, 4, 6, 8}, {false, true, true, false}),
         LineType::line,
         false,
         true,
         {M(100, 60), L(300, 20)}},
        // Filled, the area closes at the right edge even when the last point is passed over.
        {"filled, last zero",
         values({5, 7, 0}),
         LineType::line,
         true,
         true,
         {M(0, 50), L(150, 30), L(300, 100), L(0, 100), Z()}},
        {"every value zero", values({0, 0, 0}), LineType::curvedLine, true, true, {}},
        {"no points", values({}), LineType::curvedLine, false, false, {}},
        {"one point, straight", values({4}), LineType::line, false, false, {}},
        {"one point, stepped", values({4}), LineType::stepped, true, false, {}},
        {"one point, curved", values({4}), LineType::curvedLine, false, false, {M(0, 60)}},
        {"one point, curved and filled",
         values({4}),
         LineType::curvedLine,
         true,
         false,
         {M(0, 60), L(0, 100), L(0, 100), Z()}},
        // Values that are not numbers are passed over whatever ignoreZero says.
        {"a value that is not a number", values({2, nan, 8}), LineType::line, false, false, {M(0, 80), L(300, 20)}},
        {"an infinite first value", values({inf, 5, 8}), LineType::line, false, false, {M(150, 50), L(300, 20)}},
    };
    for (const Case& c : cases)
        expectPath(linePath(c.points, c.type, rect, 0, 10, c.isFilled, c.ignoreZero), c.expected, c.what);
}

TEST(LinePath, PointsCloserThanAQuarterAreJoinedThroughTheFirstLowestHighestAndLastOfEachQuarter)
{
    // 17 points across half a unit, 1/32 apart: points 0-7 in the first
    // quarter, 8-15 in the second, 16 on its own. y = 100 - 10v.
    const kit::Rect narrow(0, 0, 0.5, 100);
    const auto points = values({5, 6, 9, 1, 3, 2, 8, 4, 3, 1, 5, 8, 4, 2, 6, 7, 5});
    const double e = 1.0 / 32;
    // First quarter: first 0 (y 50), lowest on screen 2 (y 10), highest 3 (y 90),
    // last 7 (y 60). Second: first 8 (y 70), highest 9 (y 90) before lowest 11
    // (y 20), last 15 (y 30).
    expectPath(linePath(points, LineType::line, narrow, 0, 10, false, false),
               {M(0, 50), L(2 * e, 10), L(3 * e, 90), L(7 * e, 60), L(8 * e, 70), L(9 * e, 90), L(11 * e, 20),
                L(15 * e, 30), L(16 * e, 50)},
               "straight");
    expectPath(linePath(points, LineType::stepped, narrow, 0, 10, false, false),
               {M(0, 50), L(2 * e, 50), L(2 * e, 10), L(3 * e, 10), L(3 * e, 90), L(7 * e, 90), L(7 * e, 60),
                L(8 * e, 60), L(8 * e, 70), L(9 * e, 70), L(9 * e, 90), L(11 * e, 90), L(11 * e, 20), L(15 * e, 20),
                L(15 * e, 30), L(16 * e, 30), L(16 * e, 50)},
               "stepped");
    // Curves leave and enter each kept point horizontally, halfway between them.
    const kit::Path curved = linePath(points, LineType::curvedLine, narrow, 0, 10, true, false);
    expectPath(curved,
               {M(0, 50), C(2 * e, 10, e, 50, e, 10), C(3 * e, 90, 2.5 * e, 10, 2.5 * e, 90),
                C(7 * e, 60, 5 * e, 90, 5 * e, 60), C(8 * e, 70, 7.5 * e, 60, 7.5 * e, 70),
                C(9 * e, 90, 8.5 * e, 70, 8.5 * e, 90), C(11 * e, 20, 10 * e, 90, 10 * e, 20),
                C(15 * e, 30, 13 * e, 20, 13 * e, 30), C(16 * e, 50, 15.5 * e, 30, 15.5 * e, 50), L(16 * e, 100),
                L(0, 100), Z()},
               "curved, filled");
    // Equal values: a quarter keeps its first and last point; zeros passed
    // over are not counted.
    expectPath(linePath(values({4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 0, 4, 0, 4, 4, 4, 4}), LineType::line, narrow, 0, 10,
                        false, true),
               {M(0, 60), L(7 * e, 60), L(8 * e, 60), L(15 * e, 60), L(16 * e, 60)}, "flat, zeros passed over");
}

TEST(LinePath, AThinnedLinePaintsTheBandOfTheLineThroughEveryPoint)
{
    // 4,001 points of a jagged line across 100 units, 40 to a unit: ten to
    // each quarter, most of them left out of the path. Its round pen's band,
    // sampled every quarter pixel on a device of one pixel per unit, is
    // that of the path through every point.
    const kit::Rect wide(0, 0, 100, 100);
    std::vector<double> list;
    for (int i = 0; i <= 4000; ++i)
        list.push_back(5 + 3 * std::sin(i * 0.005) + ((i * 7919) % 13) * 0.1);
    const auto points = values(list);
    const kit::StrokeStyle pen{.lineWidth = 2, .lineCap = kit::LineCap::round, .lineJoin = kit::LineJoin::round};
    for (LineType type : {LineType::line, LineType::curvedLine}) {
        const kit::Path thinned = linePath(points, type, wide, 0, 10, false, false);
        // Every point joined by hand, by the same rules.
        kit::Path every;
        every.move({0, 100 - 10 * list[0]});
        for (std::size_t i = 1; i < list.size(); ++i) {
            const kit::Point from{0.025 * double(i - 1), 100 - 10 * list[i - 1]};
            const kit::Point to{0.025 * double(i), 100 - 10 * list[i]};
            if (type == LineType::line)
                every.addLine(to);
            else
                every.addCurve(to, {from.x + (to.x - from.x) * 0.5, from.y}, {to.x - (to.x - from.x) * 0.5, to.y});
        }
        EXPECT_LT(thinned.elements().size(), every.elements().size() / 2);
        const auto a = kit::denseStrokeBand(thinned, pen, kit::AffineTransform::identity());
        const auto b = kit::denseStrokeBand(every, pen, kit::AffineTransform::identity());
        ASSERT_TRUE(a) << "thinned";
        ASSERT_TRUE(b) << "every point";
        EXPECT_EQ(a->first, b->first);
        ASSERT_EQ(a->low.size(), b->low.size());
        // Samples the pen does not reach are infinite in both.
        for (std::size_t k = 0; k < a->low.size(); ++k) {
            if (a->low[k] != b->low[k]) {
                EXPECT_NEAR(a->low[k], b->low[k], 1e-9) << k;
            }
            if (a->high[k] != b->high[k]) {
                EXPECT_NEAR(a->high[k], b->high[k], 1e-9) << k;
            }
        }
    }
}

TEST(LinePath, AnEmptyOrUnusableRangePutsEveryValueOnTheBottomEdge)
{
    for (double range : {0.0, nan, inf})
        expectPath(linePath(values({3, 9}), LineType::line, rect, 3, range, false, false), {M(0, 100), L(300, 100)},
                   "range " + std::to_string(range));
}

TEST(LinePath, OnlyTheSizeOfTheRectangleCounts)
{
    const kit::Rect moved(40, 25, 300, 100);
    EXPECT_EQ(linePath(values({2, 5, 8}), LineType::curvedLine, moved, 0, 10, true, false),
              linePath(values({2, 5, 8}), LineType::curvedLine, rect, 0, 10, true, false));
    // The shape builds the same path from its data points.
    const LineShape<LineChartDataPoint> shape(linePoints({2, 5, 8}), LineType::curvedLine, true, 0, 10, false);
    EXPECT_EQ(shape.path(moved), linePath(values({2, 5, 8}), LineType::curvedLine, rect, 0, 10, true, false));
}

TEST(BandPath, TheBandRunsRightAlongTheUpperValuesAndBackAlongTheLowerOnes)
{
    // (value, upper, lower) of (5, 8, 2), (6, 9, 3), (4, 7, 1).
    const std::vector<BandPathPoint> three{{5, 8, 2}, {6, 9, 3}, {4, 7, 1}};
    struct Case {
        const char* what;
        std::vector<BandPathPoint> points;
        LineType type;
        bool ignoreZero;
        std::vector<PathStep> expected;
    };
    const Case cases[] = {
        {"straight",
         three,
         LineType::line,
         false,
         {M(0, 20), L(150, 10), L(300, 30), L(300, 90), L(150, 70), L(0, 80), L(0, 20)}},
        {"curved",
         three,
         LineType::curvedLine,
         false,
         {M(0, 20), C(150, 10, 75, 20, 75, 10), C(300, 30, 225, 10, 225, 30), L(300, 90), C(150, 70, 225, 90, 225, 70),
          C(0, 80, 75, 70, 75, 80), L(0, 20)}},
        // Each lower value holds from its own x to its right neighbour's.
        {"stepped",
         three,
         LineType::stepped,
         false,
         {M(0, 20), L(150, 20), L(150, 10), L(300, 10), L(300, 30), L(300, 90), L(300, 90), L(300, 70), L(150, 70),
          L(150, 80), L(0, 80), L(0, 20)}},
        // A first point of value 0 still starts and ends the band; its lower value is not joined.
        {"zero first point skipped",
         {{0, 8, 2}, {6, 9, 3}, {4, 7, 1}},
         LineType::line,
         true,
         {M(0, 20), L(150, 10), L(300, 30), L(300, 90), L(150, 70), L(0, 20)}},
        {"zero middle point skipped, stepped",
         {{5, 8, 2}, {0, 9, 3}, {4, 7, 1}},
         LineType::stepped,
         true,
         {M(0, 20), L(300, 20), L(300, 30), L(300, 90), L(300, 90), L(300, 80), L(0, 80), L(0, 20)}},
        {"zeros kept",
         {{5, 8, 2}, {0, 9, 3}},
         LineType::line,
         false,
         {M(0, 20), L(300, 10), L(300, 70), L(0, 80), L(0, 20)}},
        {"one point", {{5, 8, 2}}, LineType::curvedLine, false, {M(0, 20), L(0, 80), L(0, 20)}},
        {"no points", {}, LineType::line, false, {}},
        {"a lower value that is not a number",
         {{5, 8, nan}, {6, 9, 3}},
         LineType::line,
         false,
         {M(0, 20), L(300, 10), L(300, 70), L(0, 20)}},
    };
    for (const Case& c : cases)
        expectPath(bandPath(c.points, c.type, rect, 0, 10, c.ignoreZero), c.expected, c.what);

    const RangedLineFillShape<RangedLineChartDataPoint> shape(rangedPoints({{5, 8, 2}, {6, 9, 3}, {4, 7, 1}}),
                                                              LineType::line, 0, 10, false);
    EXPECT_EQ(shape.path(kit::Rect(9, 9, 300, 100)), bandPath(three, LineType::line, rect, 0, 10, false));
}

TEST(PointMarkerShape, AMarkerIsItsShapeCentredOnItsPointsPlace)
{
    // Three points in 200 × 100, values 0 to 10, markers 10 across.
    struct Case {
        const char* what;
        double value;
        int index, count;
        bool ignoreZero;
        PointShape shape;
        kit::Rect box; // null for no marker
    };
    const Case cases[] = {
        {"circle", 5, 1, 3, false, PointShape::circle, {95, 45, 10, 10}},
        {"square at the right edge", 10, 2, 3, false, PointShape::square, {195, -5, 10, 10}},
        {"round square on the bottom edge", 0, 0, 3, false, PointShape::roundSquare, {-5, 95, 10, 10}},
        {"the one point of a line at x 0", 5, 0, 1, false, PointShape::circle, {-5, 45, 10, 10}},
        {"an ignored zero", 0, 1, 3, true, PointShape::circle, kit::Rect::null()},
        {"a value that is not a number", nan, 1, 3, false, PointShape::square, kit::Rect::null()},
    };
    // Without a usable range every marker sits on the bottom edge.
    const kit::Rect flat = Point(7, 2, 7, 0, 3, 10, false, PointShape::circle).path({0, 0, 200, 100}).boundingRect();
    EXPECT_NEAR(flat.midX(), 200, 1e-9);
    EXPECT_NEAR(flat.midY(), 100, 1e-9);
    for (const Case& c : cases) {
        const kit::Path path =
            Point(c.value, c.index, 0, 10, c.count, 10, c.ignoreZero, c.shape).path({0, 0, 200, 100});
        if (c.box.isNull()) {
            EXPECT_TRUE(path.isEmpty()) << c.what;
            continue;
        }
        const kit::Rect bounds = path.boundingRect();
        EXPECT_NEAR(bounds.minX(), c.box.minX(), 1e-9) << c.what;
        EXPECT_NEAR(bounds.minY(), c.box.minY(), 1e-9) << c.what;
        EXPECT_NEAR(bounds.width(), c.box.width(), 1e-9) << c.what;
        EXPECT_NEAR(bounds.height(), c.box.height(), 1e-9) << c.what;
    }
    kit::Path square;
    square.addRect({95, 45, 10, 10});
    EXPECT_EQ(Point(5, 1, 0, 10, 3, 10, false, PointShape::square).path({0, 0, 200, 100}), square);
    kit::Path rounded;
    rounded.addRoundedRect({95, 45, 10, 10}, kit::Size{3, 3}, kit::RoundedCornerStyle::continuous);
    EXPECT_EQ(Point(5, 1, 0, 10, 3, 10, false, PointShape::roundSquare).path({0, 0, 200, 100}), rounded);
}

TEST(TouchPointOnLinePath, TheMarkerSlidesAlongTheDrawnLine)
{
    // 200 × 100, values 0 to 10.
    const kit::Rect chart(0, 0, 200, 100);
    struct Case {
        const char* what;
        std::vector<double> values;
        LineType type;
        bool ignoreZero;
        double touchX;
        kit::Point expected;
        double tolerance;
    };
    const Case cases[] = {
        // (0,100)→(200,0): half of the chord length at x 100; the piece
        // [0.5, 0.501] of 223.6 runs from (100, 50) to (100.2, 49.9).
        {"straight, half way", {0, 10}, LineType::line, false, 100, {100.1, 49.95}, 1e-6},
        // (0,80)→(200,80)→(200,20), 260 long: 100 of it left of x 100; the
        // piece 0.26 long from (100, 80).
        {"stepped, on the flat", {2, 8}, LineType::stepped, false, 100, {100.13, 80}, 1e-6},
        // All of it left of x 200: the last 0.001, the top 0.26 of the rise.
        {"stepped, at the end", {2, 8}, LineType::stepped, false, 200, {200, 20.13}, 1e-6},
        // Beyond the end the fraction stays 1.
        {"beyond the end", {0, 10}, LineType::line, false, 500, {199.9, 0.05}, 1e-6},
        // The curve is symmetric about (100, 50): half of its arc lies left of the chord's middle.
        {"curved, half way", {0, 10}, LineType::curvedLine, false, 100, {100, 50}, 0.2},
        // Values 0, 5, 0, 7 over 300: the line runs (100,50)→(300,30), 200.998 long;
        // a touch left of its start takes its first 0.001.
        {"left of a skipped zero", {0, 5, 0, 7}, LineType::line, true, 50, {100.1, 49.99}, 1e-6},
    };
    for (const Case& c : cases) {
        const kit::Rect r = c.values.size() == 4 ? kit::Rect(0, 0, 300, 100) : chart;
        const auto point = touchPointOnLinePath(linePoints(c.values), c.type, c.ignoreZero, r, {c.touchX, 40}, 0, 10);
        ASSERT_TRUE(point) << c.what;
        EXPECT_NEAR(point->x, c.expected.x, c.tolerance) << c.what;
        EXPECT_NEAR(point->y, c.expected.y, c.tolerance) << c.what;
    }
    // The same touch over a line whose values, size or scale changed finds the changed line.
    EXPECT_EQ(touchPointOnLinePath(linePoints({0, 10}), LineType::line, false, chart, {200, 0}, 0, 10),
              touchPointOnLinePath(linePoints({0, 10}), LineType::line, false, chart, {200, 0}, 0, 10));
    const auto lowered = touchPointOnLinePath(linePoints({0, 5}), LineType::line, false, chart, {100, 0}, 0, 10);
    ASSERT_TRUE(lowered);
    EXPECT_NEAR(lowered->y, 75, 0.1);
    const auto rescaled = touchPointOnLinePath(linePoints({0, 5}), LineType::line, false, chart, {100, 0}, 0, 5);
    ASSERT_TRUE(rescaled);
    EXPECT_NEAR(rescaled->y, 50, 0.1);
    const auto wider = touchPointOnLinePath(linePoints({0, 5}), LineType::line, false, kit::Rect(0, 0, 400, 100),
                                            {100, 0}, 0, 5);
    ASSERT_TRUE(wider);
    EXPECT_NEAR(wider->y, 75, 0.1);

    // A path without length has no position.
    EXPECT_FALSE(touchPointOnLinePath(linePoints({4}), LineType::line, false, chart, {0, 0}, 0, 10));
    EXPECT_FALSE(touchPointOnLinePath(linePoints({4}), LineType::curvedLine, false, chart, {0, 0}, 0, 10));
    EXPECT_FALSE(touchPointOnLinePath(linePoints({0, 0}), LineType::line, true, chart, {50, 0}, 0, 10));
    EXPECT_FALSE(touchPointOnLinePath(linePoints({}), LineType::curvedLine, false, chart, {50, 0}, 0, 10));
}

// The position is that of the whole drawn path trimmed at the touch, though
// only the elements around the touch are trimmed: checked over zigzags of
// every line type, dense enough for the straight and stepped ones that the
// piece spans several elements.
TEST(TouchPointOnLinePath, TheTrimmedPieceIsThatOfTheWholePath)
{
    const kit::Rect chart(0, 0, 590, 200);
    for (LineType type : {LineType::line, LineType::curvedLine, LineType::stepped}) {
        std::vector<double> zigzag;
        for (int i = 0; i < (type == LineType::curvedLine ? 40 : 3000); ++i)
            zigzag.push_back((i * 37) % 11);
        const kit::Path path = linePath(linePathPoints(linePoints(zigzag)), type, chart, 0, 10, false, false);
        for (double x = -5; x < 600; x += 41.3) {
            const auto expected = pathPointNearFraction(path, pathLengthFraction(path, {x, 0}));
            const auto actual = touchPointOnLinePath(linePoints(zigzag), type, false, chart, {x, 0}, 0, 10);
            ASSERT_TRUE(expected && actual) << x;
            EXPECT_NEAR(actual->x, expected->x, 1e-9) << static_cast<int>(type) << " at " << x;
            EXPECT_NEAR(actual->y, expected->y, 1e-9) << static_cast<int>(type) << " at " << x;
        }
    }
}

} // namespace

namespace {

TEST(LinePath, LineShapesAreEqualByTheirPointsAndSettingsWhereverThePointsAreHeld)
{
    using Shape = LineShape<LineChartDataPoint>;
    // The shape holds what it draws of its points, so points made anew with
    // the same values (other identities) draw the same and are equal.
    const std::vector<LineChartDataPoint> points = linePoints({2, 5, 8});
    auto changed = points;
    changed[1].value = 6;
    auto longer = points;
    longer.push_back(linePoints({1})[0]);
    const Shape base(points, LineType::curvedLine, false, 0, 10, false);
    const Shape copy = base; // holds the very same points
    struct Case {
        const char* what;
        Shape other;
        bool equal;
    };
    const Case cases[] = {
        {"a copy", copy, true},
        {"the same points held apart", Shape(points, LineType::curvedLine, false, 0, 10, false), true},
        {"one value changed", Shape(changed, LineType::curvedLine, false, 0, 10, false), false},
        {"one point more", Shape(longer, LineType::curvedLine, false, 0, 10, false), false},
        {"points made anew", Shape(linePoints({2, 5, 8}), LineType::curvedLine, false, 0, 10, false), true},
        {"straight", Shape(points, LineType::line, false, 0, 10, false), false},
        {"filled", Shape(points, LineType::curvedLine, true, 0, 10, false), false},
        {"another range", Shape(points, LineType::curvedLine, false, 0, 20, false), false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(base == c.other, c.equal) << c.what;
        EXPECT_EQ(kit::Shape(base).hasSameValue(kit::Shape(c.other)), c.equal) << c.what;
    }
    // A copy draws what the original draws.
    EXPECT_EQ(copy.path(rect), base.path(rect));
}

} // namespace
