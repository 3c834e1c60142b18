#include "liquid/SmoothClosedCurve.h"

#include <gtest/gtest.h>

#include <cmath>

using kit::Point;

namespace {

void expectNear(Point actual, Point expected)
{
    EXPECT_NEAR(actual.x, expected.x, 1e-9);
    EXPECT_NEAR(actual.y, expected.y, 1e-9);
}

} // namespace

TEST(SmoothClosedCurve, OneCubicPerPointWithHandlesAlongTheNeighbourChord)
{
    // At (6, 0) the chord from the next point (6, 3) to the previous (0, 0)
    // runs along (−6, −3); the handles are a third of 6 back and 3 forward.
    std::vector<Point> points{{0, 0}, {6, 0}, {6, 3}, {0, 3}};
    kit::Path path = liquid::smoothClosedCurve(points);
    const auto& e = path.elements();
    ASSERT_EQ(e.size(), 5u);
    EXPECT_EQ(e[0].type, kit::Path::Element::Type::move);
    EXPECT_EQ(e[0].point, points[3]);
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(e[i + 1].type, kit::Path::Element::Type::curve);
        EXPECT_EQ(e[i + 1].point, points[i]);
    }
    Point u = Point{-6, -3} * (1 / std::sqrt(45.0));
    expectNear(e[2].control2, Point{6, 0} + u * 2.0);
    expectNear(e[3].control1, Point{6, 0} - u * 1.0);
}

TEST(SmoothClosedCurve, DegenerateInputDrawsNothingOrStaysFinite)
{
    EXPECT_TRUE(liquid::smoothClosedCurve({}).isEmpty());
    EXPECT_TRUE(liquid::smoothClosedCurve({{1, 1}, {4, 5}}).isEmpty());

    // The middle point's neighbours coincide: its handles collapse onto it.
    kit::Path path = liquid::smoothClosedCurve({{0, 0}, {5, 5}, {0, 0}});
    const auto& e = path.elements();
    EXPECT_EQ(e[2].control2, (Point{5, 5}));
    EXPECT_EQ(e[3].control1, (Point{5, 5}));
    kit::Path stuck = liquid::smoothClosedCurve({{2, 2}, {2, 2}, {2, 2}});
    for (const auto& element : stuck.elements())
        for (Point p : {element.point, element.control1, element.control2})
            EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y));
}
