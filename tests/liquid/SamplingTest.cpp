#include "kit/base/Path.h"
#include "kit/base/Random.h"
#include "liquid/LiquidCircle.h"
#include "liquid/LiquidPath.h"
#include "liquid/PointCloud.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <set>

using liquid::LiquidCircle;
using liquid::PointCloud;
using kit::Point;

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
    // The offset is drawn first, once, then one draw per sector in order.
    kit::Random::seed(7);
    double offset = kit::Random::uniform(0, pi / 8);
    std::vector<double> expected;
    for (int i = 0; i < 8; ++i)
        expected.push_back(kit::Random::uniform(2 * pi * i / 8, 2 * pi * (i + 1) / 8) + offset);
    kit::Random::seed(7);
    EXPECT_EQ(LiquidCircle::sampleRadians(8).values, expected);

    EXPECT_TRUE(LiquidCircle::sampleRadians(0).values.empty());
    EXPECT_TRUE(LiquidCircle::sampleRadians(-3).values.empty());
    kit::Random::seed(3);
    auto one = LiquidCircle::sampleRadians(1).values;
    ASSERT_EQ(one.size(), 1u);
    EXPECT_TRUE(one[0] >= 0 && one[0] <= 3 * pi);
}

TEST(LiquidCircleShape, PointsLieOnTheInscribedEllipse)
{
    kit::Random::seed(11);
    LiquidCircle circle{LiquidCircle::sampleRadians(8)};
    for (Point p : circle.points({0, 0, 120, 120}))
        EXPECT_NEAR(p.distance({60, 60}), 60, 1e-9);
    for (Point p : circle.points({0, 0, 200, 80})) {
        double ex = (p.x - 100) / 100, ey = (p.y - 40) / 40;
        EXPECT_NEAR(ex * ex + ey * ey, 1, 1e-9);
    }
    auto path = circle.path({0, 0, 120, 120});
    EXPECT_EQ(path.elements().size(), 9u);
    EXPECT_TRUE(path.contains({60, 60}));
    EXPECT_FALSE(path.contains({1, 1}));

    EXPECT_EQ((LiquidCircle{{{0, pi}}}).path({0, 0, 10, 10}), kit::Path());
}

TEST(LiquidPathShape, DrawsThroughItsPointsWhateverTheFrame)
{
    liquid::LiquidPath blob{{{10, 30, 30, 10}}, {{10, 10, 30, 30}}};
    auto inSmall = blob.path({0, 0, 5, 5});
    EXPECT_EQ(inSmall, blob.path({0, 0, 500, 500}));
    ASSERT_EQ(inSmall.elements().size(), 5u);
    EXPECT_EQ(inSmall.elements()[0].point, (Point{10, 30}));
    EXPECT_TRUE(inSmall.contains({20, 20}));
    // Before any morph the blob holds the single zero point: nothing to draw.
    EXPECT_TRUE((liquid::LiquidPath{liquid::AnimatableArray::zero(), liquid::AnimatableArray::zero()})
                    .path({0, 0, 10, 10})
                    .isEmpty());
}

TEST(PointCloudReading, TakesTheFirstPointOfEachElementAndResamples)
{
    // move(0,0), line(10,0), line(10,10), line(0,10), close: four points.
    auto cloud = PointCloud::read(kit::Path::rect({0, 0, 10, 10}), 7);
    EXPECT_EQ(cloud.x, (std::vector<double>{0, 5, 10, 10, 10, 5, 0}));
    EXPECT_EQ(cloud.y, (std::vector<double>{0, 0, 0, 5, 10, 10, 10}));

    // Curves give their first control point.
    kit::Path curves;
    curves.move({0, 0});
    curves.addQuadCurve({8, 8}, {2, 4});
    curves.addCurve({0, 0}, {6, 1}, {7, 7});
    auto read = PointCloud::read(curves, 3);
    EXPECT_EQ(read.x, (std::vector<double>{0, 2, 6}));
    EXPECT_EQ(read.y, (std::vector<double>{0, 4, 1}));

    // Downsampling reads between the original values.
    EXPECT_EQ(PointCloud::read(kit::Path::rect({0, 0, 10, 10}), 2).x, (std::vector<double>{0, 0}));
    EXPECT_EQ(PointCloud::read(kit::Path::ellipse({0, 0, 100, 100}), 200).size(), 200u);
}

TEST(PointCloudReading, DegenerateOutlines)
{
    EXPECT_EQ(PointCloud::read(kit::Path(), 10), PointCloud{});
    kit::Path dot;
    dot.move({3, 4});
    auto copies = PointCloud::read(dot, 5);
    EXPECT_EQ(copies.x, std::vector<double>(5, 3));
    EXPECT_EQ(copies.y, std::vector<double>(5, 4));
    EXPECT_EQ(PointCloud::read(kit::Path::rect({0, 0, 1, 1}), 0), PointCloud{});
    EXPECT_EQ(PointCloud::read(kit::Path::rect({0, 0, 1, 1}), 1).x, std::vector<double>{0});
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
        ASSERT_EQ(picked.x.size(), 8u);
        ASSERT_EQ(picked.y.size(), 8u);
        for (int b = 0; b < 8; ++b) {
            int index = static_cast<int>(picked.x[b]);
            EXPECT_GE(index, 12 * b);
            EXPECT_LE(index, 12 * b + 11);
            EXPECT_EQ(picked.y[b], -picked.x[b]);
            offsets[b].insert(index - 12 * b);
        }
    }
    // Every position of every block can be drawn, none beyond it (96-99 never).
    for (const auto& seen : offsets)
        EXPECT_EQ(seen.size(), 12u);
}

TEST(StratifiedPick, TooFewCandidatesOrNoSamples)
{
    PointCloud small{{1, 2, 3}, {4, 5, 6}};
    kit::Random::seed(5);
    EXPECT_EQ(small.pick(8), small);
    EXPECT_EQ(small.pick(3), small);
    EXPECT_EQ(small.pick(0), PointCloud{});
    EXPECT_EQ(small.pick(-1), PointCloud{});
    EXPECT_EQ(PointCloud{}.pick(8), PointCloud{});
    // Uneven lists: only complete points are candidates.
    EXPECT_EQ((PointCloud{{1, 2, 3}, {4}}).pick(2), (PointCloud{{1}, {4}}));
}
