#include "ChartViewTest.h"

#include "charts/core/CTChartData.h"
#include "charts/core/Legends.h"

namespace {

using namespace charts;
using namespace charts::testing;

// A chart whose legend emphasises, as a bar chart does, the entry whose id
// is the first touched point's id.
class BarLikeChart : public TestChart {
public:
    using TestChart::TestChart;
    bool isBarLegendTouched(const LegendData& legend) const override
    {
        const auto& info = *infoView;
        return !info.touchOverlayInfo.empty() && info.isTouchCurrent && legend.id == info.touchOverlayInfo.front().id;
    }
};

LegendData entry(std::string text, ChartType type, ColourStyle colour, std::optional<Stroke> stroke = std::nullopt,
                 int prioity = 1)
{
    return LegendData(kit::UUID(), std::move(text), std::move(colour), std::move(stroke), prioity, type);
}

template <class Chart>
kit::View legendOf(const std::shared_ptr<Chart>& chart)
{
    return LegendView<Chart>{
        chart, {kit::GridItem::flexible(10), kit::GridItem::flexible(10)}, 40, kit::Font::caption(), kit::Color::red()};
}

using LegendViewTest = UiTest;

TEST_F(LegendViewTest, SymbolsFollowTheEntryKindAndNeedTheirPaintAndStroke)
{
    ColourStyle colours(std::vector{kit::Color::red(), kit::Color::blue()}, kit::UnitPoint::top(),
                        kit::UnitPoint::bottom());
    colours.startPoint.reset();
    colours.stops = std::vector{GradientStop{kit::Color::red(), 0}};
    ColourStyle nothing(kit::Color::red());
    nothing.colour.reset();
    auto chart = std::make_shared<TestChart>(std::vector<TestPoint>{});
    chart->legends = {entry("Pie", ChartType::pie, ColourStyle(kit::Color::green())),
                      entry("Bar", ChartType::bar, ColourStyle(kit::Color::blue())),
                      entry("Line", ChartType::line, ColourStyle(kit::Color::orange()), defaultStroke()),
                      entry("no stroke", ChartType::line, ColourStyle(kit::Color::red())),
                      entry("no paint", ChartType::line, nothing, defaultStroke()),
                      entry("no points", ChartType::bar, colours),
                      entry("gradient line", ChartType::line, colours, defaultStroke())};
    kit::ViewHost host(legendOf(chart), {300, 200});
    EXPECT_EQ(texts(host), (std::vector<std::string>{"Pie", "Bar", "Line", "gradient line"}));

    // A circle and a square half the width on a side; a line sample the width long in a 3-high frame.
    const auto fills = host.displayList().itemsOfKind(kit::DisplayItem::Kind::fill);
    ASSERT_EQ(fills.size(), 2u);
    EXPECT_EQ(fills[0]->path, kit::Path::ellipse(kit::Rect(0, 0, 20, 20)));
    EXPECT_EQ(fills[1]->path, kit::Path::rect(kit::Rect(0, 0, 20, 20)));
    const auto strokes = host.displayList().itemsOfKind(kit::DisplayItem::Kind::stroke);
    ASSERT_EQ(strokes.size(), 2u);
    EXPECT_EQ(strokes[0]->frame.size, (kit::Size{40, 3}));
    EXPECT_EQ(strokes[0]->path.elements().back().point, (kit::Point{40, 0}));
    EXPECT_EQ(strokes[0]->strokeStyle, defaultStroke().strokeStyle());
    // A line sample's gradient runs from leading to trailing, whatever the entry's points.
    const auto* gradient = std::get_if<kit::LinearGradient>(&strokes[1]->paint);
    ASSERT_NE(gradient, nullptr);
    EXPECT_EQ(std::pair(gradient->startPoint, gradient->endPoint),
              std::pair(kit::UnitPoint::leading(), kit::UnitPoint::trailing()));
    // Line texts take the legend's text colour; the others keep the inherited one.
    EXPECT_EQ(host.displayList().textItem("Line")->color, kit::Color::red().resolved());
    EXPECT_EQ(host.displayList().textItem("Pie")->color, kit::Color::primary().resolved());
    EXPECT_EQ(host.displayList().textItem("Bar")->color, kit::Color::primary().resolved());

    chart->legends = {};
    host.update();
    EXPECT_TRUE(host.displayList().items.empty());
    kit::ViewHost noData(CustomNoDataView<TestChart>{std::make_shared<TestChart>(std::vector<TestPoint>{},
                                                                                 kit::Text("No data"))},
                         {300, 200});
    EXPECT_EQ(texts(noData), std::vector<std::string>{"No data"});
}

TEST_F(LegendViewTest, TouchedEntryGrowsFromItsLeadingEdgeWhileTheTouchLasts)
{
    auto chart = std::make_shared<BarLikeChart>(std::vector<TestPoint>{TestPoint(1), TestPoint(2)});
    const auto& points = chart->dataSets->dataPoints;
    chart->legends = {LegendData(points[0].id, "First", ColourStyle(kit::Color::red()), std::nullopt, 1,
                                 ChartType::bar),
                      LegendData(points[1].id, "Second", ColourStyle(kit::Color::blue()), std::nullopt, 1,
                                 ChartType::bar)};
    kit::ViewHost host(legendOf(chart), {300, 200});
    const kit::Rect before = host.displayList().textItem("Second")->hostBounds();
    chart->beginTouch({1, 0}, kit::Rect(0, 0, 100, 100));
    host.update();
    const kit::Rect grown = host.displayList().textItem("Second")->hostBounds();
    EXPECT_NEAR(host.displayList().textItem("Second")->transform.a, 1.2, 1e-9);
    EXPECT_NEAR(host.displayList().textItem("First")->transform.a, 1.0, 1e-9);
    EXPECT_GT(grown.minX(), before.minX());
    EXPECT_NEAR(grown.width(), before.width() * 1.2, 1e-6);
    chart->infoView.modify([](auto& info) { info.isTouchCurrent = false; });
    host.update();
    EXPECT_NEAR(host.displayList().textItem("Second")->transform.a, 1.0, 1e-9);
}

TEST_F(LegendViewTest, CellsCarryTheirAccessibilityLabelAndValue)
{
    auto chart = std::make_shared<TestChart>(std::vector<TestPoint>{});
    chart->legends = {entry("Swift", ChartType::pie, ColourStyle(kit::Color::orange())),
                      entry("Mean", ChartType::line, ColourStyle(kit::Color::red()), defaultStroke(), 2),
                      entry("No stroke", ChartType::line, ColourStyle(kit::Color::red())),
                      entry("Bars", ChartType::bar, ColourStyle(kit::Color::red()))};
    kit::ViewHost host(legendOf(chart), {300, 200});
    std::vector<std::pair<std::string, std::string>> found;
    for (const auto& element : host.accessibilityElements())
        found.emplace_back(element.label, element.value);
    // An entry that draws nothing keeps its cell, its label and its value.
    EXPECT_EQ(found, (std::vector<std::pair<std::string, std::string>>{{"Pie-Chart-Legend", "Swift"},
                                                                       {"P-O-I-Marker-Legend", "Mean"},
                                                                       {"Line-Chart-Legend", "No stroke"},
                                                                       {"Bar-Chart-Legend", "Bars"}}));
    EXPECT_NEAR(host.displayList().textItem("Bars")->hostBounds().minX(),
                host.displayList().textItem("Swift")->hostBounds().minX() + 154, 1e-6)
        << "in the second column of the second row";
}

TEST_F(LegendViewTest, LegendsGoUnderAChartWithDataOnly)
{
    auto chart = std::make_shared<TestChart>(std::vector<TestPoint>{});
    chart->legends = {entry("Swift", ChartType::pie, ColourStyle(kit::Color::orange()))};
    const kit::View content = kit::View(kit::Color::blue()).frame(200, 100).id("chart");
    kit::ViewHost host(applyLegends(content, chart, {kit::GridItem::flexible(10)}, 40, kit::Font::caption(),
                                    kit::Color::primary(), 18),
                       {400, 300});
    EXPECT_TRUE(texts(host).empty());
    chart->dataSets.modify([](TestSet& set) { set.dataPoints.push_back(TestPoint(3)); });
    host.update();
    // The row (a 20-point circle) starts the stack's spacing plus the top padding below the chart.
    const auto fills = host.displayList().itemsOfKind(kit::DisplayItem::Kind::fill);
    ASSERT_EQ(fills.size(), 2u);
    EXPECT_NEAR(pathBounds(*fills[1]).minY(), frameOf(host, "chart").maxY() + 8 + 18, 1e-6);
}

} // namespace
