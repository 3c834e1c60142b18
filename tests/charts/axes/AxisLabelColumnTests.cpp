#include "AxisViewTest.h"

#include "charts/axes/YAxisLabelValues.h"

#include <cstdint>

namespace {

using namespace charts;
using namespace charts::testing;

// The bar test style draws y-axis labels in a size-5 font: 3 points a
// character, 6 high. Every column stands beside a plot from y = 20 to 180.
class AxisLabelColumnTest : public AxisViewTest {
protected:
    template <class Chart, class Labels>
    kit::ViewHost& show(const std::shared_ptr<Chart>& chart, Labels labels, kit::Size size)
    {
        host =
            std::make_unique<kit::ViewHost>(LabelsOf<Chart>{chart,
                                                            [labels](const Chart& c) { return std::invoke(labels, c); },
                                                            kit::Rect(30, 20, 70, 160)},
                                            size);
        settle(*host);
        return *host;
    }

    std::unique_ptr<kit::ViewHost> host;
};

TEST_F(AxisLabelColumnTest, EachLabelStandsAtItsValuesHeightBesideThePlot)
{
    // Labels 0 ... 40 over a plot 160 high from y = 20: value v at
    // 180 − v / 40 · 160, so 40 at the top edge, 0 at the bottom edge.
    const auto chart = barData({0, 10, 20, 30, 40});
    show(chart, &BarChartData::yAxisLabelsView, {100, 200});
    EXPECT_EQ(textMidYs(*host), (MidYs{{"0", 180}, {"10", 140}, {"20", 100}, {"30", 60}, {"40", 20}}));
    EXPECT_EQ(chart->viewData->yAxisLabelWidth, (std::vector<double>{3, 6, 6, 6, 6}))
        << "one width per label, lowest first";
    EXPECT_EQ(accessibility(*host).back(), (std::pair<std::string, std::string>{"Y-Axis-Label", "40"}));
    // In a column as wide as the widest label, across its middle.
    for (const DrawnText& text : drawnTexts(*host))
        EXPECT_EQ(text.bounds.midX(), 3) << text.text;

    host->setVisible(false);
    host->setVisible(true);
    settle(*host);
    EXPECT_EQ(chart->viewData->yAxisLabelWidth.size(), 10u) << "every appearance appends its widths again";

    // Custom labels, wherever the x-axis labels stand: spread evenly from
    // the bottom edge to the top.
    const auto custom = barData({0, 40}, [] {
        BarChartStyle style = barChartStyle();
        style.xAxisLabelPosition = XAxisLabelPosistion::top;
        style.yAxisLabelType = YAxisLabelType::custom;
        return style;
    }());
    custom->yAxisLabels = std::vector<std::string>{"a", "b", "c"};
    show(custom, &BarChartData::yAxisLabelsView, {100, 200});
    EXPECT_EQ(textMidYs(*host), (MidYs{{"a", 180}, {"b", 100}, {"c", 20}}));
}

TEST_F(AxisLabelColumnTest, AColumnWithoutLabelsShowsNothing)
{
    const auto custom = barData({1, 2}, [] {
        BarChartStyle style = barChartStyle();
        style.yAxisLabelType = YAxisLabelType::custom;
        return style;
    }());
    show(custom, &BarChartData::yAxisLabelsView, {100, 200});
    EXPECT_TRUE(drawnTexts(*host).empty());
    EXPECT_TRUE(custom->viewData->yAxisLabelWidth.empty());

    const auto plain = barData({1, 2});
    show(plain, &BarChartData::extraYAxisLabelsView, {100, 200});
    EXPECT_TRUE(drawnTexts(*host).empty()) << "no extra line, no extra labels";
}

struct ExtraLabelCase {
    const char* name;
    std::vector<double> values;
    Baseline baseline;
    Topline topLine;
    std::int64_t count;
    std::string specifier;
    std::vector<std::string> expected;
};

TEST(ExtraYAxisLabelValues, TheExtraLineSpreadsItsOwnRangeWidenedByATinyStepWithTheSpecifierAlone)
{
    using V = std::vector<std::string>;
    const Baseline minimum = Baseline::minimumValue();
    const Topline maximum = Topline::maximumValue();
    const ExtraLabelCase cases[] = {
        {"its own extremes", {10, 20, 30}, minimum, maximum, 3, "%.0f", V{"10", "20", "30"}},
        {"from zero to a given top",
         {10, 20, 30},
         Baseline::zero(),
         Topline::maximum(100),
         5,
         "%.0f",
         V{"0", "25", "50", "75", "100"}},
        {"a given bottom above the data",
         {10, 20, 30},
         Baseline::minimumWithMaximum(15),
         maximum,
         2,
         "%.0f",
         V{"10", "30"}},
        {"a given bottom below the data",
         {10, 20, 30},
         Baseline::minimumWithMaximum(5),
         maximum,
         2,
         "%.0f",
         V{"5", "30"}},
        // 0 + (5 + 1e-11) / 2 lies just above 2.5: it rounds up, where the
        // chart's own label of exactly 2.5 rounds to even.
        {"the widened step tips a tie", {0, 5}, minimum, maximum, 3, "%.0f", V{"0", "3", "5"}},
        {"the top carries the tiny step", {0, 1}, minimum, maximum, 2, "%.12f", V{"0.000000000000", "1.000000000010"}},
        {"a line without points", {}, minimum, maximum, 3, "%.0f", V{"0", "0", "0"}},
        {"one label: the lowest value", {10, 30}, minimum, maximum, 1, "%.0f", V{"10"}},
        {"no labels", {10, 30}, minimum, maximum, 0, "%.0f", V{}},
        {"an invalid specifier", {10, 30}, minimum, maximum, 2, "%d", V{"10", "30"}},
    };
    for (const ExtraLabelCase& c : cases) {
        const auto chart = barData({0, 5});
        ExtraLineStyle style = extraLineStyle(LineMarkerType::none(), c.baseline, c.topLine);
        style.yAxisNumberOfLabels = c.count;
        chart->extraLineData = extraLine(c.values, style);
        EXPECT_EQ(extraYAxisLabelValues(*chart, c.specifier), c.expected) << c.name;
    }
    const auto chart = barData({0, 5}, [] {
        BarChartStyle style = barChartStyle();
        style.yAxisNumberOfLabels = 3;
        return style;
    }());
    EXPECT_EQ(yAxisLabelValues(*chart, "%.0f", nullptr), (std::vector<std::string>{"0", "2", "5"}));
    EXPECT_TRUE(extraYAxisLabelValues(*chart, "%.0f").empty()) << "no extra line";
}

TEST(AxisLabelValues, AHugeCountGivesAThousandLabelsFromTheLowestValueToTheTop)
{
    // Over 0 ... 999 a thousand labels step by 1 (the extra line's by 1 and
    // a trace that "%.0f" drops): "0", "1", ..., "999".
    std::vector<std::string> thousand;
    for (int i = 0; i < 1000; ++i)
        thousand.push_back(std::to_string(i));
    for (const std::int64_t count :
         {std::int64_t{1000}, std::int64_t{1001}, std::int64_t{1'000'000'000'000}, INT64_MAX}) {
        const auto chart = barData({0, 999}, [count] {
            BarChartStyle style = barChartStyle();
            style.yAxisNumberOfLabels = count;
            return style;
        }());
        ExtraLineStyle style = extraLineStyle();
        style.yAxisNumberOfLabels = count;
        chart->extraLineData = extraLine({0, 999}, style);
        EXPECT_EQ(yAxisLabelValues(*chart, "%.0f", nullptr), thousand) << count;
        EXPECT_EQ(extraYAxisLabelValues(*chart, "%.0f"), thousand) << count;
    }
}

// Formats every number as "#".
struct HashFormatter : kit::NumberFormatter {
    std::optional<std::string> string(double) const override { return "#"; }
};

TEST_F(AxisLabelColumnTest, TheExtraColumnShowsTheExtraLinesNumbersWithTheLayoutsSpecifierWhateverTheChartShows)
{
    // A horizontal bar chart's own y-axis labels are its categories; its
    // extra column still shows the extra line's numbers, and a formatter in
    // the layout record is not used for them.
    const auto chart = horizontalData({1, 2});
    ExtraLineStyle style = extraLineStyle();
    style.yAxisNumberOfLabels = 3;
    chart->extraLineData = extraLine({10, 20, 30}, style);
    chart->viewData.modify([](ChartViewData& data) {
        data.yAxisSpecifier = "%.1f";
        data.yAxisNumberFormatter = std::make_shared<HashFormatter>();
    });
    show(chart, &HorizontalBarChartData::extraYAxisLabelsView, {100, 200});
    // 10 to 30 over the plot's 160 points of height.
    EXPECT_EQ(textMidYs(*host), (MidYs{{"10.0", 180}, {"20.0", 100}, {"30.0", 20}}));
    EXPECT_EQ(chart->viewData->yAxisLabelWidth, (std::vector<double>{12, 12, 12}));
}

struct ColourCase {
    const char* name;
    ColourStyle colour;
    ColourStyle expected;
};

TEST(DataSetColour, BarsTakeTheBarStylesColourAndLinesTheLineColourOfTheirFirstLine)
{
    const ColourStyle gradient({kit::Color::red(), kit::Color::blue()}, kit::UnitPoint::top(),
                               kit::UnitPoint::bottom());
    EXPECT_EQ(barData({1}, barChartStyle(), barStyle(ColourFrom::barStyle, gradient))->dataSetColour(), gradient);
    EXPECT_EQ(horizontalData({1}, barChartStyle(), barStyle(ColourFrom::dataPoints, gradient))->dataSetColour(),
              gradient);
    EXPECT_EQ(groupedData({{1}})->dataSetColour(), ColourStyle(kit::Color::orange()));
    EXPECT_EQ(lineChart(lineSet({1, 2}, lineStyle(false, LineType::line, gradient)))->dataSetColour(), gradient);
    EXPECT_EQ(multiLineChart({lineSet({1, 2}, lineStyle(false, LineType::line, ColourStyle(kit::Color::green()))),
                              lineSet({1, 2})})
                  ->dataSetColour(),
              ColourStyle(kit::Color::green()));
    EXPECT_EQ(multiLineChart({})->dataSetColour(), ColourStyle(kit::Color::red())) << "no line: flat red";
    EXPECT_EQ(rangedChart({{1, 2, 0}})->dataSetColour(), ColourStyle(kit::Color::red()))
        << "the line's colour, not the band's";
}

} // namespace
