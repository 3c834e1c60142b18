// The Liquid blob: its geometry (sample arrays, the smooth closed curve,
// sampling and picking) and its views on a manual clock (when they morph,
// how their timers live and die, what they draw).

#include "liquid/Liquid.h"
#include "kit/base/Random.h"
#include "kit/base/TimerScheduler.h"
#include "kit/base/VectorMath.h"
#include "liquid/LiquidCircle.h"
#include "liquid/LiquidPath.h"
#include "liquid/LiquidPathView.h"
#include "liquid/PointCloud.h"
#include "liquid/SmoothClosedCurve.h"
#include "tests/kit/ui/UiTest.h"

#include <cmath>
#include <limits>
#include <numbers>
#include <set>

using kit::Point;
using liquid::AnimatableArray;
using liquid::Liquid;
using liquid::LiquidCircle;
using liquid::PointCloud;
using std::numbers::pi;
using Values = std::vector<double>;

TEST(AnimatableArray, ArithmeticOverTheShorterOperandAndJumpsBetweenLengths)
{
    EXPECT_EQ(AnimatableArray::zero().values, Values{0.0});
    EXPECT_EQ((AnimatableArray::zero() + AnimatableArray{{5, 6, 7, 8, 9}}).values, Values{5});
    AnimatableArray a{{1, 2, 3}}, b{{1, 1}};
    EXPECT_EQ((a - b).values, (Values{0, 1}));
    EXPECT_EQ((b - a).values, (Values{0, -1}));
    EXPECT_EQ((a + b).values, (Values{2, 3}));
    a += b;
    EXPECT_EQ(a.values, (Values{2, 3, 3})) << "compound forms keep their count";
    a -= AnimatableArray{{2, 1, 1, 100}};
    EXPECT_EQ(a.values, (Values{0, 2, 2}));
    AnimatableArray c{{1, -2}};
    c.scale(0.5);
    EXPECT_EQ(c.values, (Values{0.5, -1}));
    EXPECT_DOUBLE_EQ((AnimatableArray{{3, 4}}).magnitudeSquared(), 25);
    EXPECT_NE((AnimatableArray{{1, 2}}), (AnimatableArray{{1, 2, 0}}));

    AnimatableArray from{{0, 10, -4}}, to{{4, 20, -8}};
    EXPECT_EQ(AnimatableArray::interpolate(from, to, 0.25).values, (Values{1, 12.5, -5}));
    AnimatableArray eight{{1, 2, 3, 4, 5, 6, 7, 8}};
    EXPECT_EQ(AnimatableArray::interpolate(AnimatableArray::zero(), eight, 0.5), eight) << "no truncated blend";
    EXPECT_EQ(AnimatableArray::interpolate(eight, from, 0.5), from);
}

TEST(SmoothClosedCurve, OneCubicPerPointWithHandlesAlongTheNeighbourChord)
{
    // At (6, 0) the chord from the next point (6, 3) to the previous (0, 0)
    // runs along (−6, −3); the handles are a third of 6 back and 3 forward.
    std::vector<Point> points{{0, 0}, {6, 0}, {6, 3}, {0, 3}};
    const kit::Path curve = liquid::smoothClosedCurve(points);
    const auto& e = curve.elements();
    ASSERT_EQ(e.size(), 5u);
    EXPECT_EQ(e[0].type, kit::Path::Element::Type::move);
    EXPECT_EQ(e[0].point, points[3]);
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(e[i + 1].type, kit::Path::Element::Type::curve);
        EXPECT_EQ(e[i + 1].point, points[i]);
    }
    const Point u = Point{-6, -3} * (1 / std::sqrt(45.0));
    EXPECT_LT(e[2].control2.distance(Point{6, 0} + u * 2.0), 1e-9);
    EXPECT_LT(e[3].control1.distance(Point{6, 0} - u * 1.0), 1e-9);

    // Fewer than three points draw nothing; coincident neighbours collapse
    // the handles onto their point, never into numbers that are not numbers.
    EXPECT_TRUE(liquid::smoothClosedCurve({}).isEmpty());
    EXPECT_TRUE(liquid::smoothClosedCurve({{1, 1}, {4, 5}}).isEmpty());
    const kit::Path folded = liquid::smoothClosedCurve({{0, 0}, {5, 5}, {0, 0}});
    EXPECT_EQ(folded.elements()[2].control2, (Point{5, 5}));
    EXPECT_EQ(folded.elements()[3].control1, (Point{5, 5}));
}

