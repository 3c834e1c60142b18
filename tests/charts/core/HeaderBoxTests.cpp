#include "ChartViewTest.h"

#include "charts/core/DataPointTexts.h"
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

TEST_F(HeaderBoxTest, OutsideTheHeaderPlacementTheTitleBlockStandsAboveTheChartAndTouchesChangeNothing)
{
    kit::ViewHost empty(headed(chartWith({}, InfoBoxPlacement::header())), {400, 300});
    EXPECT_TRUE(texts(empty).empty()) << "a chart without data has no title";

    kit::StringTable::setActive({{"Title", "Titel"}});
    for (const InfoBoxPlacement& placement : {InfoBoxPlacement::floating(), InfoBoxPlacement::infoBox(true)}) {
        auto chart = chartWith({TestPoint(12, "Apples")}, placement);
        kit::ViewHost host(headed(chart), {400, 300});
        chart->beginTouch({0, 0}, kit::Rect(0, 0, 200, 100));
        host.update();
        EXPECT_EQ(texts(host), (std::vector<std::string>{"Titel", "Subtitle"})) << "the title is localized";
        const kit::DisplayItem* title = host.displayList().textItem("Titel");
        const kit::DisplayItem* subtitle = host.displayList().textItem("Subtitle");
        EXPECT_EQ(title->font, kit::Font::title());
        EXPECT_EQ(subtitle->color, kit::Color::secondary().resolved());
        EXPECT_LT(title->hostBounds().maxY(), subtitle->hostBounds().minY());
        EXPECT_LE(subtitle->hostBounds().maxY(), frameOf(host, "chart").minY());
        EXPECT_NEAR(title->hostBounds().minX(), frameOf(host, "chart").minX(), 1e-6) << "leading-aligned";
    }
    kit::StringTable::setActive({});
}

TEST_F(HeaderBoxTest, HeaderPlacementShowsTouchedValuesAtTheRightEndOfTheTitleRow)
{
    auto chart = chartWith({TestPoint(12, "Apples"), TestPoint(7, "Pears")}, InfoBoxPlacement::header());
    chart->infoView.modify([](auto& info) { info.touchUnit = TouchUnit::suffix("kg"); });
    kit::ViewHost host(headed(chart), {400, 300});

    // Not touching: two empty texts, in the value font and the description font.
    const auto idle = textItems(host);
    ASSERT_EQ(texts(host), (std::vector<std::string>{"Title", "Subtitle", "", ""}));
    EXPECT_EQ(idle[2]->font, kit::Font::headline());
    EXPECT_EQ(idle[3]->font, kit::Font::caption());

    chart->beginTouch({0, 0}, kit::Rect(0, 0, 200, 100));
    chart->beginTouch({1, 0}, kit::Rect(0, 0, 200, 100));
    host.update();
    EXPECT_EQ(texts(host), (std::vector<std::string>{"Title", "Subtitle", "12 kg", "Apples", "7 kg", "Pears"}));
    const auto touched = textItems(host);
    EXPECT_EQ(touched[2]->color, kit::Color::red().resolved());
    EXPECT_EQ(touched[3]->font, kit::Font::caption());
    EXPECT_EQ(touched[3]->color, kit::Color::blue().resolved());
    for (int i = 2; i < 5; ++i)
        EXPECT_LT(touched[i]->hostBounds().maxY(), touched[i + 1]->hostBounds().minY()) << "one below the other";
    // The flexible row spans the whole width: the values end at its right end.
    for (int i = 2; i < 6; ++i)
        EXPECT_NEAR(touched[i]->hostBounds().maxX(), 400, 1e-6);
    EXPECT_NEAR(touched[0]->hostBounds().minX(), 0, 1e-9);

    chart->infoView.modify([](auto& info) { info.isTouchCurrent = false; });
    host.update();
    EXPECT_EQ(texts(host), (std::vector<std::string>{"Title", "Subtitle", "", ""}));
}

