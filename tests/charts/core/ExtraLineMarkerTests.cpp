#include "ChartViewTest.h"

#include "TestExtraLine.h"
#include "charts/core/ExtraLineTouchMarker.h"

namespace {

using namespace charts;
using namespace charts::testing;

using ExtraLineMarker = UiTest;

ExtraLineData lineWith(std::vector<double> values, LineMarkerType marker)
{
    return extraLine(values, extraLineStyle(std::move(marker)));
}

// The touch dot of these tests: a green square filling its frame.
const TouchDotView greenDot = [](const DotStyle&) { return kit::View(kit::Color::green()); };
const DotStyle dot{10, kit::Color::white(), kit::Color::blue(), 2};
const kit::Rect chart(0, 0, 200, 100);

std::vector<const kit::DisplayItem*> draw(kit::ViewHost& host, const ExtraLineData& line, kit::Point touch)
{
    host.setRoot(extraLineTouchMarker(line, touch, chart, greenDot));
    std::vector<const kit::DisplayItem*> items;
    for (const kit::DisplayItem& item : host.displayList().items)
        items.push_back(&item);
    return items;
}

TEST_F(ExtraLineMarker, IndicatorPutsTheDotOnTheDrawnLine)
{
    kit::ViewHost host(kit::EmptyView(), {200, 100});
    const auto items = draw(host, lineWith({0, 10}, LineMarkerType::indicator(dot)), {100, 0});
    ASSERT_EQ(items.size(), 1u);
    expectRect(items[0]->hostBounds(), kit::Rect(95, 45, 10, 10), 0.2);

    EXPECT_TRUE(draw(host, lineWith({0, 10}, LineMarkerType::none()), {100, 0}).empty());
    // A line without length has nowhere to put a marker.
    EXPECT_TRUE(draw(host, lineWith({4}, LineMarkerType::indicator(dot)), {100, 0}).empty());
    EXPECT_TRUE(draw(host, lineWith({4}, LineMarkerType::full(MarkerAttachment::line(Dot::style(dot)), kit::Color::red(),
                                                              kit::StrokeStyle{})),
                     {100, 0})
                    .empty());
}

TEST_F(ExtraLineMarker, LineAttachmentStrokesTheShapeThroughThePositionWithItsDot)
{
    kit::ViewHost host(kit::EmptyView(), {200, 100});
    const kit::StrokeStyle dashed{.lineWidth = 3, .dash = {4, 2}};
    const auto items = draw(host, lineWith({0, 10}, LineMarkerType::vertical(MarkerAttachment::line(Dot::style(dot)),
                                                                            kit::Color::red(), dashed)),
                            {100, 0});
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0]->kind, kit::DisplayItem::Kind::stroke);
    EXPECT_EQ(std::get<kit::Color>(items[0]->paint).components(), kit::Color::red().resolved());
    EXPECT_EQ(items[0]->strokeStyle, dashed);
    EXPECT_NEAR(pathBounds(*items[0]).midX(), 100, 0.2);
    EXPECT_NEAR(pathBounds(*items[0]).height(), 100, 1e-9);
    expectRect(items[1]->hostBounds(), kit::Rect(95, 45, 10, 10), 0.2);
}

TEST_F(ExtraLineMarker, BottomLeadingOnTheLineIsDrawnInThePrimaryColour)
{
    kit::ViewHost host(kit::EmptyView(), {200, 100});
    const kit::StrokeStyle wide{.lineWidth = 5};
    auto onLine = draw(host, lineWith({0, 10}, LineMarkerType::bottomLeading(MarkerAttachment::line(Dot::none()),
                                                                            kit::Color::red(), wide)),
                       {100, 0});
    ASSERT_EQ(onLine.size(), 1u);
    EXPECT_EQ(std::get<kit::Color>(onLine[0]->paint).components(), kit::Color::primary().resolved());
    EXPECT_EQ(onLine[0]->strokeStyle, (kit::StrokeStyle{.lineWidth = 2}));

    auto atPoint = draw(host, lineWith({0, 10}, LineMarkerType::bottomLeading(MarkerAttachment::point(),
                                                                             kit::Color::red(), wide)),
                        {160, 0});
    ASSERT_EQ(atPoint.size(), 1u);
    EXPECT_EQ(std::get<kit::Color>(atPoint[0]->paint).components(), kit::Color::red().resolved());
    EXPECT_EQ(atPoint[0]->strokeStyle, wide);
    // Snapped to the nearest point, (200, a hair below the top edge).
    EXPECT_EQ(atPoint[0]->path.elements()[1].point.x, 200);
    EXPECT_NEAR(atPoint[0]->path.elements()[1].point.y, 0, 1e-9);
}

TEST_F(ExtraLineMarker, PointAttachmentDrawsNothingWithoutAPoint)
{
    kit::ViewHost host(kit::EmptyView(), {200, 100});
    const auto marker = LineMarkerType::full(MarkerAttachment::point(), kit::Color::red(), kit::StrokeStyle{});
    EXPECT_TRUE(draw(host, lineWith({3, 5}, marker), {400, 0}).empty());
    EXPECT_TRUE(draw(host, lineWith({3}, marker), {0, 0}).empty());
}

} // namespace
