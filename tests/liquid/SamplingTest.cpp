#include "kit/base/Random.h"
#include "liquid/LiquidCircle.h"
#include "liquid/LiquidPath.h"
#include "liquid/PointCloud.h"

#include <gtest/gtest.h>

#include <numbers>
#include <set>

using kit::Point;
using liquid::LiquidCircle;
using liquid::PointCloud;
using Values = std::vector<double>;

namespace {
constexpr double pi = std::numbers::pi;
}

TEST(AngleSampling, OneAngleInEachSectorShiftedByOneSharedOffset)
{
    for (std::uint64_t seed = 1; seed <= 200; ++seed) {
        kit::Random::seed(seed);
        auto angles = LiquidCircle::sampleRadians(4).values;
        ASSERT_EQ(angles.size(), 4u);
        for (int i = 0; i < 4; ++i) {
            EXPECT_GE(angles[i], 2 * pi * i / 4);
            EXPECT_LE(angles[i], 2 * pi * (i + 1) / 4 + pi / 4);
        }
    }
    // The offset is drawn once, first, then one draw per sector in order.
    kit::Random::seed(7);
    double offset = kit::Random::uniform(0, pi / 8);
    Values expected;
    for (int i = 0; i < 8; ++i)
        expected.push_back(kit::Random::uniform(2 * pi * i / 8, 2 * pi * (i + 1) / 8) + offset);
    kit::Random::seed(7);
    EXPECT_EQ(LiquidCircle::sampleRadians(8).values, expected);
    EXPECT_TRUE(LiquidCircle::sampleRadians(0).values.empty());
    EXPECT_TRUE(LiquidCircle::sampleRadians(-3).values.empty());
}

TEST(BlobShapes, CircleOnTheInscribedEllipsePathThroughItsPoints)
{
    kit::Random::seed(11);
    LiquidCircle circle{LiquidCircle::sampleRadians(8)};
    for (Point p : circle.points({0, 0, 200, 80})) {
        double ex = (p.x - 100) / 100, ey = (p.y - 40) / 40;
        EXPECT_NEAR(ex * ex + ey * ey, 1, 1e-9);
    }
    EXPECT_TRUE(circle.path({0, 0, 120, 120}).contains({60, 60}));

    liquid::LiquidPath blob{{{10, 30, 30, 10}}, {{10, 10, 30, 30}}};
    EXPECT_EQ(blob.path({0, 0, 5, 5}), blob.path({0, 0, 500, 500}));
    EXPECT_EQ(blob.path({}).elements()[0].point, (Point{10, 30}));
    EXPECT_TRUE(liquid::LiquidPath(liquid::AnimatableArray::zero(), liquid::AnimatableArray::zero()).path({}).isEmpty());
}

TEST(PointCloudReading, TakesTheFirstPointOfEachElementAndResamples)
{
    // move(0,0), line(10,0), line(10,10), line(0,10), close: four points.
    auto square = PointCloud::read(kit::Path::rect({0, 0, 10, 10}), 7);
    EXPECT_EQ(square.x, (Values{0, 5, 10, 10, 10, 5, 0}));
    EXPECT_EQ(square.y, (Values{0, 0, 0, 5, 10, 10, 10}));

    kit::Path curves;
    curves.move({0, 0});
    curves.addQuadCurve({8, 8}, {2, 4});
    curves.addCurve({0, 0}, {6, 1}, {7, 7});
    EXPECT_EQ(PointCloud::read(curves, 3), (PointCloud{{0, 2, 6}, {0, 4, 1}}));

    EXPECT_EQ(PointCloud::read(kit::Path(), 10), PointCloud{});
    EXPECT_EQ(PointCloud::read(kit::Path::rect({0, 0, 1, 1}), 0), PointCloud{});
    kit::Path dot;
    dot.move({3, 4});
    EXPECT_EQ(PointCloud::read(dot, 3), (PointCloud{{3, 3, 3}, {4, 4, 4}}));
}

TEST(StratifiedPick, OnePointFromEachOfTheFirstBlocks)
{
    PointCloud cloud;
    for (int i = 0; i < 100; ++i) {
        cloud.x.push_back(i);
        cloud.y.push_back(-i);
    }
    std::vector<std::set<int>> offsets(8);
    for (std::uint64_t seed = 1; seed <= 500; ++seed) {
        kit::Random::seed(seed);
        PointCloud picked = cloud.pick(8);
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

    PointCloud small{{1, 2, 3}, {4, 5, 6}};
    EXPECT_EQ(small.pick(8), small);
    EXPECT_EQ(small.pick(0), PointCloud{});
    EXPECT_EQ(PointCloud{}.pick(8), PointCloud{});
    EXPECT_EQ((PointCloud{{1, 2, 3}, {4}}).pick(2), (PointCloud{{1}, {4}}));
}
