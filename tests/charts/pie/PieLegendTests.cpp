#include "tests/charts/core/ChartViewTest.h"

#include "charts/core/DataPointTexts.h"
#include "charts/core/LegendView.h"
#include "charts/pie/PieChartData.h"

namespace {

using namespace charts;
using namespace charts::testing;

using PieLegend = UiTest;

std::shared_ptr<PieChartData> fruit()
{
    auto slice = [](double v, const char* name, kit::Color c) {
        return PieChartDataPoint(v, name, std::nullopt, c, OverlayType::none());
    };
    return std::make_shared<PieChartData>(
        PieDataSet({slice(1, "Apples", kit::Color::red()), slice(1, "Pears", kit::Color::green())}, "Pears"),
        ChartMetadata("Fruit", "", kit::Font::title(), kit::Color::primary(), kit::Font::body(), kit::Color::secondary()),
        PieChartStyle(InfoBoxPlacement::header(), InfoBoxAlignment::vertical, kit::Font::body(), kit::Color::primary(),
                      kit::Font::caption(), kit::Color::secondary(), kit::Color::white(), kit::Color::gray(),
                      kit::StrokeStyle{}, kit::Animation::linear(0.3)),
        kit::EmptyView());
}

TEST_F(PieLegend, TheTouchedSlicesEntryGrowsWhileTheTouchLasts)
{
    const auto data = fruit();
    kit::ViewHost host(kit::View(LegendView<PieChartData>{data, {kit::GridItem::flexible(10)}, 40, kit::Font::caption(),
                                                          kit::Color::primary()}),
                       {300, 200});
    EXPECT_NEAR(host.displayList().textItem("Pears")->transform.a, 1.0, 1e-9);
    data->beginTouch({50, 150}, kit::Rect(0, 0, 200, 200));
    host.update();
    EXPECT_NEAR(host.displayList().textItem("Pears")->transform.a, 1.2, 1e-9);
    EXPECT_NEAR(host.displayList().textItem("Apples")->transform.a, 1.0, 1e-9);
    data->infoView.modify([](auto& info) { info.isTouchCurrent = false; });
    host.update();
    EXPECT_NEAR(host.displayList().textItem("Pears")->transform.a, 1.0, 1e-9);
}

TEST_F(PieLegend, TheInfoSymbolIsTheCircleRowOfTheFirstEntryNamedByTheLegendTag)
{
    const auto data = fruit();
    data->beginTouch({50, 150}, kit::Rect(0, 0, 200, 200));
    const PieChartDataPoint touched = data->infoView->touchOverlayInfo.at(0);
    data->legends.modify([](std::vector<LegendData>& legends) {
        legends.push_back(LegendData(kit::UUID(), "Pears", ColourStyle(kit::Color::blue()), std::nullopt, 1, ChartType::pie));
    });
    kit::ViewHost host(data->infoLegendSymbol(touched), {100, 40});
    ASSERT_EQ(texts(host), std::vector<std::string>{"Pears"});
    EXPECT_EQ(host.displayList().textItem("Pears")->font, kit::Font::caption());
    const auto circles = host.displayList().itemsOfKind(kit::DisplayItem::Kind::fill);
    ASSERT_EQ(circles.size(), 1u);
    EXPECT_EQ(circles[0]->path, kit::Path::ellipse(kit::Rect(0, 0, 12, 12)));
    EXPECT_EQ(std::get<kit::Color>(circles[0]->paint).components(), kit::Color::green().resolved());

    PieChartDataPoint untagged = touched;
    untagged.legendTag = "Plums";
    kit::ViewHost empty(data->infoLegendSymbol(untagged), {100, 40});
    EXPECT_TRUE(empty.displayList().items.empty());
}

TEST_F(PieLegend, AccessibilityValueAndUnitTexts)
{
    const auto data = fruit();
    const PieChartDataPoint apples = data->dataSets->dataPoints[0];
    EXPECT_EQ(accessibilityValueString(apples, "%.1f", nullptr), "1.0 Apples");
    kit::ViewHost value(accessibilityValueText(apples, "%.0f", nullptr), {100, 40});
    EXPECT_EQ(texts(value), std::vector<std::string>{"1 Apples"});

    data->infoView.modify([](auto& info) { info.touchUnit = TouchUnit::suffix("kg"); });
    kit::ViewHost unit(data->infoUnitText(), {100, 40});
    EXPECT_EQ(texts(unit), std::vector<std::string>{"kg"});
    EXPECT_EQ(descriptionOrEmpty(apples), "Apples");
}

} // namespace
