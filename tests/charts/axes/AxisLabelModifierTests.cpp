#include "AxesTest.h"
#include "AxisViewTest.h"

#include "charts/axes/XAxisLabels.h"
#include "charts/axes/YAxisLabels.h"

namespace {

using namespace charts;
using namespace charts::testing;

// A chart whose label views are plain texts in a size-10 font (6 points a
// character, 12 high), so that the modifiers' own layout shows.
class StubLabelsChart : public ValueChart {
public:
    using ValueChart::ValueChart;
    kit::View xAxisLabelsView() const override { return kit::Text("X labels").font(kit::Font::system(10)).id("x"); }
    kit::View yAxisLabelsView() const override { return kit::Text("Y").font(kit::Font::system(10)).id("y"); }
};

inline TestAxisStyle titledStyle(std::optional<std::string> xTitle, std::optional<std::string> yTitle)
{
    TestAxisStyle style;
    style.xAxisTitle = std::move(xTitle);
    style.yAxisTitle = std::move(yTitle);
    style.xAxisTitleFont = kit::Font::system(10);
    style.yAxisTitleFont = kit::Font::system(10);
    style.yAxisTitleColour = kit::Color::purple();
    return style;
}

inline kit::View chartContent()
{
    return kit::View(kit::Color::red()).id("content");
}

class AxisLabelModifierTest : public AxisViewTest {};

TEST_F(AxisLabelModifierTest, XAxisLabelsStandBetweenTheChartAndTheTitleTwoPointsClearOfTheChart)
{
    // A 200 × 100 chart, the labels 12 + 2 high and the title 12 + 2 high,
    // two 8-point spacings: 144 high, centred in 300 from y = 78.
    struct Case {
        XAxisLabelPosistion position;
        double content, labels, title;
    };
    const Case cases[] = {{XAxisLabelPosistion::bottom, 78, 188, 210}, {XAxisLabelPosistion::top, 122, 100, 78}};
    for (const Case& c : cases) {
        TestAxisStyle style = titledStyle("Title", std::nullopt);
        style.xAxisLabelPosition = c.position;
        const auto chart = std::make_shared<StubLabelsChart>(std::vector<double>{1, 2}, style);
        kit::ViewHost host(applyXAxisLabels(kit::View(kit::Color::red()).frame(200, 100).id("content"), chart),
                           {300, 300});
        settle(host);
        EXPECT_EQ(frameOf(host, "content").minY(), c.content);
        EXPECT_EQ(frameOf(host, "x").minY(), c.labels);
        EXPECT_EQ(host.displayList().textItem("Title")->hostBounds().minY(), c.title);
        EXPECT_EQ(chart->viewData->xAxisTitleHeight, 24) << "the padded title plus 10";
        EXPECT_TRUE(chart->viewData->hasXAxisLabels);
    }
}

TEST_F(AxisLabelModifierTest, YAxisLabelsStandBetweenTheChartAndTheTitleFourPointsClearWithNoOtherSpace)
{
    // The title "Axis title" is 60 × 12 upright: its column is 12 + 10 wide;
    // the label "Y" 6 wide, then the 4-point gap. Half a value label (the
    // style's size-13 font, 15.6 high) is kept free above and below.
    struct Case {
        YAxisLabelPosistion position;
        std::optional<std::string> title;
        kit::Rect content;
        double labels;
    };
    const Case cases[] = {
        {YAxisLabelPosistion::leading, "Axis title", {32, 7.8, 368, 284.4}, 22},
        {YAxisLabelPosistion::trailing, "Axis title", {0, 7.8, 368, 284.4}, 372},
        {YAxisLabelPosistion::leading, std::nullopt, {10, 7.8, 390, 284.4}, 0},
        {YAxisLabelPosistion::trailing, std::nullopt, {0, 7.8, 390, 284.4}, 394},
    };
    for (const Case& c : cases) {
        TestAxisStyle style = titledStyle(std::nullopt, c.title);
        style.yAxisLabelPosition = c.position;
        const auto chart = std::make_shared<StubLabelsChart>(std::vector<double>{1, 2}, style);
        kit::ViewHost host(applyYAxisLabels(chartContent(), chart, "%.0f", nullptr, AxisColour::none()), {400, 300});
        settle(host);
        expectRect(frameOf(host, "content"), c.content);
        EXPECT_EQ(frameOf(host, "y").minX(), c.labels);
        EXPECT_EQ(chart->viewData->yAxisTitleWidth, c.title ? 22 : 0);
        EXPECT_EQ(chart->viewData->yAxisTitleHeight, c.title ? 60 : 0);
    }
}

TEST_F(AxisLabelModifierTest, TheYAxisTitleIsTurnedAnticlockwiseWithItsDotClearOfItBelow)
{
    // The title column (text 12 high in a 22-wide frame, the 10-point dot,
    // an empty spacer) is 12 + 10 + 8 high, centred in 300 from y = 135.
    // The text turns about its centre (11, 141); the dot lies under the text
    // box and moves down by half the title's length, 30.
    const auto chart = std::make_shared<StubLabelsChart>(std::vector<double>{1, 2},
                                                         titledStyle(std::nullopt, "Axis title"));
    kit::ViewHost host(applyYAxisLabels(chartContent(), chart, "%.0f", nullptr, AxisColour::style(10)), {400, 300});
    settle(host);
    const kit::DisplayItem* title = host.displayList().textItem("Axis title");
    ASSERT_TRUE(title);
    expectRect(title->hostBounds(), kit::Rect(5, 111, 12, 60));
    EXPECT_EQ(title->color, kit::Color::purple().resolved());
    std::vector<const kit::DisplayItem*> dots;
    for (const kit::DisplayItem* item : host.displayList().itemsOfKind(kit::DisplayItem::Kind::fill))
        if (pathBounds(*item).width() == 10)
            dots.push_back(item);
    ASSERT_EQ(dots.size(), 1u);
    expectRect(pathBounds(*dots[0]), kit::Rect(6, 177, 10, 10));
    EXPECT_EQ(std::get<kit::Color>(dots[0]->paint).components(), kit::Color::red().resolved())
        << "the data set's colour";
}

TEST_F(AxisLabelModifierTest, TheColourDotTakesTheFirstColourItsStyleHoldsRunningLeadingToTrailing)
{
    const ColourStyle gradient({kit::Color::red(), kit::Color::blue()}, kit::UnitPoint::top(),
                               kit::UnitPoint::bottom());
    const auto bars = barData({1}, barChartStyle(), barStyle(ColourFrom::barStyle, gradient));
    ColourStyle empty(kit::Color::green());
    empty.colour.reset();
    struct Case {
        const char* name;
        kit::View dot;
        std::optional<kit::Size> size; // none: no dot
        bool gradient;
    };
    const Case cases[] = {
        {"style: the bars' gradient", axisColourIndicator(AxisColour::style(10), *bars), kit::Size{10, 10}, true},
        {"custom", axisColourIndicator(AxisColour::custom(ColourStyle(kit::Color::green()), 8), *bars), kit::Size{8, 8},
         false},
        {"none", axisColourIndicator(AxisColour::none(), *bars), std::nullopt, false},
        {"a colour style holding nothing", colourIndicatorDot(10, empty), std::nullopt, false},
        {"the extra line's colour: red without one", extraAxisColourIndicator(AxisColour::style(6), *bars),
         kit::Size{6, 6}, false},
    };
    for (const Case& c : cases) {
        kit::ViewHost host(c.dot, {100, 100});
        settle(host);
        const auto fills = host.displayList().itemsOfKind(kit::DisplayItem::Kind::fill);
        ASSERT_EQ(fills.size(), c.size ? 1u : 0u) << c.name;
        if (!c.size)
            continue;
        EXPECT_EQ(pathBounds(*fills[0]).size, *c.size) << c.name;
        const auto* linear = std::get_if<kit::LinearGradient>(&fills[0]->paint);
        EXPECT_EQ(linear != nullptr, c.gradient) << c.name;
        if (linear) {
            EXPECT_EQ(linear->startPoint, kit::UnitPoint::leading()) << c.name;
            EXPECT_EQ(linear->endPoint, kit::UnitPoint::trailing()) << c.name;
            EXPECT_EQ(linear->gradient.stops().size(), 2u) << c.name;
        }
    }
}

TEST_F(AxisLabelModifierTest, TheModifiersRecordTheirFlagsAndFormatOnAppearanceAlsoWithoutData)
{
    const auto chart = std::make_shared<StubLabelsChart>(std::vector<double>{}, titledStyle("X", "Y"));
    chart->viewData.modify(
        [](ChartViewData& data) { data.yAxisNumberFormatter = std::make_shared<kit::NumberFormatter>(); });
    std::vector<std::tuple<bool, bool, std::string, bool>> writes; // x flag, y flag, specifier, formatter
    const auto log = chart->viewData.sink([&](const ChartViewData& data) {
        writes.emplace_back(data.hasXAxisLabels, data.hasYAxisLabels, data.yAxisSpecifier,
                            data.yAxisNumberFormatter != nullptr);
    });
    kit::ViewHost host(applyXAxisLabels(applyYAxisLabels(chartContent(), chart, "%.2f"), chart), {300, 200});
    settle(host);
    expectRect(frameOf(host, "content"), kit::Rect(0, 0, 300, 200)); // no data: the chart alone
    EXPECT_TRUE(textItems(host).empty());
    using W = std::tuple<bool, bool, std::string, bool>;
    EXPECT_EQ(writes, (std::vector<W>{{false, false, "%.0f", true},
                                      {false, true, "%.0f", true},
                                      {false, true, "%.2f", true},
                                      {false, true, "%.2f", false},
                                      {true, true, "%.2f", false}}))
        << "the y flag, the specifier and the cleared formatter, each announced, then the x flag";
}

} // namespace