TEST(BlobShapes, AnglesOnePerSectorAndPointsOnTheEllipse)
{
    // One shared offset of at most half a sector is drawn first, then one
    // angle in each sector, in order.
    kit::Random::seed(7);
    const double offset = kit::Random::uniform(0, pi / 8);
    Values expected;
    for (int i = 0; i < 8; ++i)
        expected.push_back(kit::Random::uniform(2 * pi * i / 8, 2 * pi * (i + 1) / 8) + offset);
    kit::Random::seed(7);
    EXPECT_EQ(LiquidCircle::sampleRadians(8).values, expected);
    EXPECT_TRUE(LiquidCircle::sampleRadians(0).values.empty());
    EXPECT_TRUE(LiquidCircle::sampleRadians(-3).values.empty());

    const LiquidCircle circle{LiquidCircle::sampleRadians(8)};
    for (Point p : circle.points({0, 0, 200, 80})) {
        const double ex = (p.x - 100) / 100, ey = (p.y - 40) / 40;
        EXPECT_NEAR(ex * ex + ey * ey, 1, 1e-9);
    }

    // A path blob is drawn where its points lie, whatever the frame.
    const liquid::LiquidPath blob{{{10, 30, 30, 10}}, {{10, 10, 30, 30}}};
    EXPECT_EQ(blob.path({0, 0, 5, 5}), blob.path({0, 0, 500, 500}));
    EXPECT_TRUE(liquid::LiquidPath(AnimatableArray::zero(), AnimatableArray::zero()).path({}).isEmpty());
}

TEST(PointCloud, ReadsTheOutlineAndPicksOnePointFromEachOfTheFirstBlocks)
{
    // move(0,0), line(10,0), line(10,10), line(0,10), close: four points.
    const auto square = PointCloud::read(kit::Path::rect({0, 0, 10, 10}), 7);
    EXPECT_EQ(square.x, (Values{0, 5, 10, 10, 10, 5, 0}));
    EXPECT_EQ(square.y, (Values{0, 0, 0, 5, 10, 10, 10}));
    const kit::Path curves([](kit::Path& p) {
        p.move({0, 0});
        p.addQuadCurve({8, 8}, {2, 4});
        p.addCurve({0, 0}, {6, 1}, {7, 7});
    });
    EXPECT_EQ(PointCloud::read(curves, 3), (PointCloud{{0, 2, 6}, {0, 4, 1}}))
        << "curves give their first control point";
    EXPECT_EQ(PointCloud::read(kit::Path(), 10), PointCloud{});
    EXPECT_EQ(PointCloud::read(kit::Path::rect({0, 0, 1, 1}), 0), PointCloud{});
    EXPECT_EQ(PointCloud::read(kit::Path([](kit::Path& p) {
                                   p.move({3, 4});
                               }),
                               3),
              (PointCloud{{3, 3, 3}, {4, 4, 4}}))
        << "one point gives copies";

    const PointCloud cloud{kit::vec::ramp(0, 99, 100), kit::vec::ramp(0, -99, 100)};
    std::vector<std::set<int>> offsets(8);
    for (std::uint64_t seed = 1; seed <= 500; ++seed) {
        kit::Random::seed(seed);
        const PointCloud picked = cloud.pick(8);
        ASSERT_EQ(picked.size(), 8u);
        for (int b = 0; b < 8; ++b) {
            EXPECT_EQ(picked.y[b], -picked.x[b]);
            offsets[b].insert(int(picked.x[b]) - 12 * b);
        }
    }
    // Every position of each block 0-11, 12-23, … 84-95 is drawn, none outside.
    for (const auto& seen : offsets) {
        EXPECT_EQ(seen.size(), 12u);
        EXPECT_EQ(*seen.begin(), 0);
        EXPECT_EQ(*seen.rbegin(), 11);
    }
    // Fewer candidates than samples give what can be picked; nothing from nothing.
    const PointCloud small{{1, 2, 3}, {4, 5, 6}};
    EXPECT_EQ(small.pick(8), small);
    EXPECT_EQ(small.pick(0), PointCloud{});
    EXPECT_EQ(PointCloud{}.pick(8), PointCloud{});
    EXPECT_EQ((PointCloud{{1, 2, 3}, {4}}).pick(2), (PointCloud{{1}, {4}}));
}

