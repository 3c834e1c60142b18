#include "liquid/SmoothClosedCurve.h"

#include <gtest/gtest.h>

#include <cmath>

using kit::Point;
using Type = kit::Path::Element::Type;

namespace {

void expectNear(Point actual, Point expected, const char* what)
{
    EXPECT_NEAR(actual.x, expected.x, 1e-9) << what;
    EXPECT_NEAR(actual.y, expected.y, 1e-9) << what;
}

bool allFinite(const kit::Path& path)
{
    for (const auto& e : path.elements())
        for (Point p : {e.point, e.control1, e.control2})
            if (!std::isfinite(p.x) || !std::isfinite(p.y))
                return false;
    return true;
}

} // namespace

TEST(SmoothClosedCurve, StartsAndEndsAtTheLastPointWithOneCubicPerPoint)
{
    std::vector<Point> points{{0, 0}, {10, 0}, {5, 8}};
    kit::Path path = liquid::smoothClosedCurve(points);
    const auto& e = path.elements();
    ASSERT_EQ(e.size(), 4u);
    EXPECT_EQ(e[0].type, Type::move);
    EXPECT_EQ(e[0].point, points[2]);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(e[i + 1].type, Type::curve);
        EXPECT_EQ(e[i + 1].point, points[i]);
    }
    EXPECT_EQ(e.back().point, e.front().point);
}

TEST(SmoothClosedCurve, HandlesFollowTheNeighbourChordAtAThirdOfEachSide)
{
    // Around the corner (3, 0) of a square: the chord from the next point
    // (3, 3) to the previous (0, 0) runs along (−1, −1).
    std::vector<Point> points{{0, 0}, {3, 0}, {3, 3}, {0, 3}};
    const auto& e = liquid::smoothClosedCurve(points).elements();
    ASSERT_EQ(e.size(), 5u);
    double h = 1 / std::sqrt(2.0);
    expectNear(e[2].control2, {3 - h, -h}, "incoming handle of (3, 0)");
    expectNear(e[3].control1, {3 + h, h}, "outgoing handle of (3, 0)");

    // Unequal sides: the handle on each side is a third of that side.
    std::vector<Point> kite{{0, 0}, {6, 0}, {6, 3}, {0, 3}};
    const auto& k = liquid::smoothClosedCurve(kite).elements();
    // At (6, 0): previous (0, 0) is 6 away, next (6, 3) is 3 away; chord (−6, −3).
    Point u{-6 / std::sqrt(45.0), -3 / std::sqrt(45.0)};
    expectNear(k[2].control2, Point{6, 0} + u * 2.0, "incoming handle, a third of 6");
    expectNear(k[3].control1, Point{6, 0} - u * 1.0, "outgoing handle, a third of 3");
}

TEST(SmoothClosedCurve, DegenerateInputDrawsNothingOrStaysFinite)
{
    EXPECT_TRUE(liquid::smoothClosedCurve({}).isEmpty());
    EXPECT_TRUE(liquid::smoothClosedCurve({{1, 1}}).isEmpty());
    EXPECT_TRUE(liquid::smoothClosedCurve({{1, 1}, {4, 5}}).isEmpty());

    // The middle point's neighbours coincide: its handles collapse onto it.
    kit::Path there = liquid::smoothClosedCurve({{0, 0}, {5, 5}, {0, 0}});
    ASSERT_TRUE(allFinite(there));
    EXPECT_EQ(there.elements()[2].control2, (Point{5, 5}));
    EXPECT_EQ(there.elements()[3].control1, (Point{5, 5}));

    kit::Path stuck = liquid::smoothClosedCurve({{2, 2}, {2, 2}, {2, 2}, {2, 2}});
    EXPECT_TRUE(allFinite(stuck));
    EXPECT_EQ(stuck.elements().size(), 5u);
}
