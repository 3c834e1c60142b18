#include "charts/line/PosistionIndicator.h"
#include "tests/charts/core/ChartViewTest.h"

namespace {

using namespace charts;

class PosistionIndicatorTest : public UiTest {};

// A ring of lineColour filling the frame, and over it a disc of fillColour
// inset by lineWidth on every edge.
TEST_F(PosistionIndicatorTest, DrawsADiscInARingInsideItsFrame)
{
    struct Case {
        double width, height, lineWidth;
        kit::Rect ring, disc;
    };
    const Case cases[] = {
        {20, 20, 3, {0, 0, 20, 20}, {3, 3, 14, 14}},
        // A wide frame: the circles take the smaller side, centred.
        {40, 20, 2, {10, 0, 20, 20}, {12, 2, 16, 16}},
        // No ring: the disc covers the ring's circle.
        {12, 12, 0, {0, 0, 12, 12}, {0, 0, 12, 12}},
    };
    for (const Case& c : cases) {
        kit::ViewHost host(PosistionIndicator(kit::Color::white(), kit::Color::blue(), c.lineWidth),
                           {c.width, c.height});
        const auto fills = host.displayList().itemsOfKind(kit::DisplayItem::Kind::fill);
        ASSERT_EQ(fills.size(), 2u);
        EXPECT_EQ(std::get<kit::Color>(fills[0]->paint).components(), kit::Color::blue().resolved());
        EXPECT_EQ(std::get<kit::Color>(fills[1]->paint).components(), kit::Color::white().resolved());
        expectRect(fills[0]->hostBounds(), c.ring, 1e-6);
        expectRect(fills[1]->hostBounds(), c.disc, 1e-6);
    }
}

TEST_F(PosistionIndicatorTest, TheTouchDotOfADotStyleIsFramedByItsCaller)
{
    const DotStyle style{10, kit::Color::red(), kit::Color::green(), 2};
    kit::ViewHost host(posistionIndicatorDot(style).frame(style.size, style.size).position(50, 30), {100, 100});
    const auto fills = host.displayList().itemsOfKind(kit::DisplayItem::Kind::fill);
    ASSERT_EQ(fills.size(), 2u);
    EXPECT_EQ(std::get<kit::Color>(fills[0]->paint).components(), kit::Color::green().resolved());
    EXPECT_EQ(std::get<kit::Color>(fills[1]->paint).components(), kit::Color::red().resolved());
    expectRect(fills[0]->hostBounds(), {45, 25, 10, 10});
    expectRect(fills[1]->hostBounds(), {47, 27, 6, 6});
}

} // namespace
