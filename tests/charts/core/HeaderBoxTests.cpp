#include "ChartViewTest.h"

#include "charts/core/HeaderBox.h"

namespace {

using namespace charts;
using namespace charts::testing;

using HeaderBoxTest = UiTest;

std::shared_ptr<TestChart> chartWith(std::vector<TestPoint> points, InfoBoxPlacement placement)
{
    auto chart = std::make_shared<TestChart>(std::move(points));
    chart->chartStyle.modify([&](TestStyle& style) { style.infoBoxPlacement = placement; });
    return chart;
}

kit::View headed(const std::shared_ptr<TestChart>& chart)
{
    return applyHeaderBox(kit::View(kit::Color::blue()).frame(200, 100).id("chart"), chart);
}

TEST_F(HeaderBoxTest, AChartWithoutDataHasNoTitle)
{
    kit::ViewHost host(headed(chartWith({}, InfoBoxPlacement::header())), {400, 300});
    EXPECT_TRUE(texts(host).empty());
}

TEST_F(HeaderBoxTest, OutsideTheHeaderPlacementATouchChangesNothing)
{
    for (const InfoBoxPlacement& placement : {InfoBoxPlacement::floating(), InfoBoxPlacement::infoBox(true)}) {
        auto chart = chartWith({TestPoint(12, "Apples")}, placement);
        kit::ViewHost host(headed(chart), {400, 300});
        EXPECT_EQ(texts(host), (std::vector<std::string>{"Title", "Subtitle"}));
        chart->beginTouch({0, 0}, kit::Rect(0, 0, 200, 100));
        host.update();
        EXPECT_EQ(texts(host), (std::vector<std::string>{"Title", "Subtitle"}));

        const kit::DisplayItem* title = host.displayList().textItem("Title");
        const kit::DisplayItem* subtitle = host.displayList().textItem("Subtitle");
        EXPECT_EQ(title->font, kit::Font::title());
        EXPECT_EQ(subtitle->color, kit::Color::secondary().resolved());
        EXPECT_LT(title->hostBounds().maxY(), subtitle->hostBounds().minY());
        EXPECT_LE(subtitle->hostBounds().maxY(), frameOf(host, "chart").minY());
        EXPECT_NEAR(title->hostBounds().minX(), frameOf(host, "chart").minX(), 1e-6) << "leading-aligned";
    }
}

TEST_F(HeaderBoxTest, HeaderPlacementShowsTouchedValuesAtTheRightEndOfTheTitleRow)
{
    auto chart = chartWith({TestPoint(12, "Apples"), TestPoint(7, "Pears")}, InfoBoxPlacement::header());
    chart->infoView.modify([](auto& info) { info.touchUnit = TouchUnit::suffix("kg"); });
    kit::ViewHost host(headed(chart), {400, 300});

    // Not touching: two empty texts, in the value font and the description font.
    const auto idle = textItems(host);
    ASSERT_EQ(idle.size(), 4u);
    EXPECT_EQ(textOf(idle[2]), "");
    EXPECT_EQ(idle[2]->font, kit::Font::headline());
    EXPECT_EQ(textOf(idle[3]), "");
    EXPECT_EQ(idle[3]->font, kit::Font::caption());

    chart->beginTouch({0, 0}, kit::Rect(0, 0, 200, 100));
    chart->beginTouch({1, 0}, kit::Rect(0, 0, 200, 100));
    host.update();
    EXPECT_EQ(texts(host), (std::vector<std::string>{"Title", "Subtitle", "12 kg", "Apples", "7 kg", "Pears"}));
    const kit::DisplayItem* value = host.displayList().textItem("12 kg");
    const kit::DisplayItem* description = host.displayList().textItem("Apples");
    EXPECT_EQ(value->color, kit::Color::red().resolved());
    EXPECT_EQ(description->font, kit::Font::caption());
    EXPECT_EQ(description->color, kit::Color::blue().resolved());
    EXPECT_LT(value->hostBounds().maxY(), description->hostBounds().minY());
    EXPECT_LT(description->hostBounds().maxY(), host.displayList().textItem("7 kg")->hostBounds().minY());
    // The flexible row spans the whole width: the values end at its right end.
    EXPECT_NEAR(host.displayList().textItem("Pears")->hostBounds().maxX(), 400, 1e-6);
    EXPECT_NEAR(value->hostBounds().maxX(), host.displayList().textItem("Pears")->hostBounds().maxX(), 1e-6);
    EXPECT_LT(host.displayList().textItem("Title")->hostBounds().minX(), 60);

    chart->infoView.modify([](auto& info) { info.isTouchCurrent = false; });
    host.update();
    EXPECT_EQ(texts(host), (std::vector<std::string>{"Title", "Subtitle", "", ""}));
}

TEST_F(HeaderBoxTest, TitlesAreLocalized)
{
    kit::StringTable::setActive({{"Title", "Titel"}});
    kit::ViewHost host(headed(chartWith({TestPoint(1)}, InfoBoxPlacement::floating())), {400, 300});
    EXPECT_EQ(texts(host), (std::vector<std::string>{"Titel", "Subtitle"}));
    kit::StringTable::setActive({});
}

TEST_F(HeaderBoxTest, InfoViewsFollowTheTouchedPoints)
{
    auto chart = chartWith({TestPoint(12, "Apples"), TestPoint(7, "Pears")}, InfoBoxPlacement::header());
    kit::ViewHost host(kit::VStack({kit::View(InfoValue<TestChart>{chart}), kit::View(InfoDescription<TestChart>{chart}),
                                    kit::View(InfoExtra<TestChart>{chart, "Touching"})}),
                       {300, 300});
    EXPECT_TRUE(texts(host).empty());
    chart->beginTouch({5, 0}, kit::Rect(0, 0, 200, 100)); // no point under the finger
    host.update();
    EXPECT_EQ(texts(host), (std::vector<std::string>{"Touching"}));
    chart->beginTouch({0, 0}, kit::Rect(0, 0, 200, 100));
    chart->beginTouch({1, 0}, kit::Rect(0, 0, 200, 100));
    host.update();
    EXPECT_EQ(texts(host), (std::vector<std::string>{"12", "7", "Apples", "Pears", "Touching"}));
}

} // namespace
