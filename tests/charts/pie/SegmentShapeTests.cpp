#include "charts/pie/DoughnutSegmentShape.h"
#include "charts/pie/PieSegmentShape.h"

#include <gtest/gtest.h>

#include <numbers>

namespace {

using namespace charts;
using std::numbers::pi;
using Type = kit::Path::Element::Type;

void expectRectNear(const kit::Rect& actual, const kit::Rect& expected)
{
    EXPECT_NEAR(actual.minX(), expected.minX(), 1e-9);
    EXPECT_NEAR(actual.minY(), expected.minY(), 1e-9);
    EXPECT_NEAR(actual.width(), expected.width(), 1e-9);
    EXPECT_NEAR(actual.height(), expected.height(), 1e-9);
}

TEST(PieSegmentShape, QuarterWedgeRunsFromTheTopToTheRightWithItsTipAtTheCentre)
{
    const kit::Path path = PieSegmentShape{kit::UUID(), -pi / 2, pi / 2}.path(kit::Rect(0, 0, 200, 200));
    const auto& elements = path.elements();
    ASSERT_GE(elements.size(), 3u);
    EXPECT_EQ(elements[0].type, Type::move);
    EXPECT_EQ(elements[0].point, (kit::Point{100, 100}));
    EXPECT_EQ(elements[1].type, Type::line);
    EXPECT_NEAR(elements[1].point.x, 100, 1e-9);
    EXPECT_NEAR(elements[1].point.y, 0, 1e-9);
    EXPECT_NEAR(path.currentPoint()->x, 200, 1e-9);
    EXPECT_NEAR(path.currentPoint()->y, 100, 1e-9);
    expectRectNear(path.boundingRect(), kit::Rect(100, 0, 100, 100));
    EXPECT_TRUE(path.contains({150, 50}));
    EXPECT_FALSE(path.contains({50, 50}));
    EXPECT_FALSE(path.contains({150, 150}));
}

TEST(SegmentShapes, CentreAndRadiusComeFromTheSizeAlone)
{
    const PieSegmentShape pie{kit::UUID(), 0, 2 * pi};
    const DoughnutSegmentShape ring{kit::UUID(), 0, 2 * pi, 0};
    expectRectNear(pie.path(kit::Rect(0, 0, 300, 200)).boundingRect(), kit::Rect(50, 0, 200, 200));
    expectRectNear(ring.path(kit::Rect(0, 0, 300, 200)).boundingRect(), kit::Rect(50, 0, 200, 200));
    EXPECT_EQ(pie.path(kit::Rect(75, -30, 300, 200)), pie.path(kit::Rect(0, 0, 300, 200)));
    EXPECT_EQ(ring.path(kit::Rect(75, -30, 300, 200)), ring.path(kit::Rect(0, 0, 300, 200)));
    // The doughnut arc is open: it has no move to the centre.
    EXPECT_EQ(ring.path(kit::Rect(0, 0, 300, 200)).elements().front().point, (kit::Point{250, 100}));
}

TEST(SegmentShapes, EmptyWedgeIsALineFromTheCentreAndEmptyArcHasNoLength)
{
    const kit::Rect rect(0, 0, 200, 200);
    const kit::Path wedge = PieSegmentShape{kit::UUID(), -pi / 2, 0}.path(rect);
    expectRectNear(wedge.boundingRect(), kit::Rect(100, 0, 0, 100));
    EXPECT_EQ(DoughnutSegmentShape({kit::UUID(), -pi / 2, 0, 0}).path(rect).length(), 0);
}

TEST(DoughnutSegmentShape, InsetShrinksTheArcRadius)
{
    const DoughnutSegmentShape shape{kit::UUID(), 0, 2 * pi, 0};
    const DoughnutSegmentShape inset = shape.inset(5).inset(5);
    EXPECT_EQ(inset.insetAmount, 10);
    EXPECT_EQ(inset.id, shape.id);
    expectRectNear(inset.path(kit::Rect(0, 0, 200, 200)).boundingRect(), kit::Rect(10, 10, 180, 180));
    EXPECT_TRUE(shape.inset(100).path(kit::Rect(0, 0, 200, 200)).isEmpty());
}

} // namespace