namespace {

constexpr std::uint64_t seed = 2024;

kit::View blob(double side)
{
    return Liquid(8, 6.0).frame(side, side).foregroundColor(kit::Color::rgb(1, 0, 0));
}

bool anyTimer()
{
    return kit::TimerScheduler::shared().nextDue(std::numeric_limits<double>::infinity()) != nullptr;
}

// The points the blob's curve passes through, in host coordinates.
std::vector<Point> blobPoints(kit::ViewHost& host)
{
    const auto fills = host.displayList().itemsOfKind(kit::DisplayItem::Kind::fill);
    EXPECT_EQ(fills.size(), 1u);
    std::vector<Point> points;
    const auto& elements = fills.front()->path.elements();
    for (std::size_t i = 1; i < elements.size(); ++i)
        points.push_back(fills.front()->transform.apply(elements[i].point));
    return points;
}

class LiquidView : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        kit::Random::seed(seed); // the samplings an 8-point blob draws one after another
        for (int i = 0; i < 5; ++i)
            s.push_back(LiquidCircle::sampleRadians(8));
        kit::Random::seed(seed);
    }
    void TearDown() override
    {
        UiTest::TearDown();
        kit::Random::reseedFromSystem();
    }

    // A 200 × 200 blob at the host's origin drawn from `radians`.
    static void expectAngles(kit::ViewHost& host, const AnimatableArray& radians, const char* when)
    {
        const auto actual = blobPoints(host), expected = LiquidCircle(radians).points({0, 0, 200, 200});
        ASSERT_EQ(actual.size(), expected.size()) << when;
        for (std::size_t i = 0; i < actual.size(); ++i)
            EXPECT_LT(actual[i].distance(expected[i]), 1e-6) << when << ", point " << i;
    }

    std::vector<AnimatableArray> s;
};

} // namespace

TEST_F(LiquidView, CircleBlobMorphsFromItsFirstTurnOnePeriodAtATimeWhileShown)
{
    kit::ViewHost host(blob(200), {200, 200});
    host.update();
    expectAngles(host, s[0], "as built");
    kit::runUntilIdle(); // the first morph starts on the next turn
    kit::Clock::advance(1.5);
    expectAngles(host, AnimatableArray::interpolate(s[0], s[1], 0.25), "a quarter period, linear");
    kit::Clock::advance(4.5);
    expectAngles(host, s[1], "one period");
    kit::Clock::advance(9);
    expectAngles(host, AnimatableArray::interpolate(s[2], s[3], 0.5), "one morph per period");

    // Hidden it keeps no timer; shown again it restarts exactly once.
    host.setVisible(false);
    kit::Clock::advance(3.1); // past the end of the morph in flight
    EXPECT_FALSE(anyTimer());
    host.setVisible(true);
    host.update();
    kit::runUntilIdle(); // a fresh sampling starts at 18.1 s
    kit::Clock::advance(3);
    expectAngles(host, AnimatableArray::interpolate(s[3], s[4], 0.5), "one timer, one sampling");
}

