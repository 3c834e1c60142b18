// The axis borders: a divider along the edge on the side of the labels,
// drawn over a 200 × 100 content, from the flags the axis-label decorations
// record in the layout record.

#include "AxesTest.h"

#include "charts/axes/AxisBorders.h"

namespace {

using namespace charts;
using namespace charts::testing;

struct Borders {
    std::optional<bool> x; // none: no x-axis labels; true: at the top; false: at the bottom
    std::optional<bool> y; // none: no y-axis labels; true: leading; false: trailing
};

std::shared_ptr<ValueChart> chartWith(const std::vector<double>& values, Borders labels,
                                      std::optional<kit::Color> xColour = std::nullopt,
                                      std::optional<kit::Color> yColour = std::nullopt)
{
    TestAxisStyle style;
    style.xAxisLabelPosition = labels.x.value_or(false) ? XAxisLabelPosistion::top : XAxisLabelPosistion::bottom;
    style.yAxisLabelPosition = labels.y.value_or(true) ? YAxisLabelPosistion::leading : YAxisLabelPosistion::trailing;
    style.xAxisBorderColour = xColour;
    style.yAxisBorderColour = yColour;
    auto chart = std::make_shared<ValueChart>(values, style);
    chart->viewData.modify([&](ChartViewData& v) {
        v.hasXAxisLabels = labels.x.has_value();
        v.hasYAxisLabels = labels.y.has_value();
    });
    return chart;
}

kit::View content()
{
    return kit::View(kit::Color::white()).frame(200, 100);
}

// Both borders, x inside y, as the line sub-views apply them.
kit::View bordered(const std::shared_ptr<ValueChart>& chart)
{
    return applyYAxisBorder(applyXAxisBorder(content(), chart), chart);
}

// The fills other than the white content, in drawing order.
std::vector<const kit::DisplayItem*> lines(kit::ViewHost& host)
{
    std::vector<const kit::DisplayItem*> items;
    for (const kit::DisplayItem& item : host.displayList().items)
        if (!(std::get<kit::Color>(item.paint).resolved() == kit::Color::white().resolved()))
            items.push_back(&item);
    return items;
}

using AxisBorder = UiTest;

TEST_F(AxisBorder, ADividerRunsAlongTheEdgeOfEachShownAxisLabel)
{
    const std::vector<double> data{1, 2};
    struct Case {
        const char* what;
        std::vector<double> values;
        Borders labels;
        std::vector<kit::Rect> dividers; // in drawing order: x first
    };
    const Case cases[] = {
        {"no labels", data, {}, {}},
        {"x at the bottom", data, {false, {}}, {{0, 99, 200, 1}}},
        {"x at the top", data, {true, {}}, {{0, 0, 200, 1}}},
        {"y leading", data, {{}, true}, {{0, 0, 1, 100}}},
        {"y trailing", data, {{}, false}, {{199, 0, 1, 100}}},
        {"both", data, {false, false}, {{0, 99, 200, 1}, {199, 0, 1, 100}}},
        // Without data only the x border goes.
        {"both, no data", {}, {true, true}, {{0, 0, 1, 100}}},
    };
    for (const Case& c : cases) {
        kit::ViewHost host(bordered(chartWith(c.values, c.labels)), {200, 100});
        const auto items = lines(host);
        ASSERT_EQ(items.size(), c.dividers.size()) << c.what;
        for (std::size_t i = 0; i < items.size(); ++i) {
            EXPECT_EQ(std::get<kit::Color>(items[i]->paint).resolved(), kit::Color::separator().resolved()) << c.what;
            expectRect(items[i]->hostBounds(), c.dividers[i], 1e-9);
        }
        expectRect(host.displayList().items.front().hostBounds(), kit::Rect(0, 0, 200, 100), 1e-9); // the content
    }
}

TEST_F(AxisBorder, ASetColourLiesBehindTheDividerAndIsReadAtEachRedraw)
{
    auto chart = chartWith({1, 2}, {false, true}, kit::Color::red(), kit::Color::blue());
    kit::ViewHost host(bordered(chart), {200, 100});
    auto items = lines(host);
    ASSERT_EQ(items.size(), 4u);
    const kit::Color expected[] = {kit::Color::red(), kit::Color::separator(), kit::Color::blue(),
                                   kit::Color::separator()};
    const kit::Rect rects[] = {{0, 99, 200, 1}, {0, 99, 200, 1}, {0, 0, 1, 100}, {0, 0, 1, 100}};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(std::get<kit::Color>(items[i]->paint).resolved(), expected[i].resolved()) << i;
        expectRect(items[i]->hostBounds(), rects[i], 1e-9);
    }
    chart->chartStyle.modify([](TestAxisStyle& style) { style.xAxisBorderColour = kit::Color::green(); });
    host.update();
    items = lines(host);
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(std::get<kit::Color>(items[0]->paint).resolved(), kit::Color::green().resolved());
}

TEST_F(AxisBorder, WhereTheLabelsStandIsNotedWhenTheBorderIsMade)
{
    // Made without labels, the borders stay away when the flags are set
    // later, until they are made again.
    auto chart = chartWith({1, 2}, {});
    kit::ViewHost host(bordered(chart), {200, 100});
    chart->viewData.modify([](ChartViewData& v) { v.hasXAxisLabels = v.hasYAxisLabels = true; });
    host.update();
    EXPECT_TRUE(lines(host).empty());
    host.setRoot(bordered(chart));
    EXPECT_EQ(lines(host).size(), 2u);

    // Data coming and going does count at once for the x border.
    chart->dataSets.modify([](ValueSet& set) { set.dataPoints.clear(); });
    host.update();
    EXPECT_EQ(lines(host).size(), 1u);
}

} // namespace
