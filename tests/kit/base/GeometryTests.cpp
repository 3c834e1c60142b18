#include "kit/base/AffineTransform.h"
#include "kit/base/Angle.h"
#include "kit/base/EdgeInsets.h"
#include "kit/base/Rect.h"
#include "kit/base/UnitPoint.h"

#include <QTransform>
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <unordered_set>

using namespace kit;

TEST(Rect, NegativeSizesAreStandardised)
{
    const Rect r(10, 20, -4, -6);
    EXPECT_EQ(r.minX(), 6);
    EXPECT_EQ(r.maxX(), 10);
    EXPECT_EQ(r.midX(), 8);
    EXPECT_EQ(r.minY(), 14);
    EXPECT_EQ(r.maxY(), 20);
    EXPECT_EQ(r.width(), 4);
    EXPECT_EQ(r.height(), 6);
}

TEST(Rect, NullRectRules)
{
    EXPECT_TRUE(Rect::null().isNull());
    EXPECT_FALSE(Rect(3, 4, 0, 0).isNull()) << "a zero-size rect at a finite point is not null";
    const Rect r(1, 2, 3, 4);
    EXPECT_EQ(Rect::null().unionWith(r), r);
    EXPECT_EQ(r.unionWith(Rect::null()), r);
    EXPECT_TRUE(Rect(0, 0, 1, 1).intersection(Rect(5, 5, 1, 1)).isNull());
    EXPECT_EQ(Rect(0, 0, 10, 10).intersection(Rect(5, 5, 10, 10)), Rect(5, 5, 5, 5));
    EXPECT_EQ(Rect(0, 0, 10, 10).insetBy(2, 3), Rect(2, 3, 6, 4));
    EXPECT_TRUE(Rect(0, 0, 10, 10).insetBy(6, 0).isNull()) << "a negative size after inset is null";
}

TEST(UnitPoint, NamedValuesResolveAgainstARect)
{
    const Rect r(10, 20, 200, 100);
    EXPECT_EQ(UnitPoint::topLeading().in(r), (Point{10, 20}));
    EXPECT_EQ(UnitPoint::center().in(r), (Point{110, 70}));
    EXPECT_EQ(UnitPoint::bottomTrailing().in(r), (Point{210, 120}));
    EXPECT_EQ(UnitPoint::leading(), (UnitPoint{0, 0.5}));
    EXPECT_EQ(UnitPoint::bottom(), (UnitPoint{0.5, 1}));
    EXPECT_EQ((UnitPoint{1.5, -0.5}).in(r), (Point{310, -30})) << "values outside 0...1 are allowed";
    std::unordered_set<UnitPoint> set{UnitPoint::top(), UnitPoint::leading()};
    EXPECT_EQ(set.size(), 2u) << "the hash covers both components";
}

TEST(Angle, DegreesAndExactEquality)
{
    EXPECT_DOUBLE_EQ(Angle::degrees(180).radians, std::numbers::pi);
    EXPECT_EQ(Angle::degrees(0), Angle::zero());
    EXPECT_EQ(Angle::degrees(-0.0), Angle::zero());
}

TEST(AffineTransform, ConcatenationAppliesTheFirstTransformFirst)
{
    const auto t = AffineTransform::translation(10, 0).concatenating(AffineTransform::scale(2, 2));
    EXPECT_EQ(t.apply({1, 1}), (Point{22, 2}));
    const auto r = AffineTransform::rotation(std::numbers::pi / 2);
    const Point p = r.apply({1, 0});
    EXPECT_NEAR(p.x, 0, 1e-12);
    EXPECT_NEAR(p.y, 1, 1e-12) << "a positive rotation turns clockwise on screen (y down)";
    const auto inv = t.inverted();
    ASSERT_TRUE(inv);
    EXPECT_EQ(inv->apply({22, 2}), (Point{1, 1}));
    EXPECT_FALSE(AffineTransform::scale(0, 1).inverted());

    // Qt applies q1 * q2 with q1 first as well.
    const QTransform q = AffineTransform::translation(10, 0).toQTransform() *
                         AffineTransform::scale(2, 2).toQTransform();
    EXPECT_EQ(q.map(QPointF(1, 1)), QPointF(22, 2));
}

TEST(Rect, ApplyingATransformGivesTheBoundingBox)
{
    const Rect r = Rect(0, 0, 10, 20).applying(AffineTransform::rotation(std::numbers::pi / 2));
    EXPECT_NEAR(r.minX(), -20, 1e-12);
    EXPECT_NEAR(r.maxX(), 0, 1e-12);
    EXPECT_NEAR(r.height(), 10, 1e-12);
}

TEST(EdgeInsets, EdgeSets)
{
    EXPECT_EQ(insets(Edge::top, 18), (EdgeInsets{18, 0, 0, 0}));
    EXPECT_EQ(insets(Edge::horizontal, 6), (EdgeInsets{0, 6, 0, 6}));
    EXPECT_EQ(insets(Edge::all, 16).vertical(), 32);
    EXPECT_EQ(insets(Edge::top | Edge::trailing, 2), (EdgeInsets{2, 0, 0, 2}));
}
