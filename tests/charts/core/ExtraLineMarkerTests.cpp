#include "ChartViewTest.h"

#include "TestExtraLine.h"
#include "charts/core/ExtraLineTouchMarker.h"

namespace {

using namespace charts;
using namespace charts::testing;

// Draws the marker of an extra line of the given values at a touch, in a
// 200 × 100 chart; the touch dot is a green square filling its frame.
class ExtraLineMarker : public UiTest {
protected:
    const DotStyle dot{10, kit::Color::white(), kit::Color::blue(), 2};
    kit::ViewHost host{kit::EmptyView(), {200, 100}};

    std::vector<const kit::DisplayItem*> draw(std::vector<double> values, LineMarkerType marker, kit::Point touch)
    {
        const TouchDotView greenDot = [](const DotStyle&) { return kit::View(kit::Color::green()); };
        host.setRoot(extraLineTouchMarker(extraLine(values, extraLineStyle(std::move(marker))), touch,
                                          kit::Rect(0, 0, 200, 100), greenDot));
        std::vector<const kit::DisplayItem*> items;
        for (const kit::DisplayItem& item : host.displayList().items)
            items.push_back(&item);
        return items;
    }
};

TEST_F(ExtraLineMarker, OnTheLineTheShapeAndTheDotMeetTheDrawnLine)
{
    const auto indicator = draw({0, 10}, LineMarkerType::indicator(dot), {100, 0});
    ASSERT_EQ(indicator.size(), 1u);
    expectRect(indicator[0]->hostBounds(), kit::Rect(95, 45, 10, 10), 0.2);

    const kit::StrokeStyle dashed{.lineWidth = 3, .dash = {4, 2}};
    const auto items =
        draw({0, 10}, LineMarkerType::vertical(MarkerAttachment::line(Dot::style(dot)), kit::Color::red(), dashed),
             {100, 0});
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0]->kind, kit::DisplayItem::Kind::stroke);
    EXPECT_EQ(std::get<kit::Color>(items[0]->paint).components(), kit::Color::red().resolved());
    EXPECT_EQ(items[0]->strokeStyle, dashed);
    EXPECT_NEAR(pathBounds(*items[0]).midX(), 100, 0.2);
    EXPECT_NEAR(pathBounds(*items[0]).height(), 100, 1e-9);
    expectRect(items[1]->hostBounds(), kit::Rect(95, 45, 10, 10), 0.2);

    // None draws nothing, and a line without length has nowhere to put a marker.
    EXPECT_TRUE(draw({0, 10}, LineMarkerType::none(), {100, 0}).empty());
    EXPECT_TRUE(draw({4}, LineMarkerType::indicator(dot), {100, 0}).empty());
    EXPECT_TRUE(
        draw({4}, LineMarkerType::full(MarkerAttachment::line(Dot::style(dot)), kit::Color::red(), {}), {100, 0})
            .empty());
}

TEST_F(ExtraLineMarker, BottomLeadingOnTheLineIsPrimaryAtWidthTwoWhileAtThePointItKeepsItsStyle)
{
    const kit::StrokeStyle wide{.lineWidth = 5};
    const auto onLine =
        draw({0, 10}, LineMarkerType::bottomLeading(MarkerAttachment::line(Dot::none()), kit::Color::red(), wide),
             {100, 0});
    ASSERT_EQ(onLine.size(), 1u);
    EXPECT_EQ(std::get<kit::Color>(onLine[0]->paint).components(), kit::Color::primary().resolved());
    EXPECT_EQ(onLine[0]->strokeStyle, (kit::StrokeStyle{.lineWidth = 2}));

    const auto atPoint =
        draw({0, 10}, LineMarkerType::bottomLeading(MarkerAttachment::point(), kit::Color::red(), wide), {160, 0});
    ASSERT_EQ(atPoint.size(), 1u);
    EXPECT_EQ(std::get<kit::Color>(atPoint[0]->paint).components(), kit::Color::red().resolved());
    EXPECT_EQ(atPoint[0]->strokeStyle, wide);
    // Snapped to the nearest point, (200, a hair below the top edge).
    EXPECT_EQ(atPoint[0]->path.elements()[1].point.x, 200);
    EXPECT_NEAR(atPoint[0]->path.elements()[1].point.y, 0, 1e-9);
    // Without a point, nothing.
    const auto full = LineMarkerType::full(MarkerAttachment::point(), kit::Color::red(), kit::StrokeStyle{});
    EXPECT_TRUE(draw({3, 5}, full, {400, 0}).empty());
    EXPECT_TRUE(draw({3}, full, {0, 0}).empty());
}

// Each marker asks only for the position it is drawn at.
TEST_F(ExtraLineMarker, AMarkerAsksOnlyForThePositionItUses)
{
    const DotStyle style{10, kit::Color::white(), kit::Color::blue(), 2};
    struct Case {
        LineMarkerType marker;
        int onLineAsks, atPointAsks;
    };
    const Case cases[] = {
        {LineMarkerType::none(), 0, 0},
        {LineMarkerType::indicator(style), 1, 0},
        {LineMarkerType::vertical(MarkerAttachment::line(Dot::none()), kit::Color::red(), {}), 1, 0},
        {LineMarkerType::topTrailing(MarkerAttachment::point(), kit::Color::red(), {}), 0, 1},
    };
    const TouchDotView greenDot = [](const DotStyle&) { return kit::View(kit::Color::green()); };
    for (const Case& c : cases) {
        int onLineAsks = 0, atPointAsks = 0;
        lineTouchMarkerView(
            c.marker,
            [&]() -> std::optional<kit::Point> {
                return ++onLineAsks, kit::Point{1, 1};
            },
            [&]() -> std::optional<kit::Point> { return ++atPointAsks, std::nullopt; }, greenDot);
        EXPECT_EQ(onLineAsks, c.onLineAsks);
        EXPECT_EQ(atPointAsks, c.atPointAsks);
    }
}

} // namespace