TEST_F(LiquidView, TimersEndWithTheirViews)
{
    {
        kit::ViewHost host(blob(100), {100, 100});
        host.update();
        EXPECT_TRUE(anyTimer());
    }
    EXPECT_FALSE(anyTimer()) << "the host is gone";
    {
        Liquid never(kit::Path::ellipse({0, 0, 100, 100}), 100, 8, 6.0);
        Liquid copy = never;
        EXPECT_TRUE(anyTimer()) << "a path blob's timer runs from its creation";
    }
    EXPECT_FALSE(anyTimer()) << "and stops with its last copy";

    // A new path blob value in the same place replaces the old one's timer.
    auto pathBlob = [] { return Liquid(kit::Path::ellipse({0, 0, 100, 100}), 100, 8, 6.0).frame(100, 100); };
    kit::ViewHost host(pathBlob(), {100, 100});
    host.update();
    kit::Clock::advance(3);
    host.setRoot(pathBlob()); // its timer starts now
    kit::runUntilIdle();
    kit::Clock::advance(3.5);
    EXPECT_FALSE(host.isAnimating()) << "the first value's tick at 6 s is gone";
    kit::Clock::advance(2.6);
    EXPECT_TRUE(host.isAnimating()) << "the new value ticks at 9 s";
}

TEST_F(LiquidView, PathBlobPicksFromTheOutlineAtOnceAndOnEveryTickUntilItDisappears)
{
    liquid::LiquidPathView view(kit::Path::rect({10, 10, 80, 80}), 200, 8, 6.0);
    EXPECT_EQ(*view.x, AnimatableArray::zero());
    EXPECT_EQ(*view.y, AnimatableArray::zero());
    auto onOutline = [](const std::vector<Point>& points) {
        for (Point p : points)
            if (p.x < 10 || p.x > 90 || p.y < 10 || p.y > 90 || (p.x != 10 && p.x != 90 && p.y != 10 && p.y != 90))
                return false;
        return points.size() == 8;
    };
    kit::Clock::advance(2); // the timer runs from the view's creation
    kit::ViewHost host(kit::View(view).frame(100, 100), {100, 100});
    host.update();
    EXPECT_FALSE(host.isAnimating()) << "from the single zero point the first pick jumps";
    const auto first = blobPoints(host);
    EXPECT_TRUE(onOutline(first));
    kit::Clock::advance(4); // tick at 6 s
    EXPECT_TRUE(host.isAnimating());
    kit::Clock::advance(6);
    const auto second = blobPoints(host);
    EXPECT_NE(second, first);
    EXPECT_TRUE(onOutline(second));

    // A disappearance ends the timer for good: one morph on return, then rest.
    host.setVisible(false);
    kit::Clock::advance(6.1);
    EXPECT_FALSE(anyTimer());
    host.setVisible(true);
    host.update();
    kit::Clock::advance(6);
    const auto rested = blobPoints(host);
    EXPECT_NE(rested, second);
    kit::Clock::advance(30);
    EXPECT_EQ(blobPoints(host), rested);
}

TEST_F(LiquidView, RendersTheBlobScaledToItsFrameInTheForegroundColour)
{
    std::vector<std::vector<Point>> shapes;
    for (double side : {100.0, 240.0}) {
        kit::Random::seed(seed);
        kit::ViewHost host(blob(side), {side, side});
        host.update();
        shapes.push_back(blobPoints(host));
        const QImage image = host.renderImage(1);
        const Point c{side / 2, side / 2}, near = c + (shapes.back()[0] - c) * 0.9;
        EXPECT_EQ(image.pixel(int(c.x), int(c.y)), qRgb(255, 0, 0));
        EXPECT_EQ(image.pixel(int(near.x), int(near.y)), qRgb(255, 0, 0)) << "out to its points";
        EXPECT_EQ(qAlpha(image.pixel(1, int(side) - 2)), 0) << "corners stay clear";
    }
    ASSERT_EQ(shapes[0].size(), 8u);
    for (std::size_t i = 0; i < 8; ++i) {
        EXPECT_NEAR(shapes[0][i].distance({50, 50}), 50, 1e-9);
        EXPECT_LT(shapes[1][i].distance(shapes[0][i] * 2.4), 1e-9);
    }
}