// The title takes the width it needs before the touched values do: with
// fixed metrics the title "Lines of code by language" in a size-20 font is
// 25 × 12 = 300 wide and 24 high, its subtitle in a size-10 font 25 × 6 =
// 150 wide and 12 high; the values "12 kg" (headline, 5 × 7.8 = 39 wide,
// 15.6 high) and "Apples" (caption, 36 wide) end at the row's right end.
// The title block (24 + 8 + 12 = 44 high) sets the row's height, the touch
// block (15.6 + 8 + 12 = 35.6) is centred in it, 4.2 down, and the row, 8
// and the chart (100) stand centred in the host's 300: from 74.
TEST_F(HeaderBoxTest, InTheHeaderRowTheTitleTakesTheWidthItNeedsBeforeTheTouchedValues)
{
    auto chart = chartWith({TestPoint(12, "Apples")}, InfoBoxPlacement::header());
    chart->metadata.modify([](ChartMetadata& metadata) {
        metadata.title = "Lines of code by language";
        metadata.titleFont = kit::Font::system(20);
        metadata.subtitle = "Code, comments and blanks";
        metadata.subtitleFont = kit::Font::system(10);
    });
    chart->infoView.modify([](auto& info) { info.touchUnit = TouchUnit::suffix("kg"); });
    chart->beginTouch({0, 0}, kit::Rect(0, 0, 200, 100));
    for (const double width : {800.0, 480.0}) {
        SCOPED_TRACE(width);
        kit::ViewHost host(headed(chart), {width, 300});
        const kit::DisplayItem* title = host.displayList().textItem("Lines of code by language");
        const kit::DisplayItem* subtitle = host.displayList().textItem("Code, comments and blanks");
        ASSERT_TRUE(title) << "the title on one line, whole";
        ASSERT_TRUE(subtitle) << "the subtitle on one line, whole";
        EXPECT_EQ(title->lines.size(), 1u);
        EXPECT_EQ(subtitle->lines.size(), 1u);
        expectRect(title->hostBounds(), {0, 74, 300, 24});
        expectRect(subtitle->hostBounds(), {0, 106, 150, 12});
        const kit::DisplayItem* value = host.displayList().textItem("12 kg");
        const kit::DisplayItem* description = host.displayList().textItem("Apples");
        ASSERT_TRUE(value && description);
        expectRect(value->hostBounds(), {width - 39, 78.2, 39, 15.6});
        expectRect(description->hostBounds(), {width - 36, 101.8, 36, 12});
    }

    // Only a row narrower than the title wraps it, in what the values leave:
    // 280 less the spacer's 8, the values' side's own spacer (8) and their
    // longest text (39) is 225, so it breaks after "by" (16 characters, 192)
    // into two lines; the block is 48 + 8 + 12 = 68 high and stands from
    // (300 − 176) / 2 = 62. The values keep their one line each beside it.
    kit::ViewHost narrow(headed(chart), {280, 300});
    const kit::DisplayItem* title = textItems(narrow).at(0);
    ASSERT_EQ(title->lines.size(), 2u);
    EXPECT_EQ(title->lines[1].text, "language");
    expectRect(title->hostBounds(), {0, 62, 192, 48});
    const kit::DisplayItem* value = narrow.displayList().textItem("12 kg");
    ASSERT_TRUE(value);
    expectRect(value->hostBounds(), {280 - 39, 78.2, 39, 15.6});
    EXPECT_NEAR(narrow.displayList().textItem("Apples")->hostBounds().maxX(), 280, 1e-6);

    // 120 wide, over a chart 100 wide: the title is offered 120 − 8 − 8 −
    // 39 = 65 and wraps into lines of 5 characters at most, while "12 kg"
    // stays whole at the right end.
    kit::ViewHost tight(applyHeaderBox(kit::View(kit::Color::blue()).frame(100, 100), chart), {120, 300});
    const kit::DisplayItem* squeezed = textItems(tight).at(0);
    EXPECT_LE(squeezed->hostBounds().width(), 65 + 1e-6);
    const kit::DisplayItem* whole = tight.displayList().textItem("12 kg");
    ASSERT_TRUE(whole) << "the value on one line";
    EXPECT_EQ(whole->lines.size(), 1u);
    EXPECT_NEAR(whole->hostBounds().maxX(), 120, 1e-6);
    EXPECT_GE(whole->hostBounds().minX(), squeezed->hostBounds().maxX() + 8 - 1e-6);
}

TEST_F(HeaderBoxTest, InfoViewsFollowTheTouchedPoints)
{
    auto chart = chartWith({TestPoint(12, "Apples"), TestPoint(7, "Pears")}, InfoBoxPlacement::header());
    kit::ViewHost host(kit::VStack({InfoValue<TestChart>{chart}, InfoDescription<TestChart>{chart},
                                    InfoExtra<TestChart>{chart, "Touching"}}),
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

TEST_F(HeaderBoxTest, TheTextViewsOfAPoint)
{
    // The legend symbol: the circle row of the first entry named by the point's legend tag.
    TestChart chart({TestPoint(3, "Pears")});
    chart.legends = {LegendData(kit::UUID(), "Fruit", ColourStyle(kit::Color::green()), std::nullopt, 1,
                                ChartType::bar),
                     LegendData(kit::UUID(), "Fruit", ColourStyle(kit::Color::blue()), std::nullopt, 1,
                                ChartType::pie)};
    TestPoint point = chart.dataSets->dataPoints[0];
    point.legendTag = "Fruit";
    kit::ViewHost symbol(chart.infoLegendSymbol(point), {100, 40});
    EXPECT_EQ(textItems(symbol).at(0)->font, kit::Font::caption());
    EXPECT_EQ(textItems(symbol).at(0)->color, kit::Color::primary().resolved());
    const auto circles = symbol.displayList().itemsOfKind(kit::DisplayItem::Kind::fill);
    ASSERT_EQ(circles.size(), 1u);
    EXPECT_EQ(circles[0]->path, kit::Path::ellipse(kit::Rect(0, 0, 12, 12)));
    EXPECT_EQ(std::get<kit::Color>(circles[0]->paint).components(), kit::Color::green().resolved());
    point.legendTag = "Plums";
    kit::ViewHost none(chart.infoLegendSymbol(point), {100, 40});
    EXPECT_TRUE(none.displayList().items.empty());

    // The unit alone, and the accessibility value shown as it is.
    kit::StringTable::setActive({{"kg", "Kilo"}, {"3 Pears", "drei Birnen"}});
    chart.infoView.modify([](auto& info) { info.touchUnit = TouchUnit::suffix("kg"); });
    kit::ViewHost unit(kit::VStack({chart.infoUnitText(), accessibilityValueText(point, "%.0f", nullptr)}), {100, 40});
    EXPECT_EQ(texts(unit), (std::vector<std::string>{"kg", "3 Pears"}));
    kit::StringTable::setActive({});
    EXPECT_EQ(descriptionOrEmpty(point), "Pears");
}

} // namespace
