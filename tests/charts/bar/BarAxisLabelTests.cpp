#include "BarTest.h"

namespace {

using namespace charts;
using namespace charts::testing;

// Shows one of the chart's label views over the host's top-leading corner,
// beside a stand-in for the chart's plot at `plot` (marked as the plot, as a
// chart view marks itself), re-evaluated whenever the chart announces a
// change (the measurements the labels record included).
template <class Chart>
struct LabelsOf {
    kit::ObservedObject<Chart> chartData;
    kit::View (Chart::*labels)() const;
    kit::Rect plot;

    auto dynamicFields() { return std::tie(chartData); }
    kit::View body() const { return besidePlot(chartData.object().get(), plot, ((*chartData).*labels)()); }
};

// With the fixed metrics an x-axis label advances 6 points a character
// and is 12 high; a y-axis label 3 points a character and 6 high.
class BarLabelTest : public UiTest {
protected:
    template <class Chart>
    kit::ViewHost& show(const std::shared_ptr<Chart>& chart, kit::View (Chart::*labels)() const, kit::Size size,
                        kit::Rect plot)
    {
        host = std::make_unique<kit::ViewHost>(LabelsOf<Chart>{chart, labels, plot}, size);
        host->update();
        kit::runUntilIdle();
        host->update();
        return *host;
    }

    // The drawn texts, left to right as drawn, with the centre of each.
    std::vector<std::pair<std::string, double>> centres()
    {
        std::vector<std::pair<std::string, double>> result;
        for (const kit::DisplayItem* item : textItems(*host))
            result.emplace_back(textOf(item), item->hostBounds().midX());
        return result;
    }

    std::unique_ptr<kit::ViewHost> host;
};

using Centres = std::vector<std::pair<std::string, double>>;

TEST_F(BarLabelTest, StandardBarsLabelEachBarInTheMiddleOfItsSlot)
{
    // A plot 400 wide from x = 100: slots of 100, the labels under their
    // middles; a bar without a label shows none.
    const auto chart = barData({1, 2, 3, 4});
    chart->dataSets.modify([](BarDataSet& set) { set.dataPoints[3].xAxisLabel.reset(); });
    show(chart, &BarChartData::xAxisLabelsView, {600, 100}, {100, 0, 400, 50});
    EXPECT_EQ(centres(), (Centres{{"L0", 150}, {"L1", 250}, {"L2", 350}}));
    EXPECT_EQ(chart->viewData->xAxisLabelHeights, (std::vector<double>{12, 12, 12}));
    EXPECT_EQ(chart->viewData->xAxislabelWidths, (std::vector<double>{12, 12, 12}));

    // The chart's own labels, one to a slot of the plot: three of 100.
    chart->xAxisLabels = std::vector<std::string>{"Jan", "Feb", "Mar"};
    chart->chartStyle.modify([](BarChartStyle& s) { s.xAxisLabelsFrom = LabelsFrom::chartData(kit::Angle::zero()); });
    show(chart, &BarChartData::xAxisLabelsView, {600, 100}, {100, 0, 300, 50});
    EXPECT_EQ(centres(), (Centres{{"Jan", 150}, {"Feb", 250}, {"Mar", 350}}));
    chart->xAxisLabels = std::nullopt;
    show(chart, &BarChartData::xAxisLabelsView, {600, 100}, {100, 0, 300, 50});
    EXPECT_TRUE(centres().empty());

    // Turned labels record their extents turned: "Label" is 30 × 12.
    const auto turned = barData({1},
                                barChartStyle(Baseline::minimumValue(), Topline::maximumValue(), BarMarkerType::none(),
                                              LabelsFrom::dataPoint(kit::Angle::degrees(90))));
    turned->dataSets.modify([](BarDataSet& set) { set.dataPoints[0].xAxisLabel = "Label"; });
    show(turned, &BarChartData::xAxisLabelsView, {600, 100}, {0, 0, 600, 50});
    EXPECT_EQ(turned->viewData->xAxisLabelHeights, std::vector<double>{30});
    EXPECT_EQ(turned->viewData->xAxislabelWidths, std::vector<double>{12});
}

TEST_F(BarLabelTest, GroupedAndStackedChartsLabelTheirSetsUnderTheirClustersAndStacks)
{
    // Three clusters with gaps of 30 in a plot 300 wide from x = 100: each
    // (300 − 60) / 3 = 80 wide, from 0, 110 and 220: their middles at 40,
    // 150 and 260 of the plot.
    const auto grouped = groupedData({{1, 2}, {3}, {4}});
    grouped->groupSpacing = 30;
    const kit::Rect plot{100, 0, 300, 50};
    show(grouped, &GroupedBarChartData::xAxisLabelsView, {600, 100}, plot);
    EXPECT_EQ(centres(), (Centres{{"Set 0", 140}, {"Set 1", 250}, {"Set 2", 360}}));
    // Gaps of 500 would leave the clusters nothing: they narrow to leave them
    // half the width, 300 / (2 · 2) = 75 each; clusters of 50 from 0, 125, 250.
    grouped->groupSpacing = 500;
    show(grouped, &GroupedBarChartData::xAxisLabelsView, {600, 100}, plot);
    EXPECT_EQ(centres(), (Centres{{"Set 0", 125}, {"Set 1", 250}, {"Set 2", 375}}));

    // Stacks: one label per stack under its middle, the segments' own
    // labels not shown.
    const auto stacked = stackedData({{1, 2}, {3}});
    stacked->dataSets.modify([](StackedBarDataSets& sets) { sets.dataSets[0].dataPoints[0].xAxisLabel = "Segment"; });
    show(stacked, &StackedBarChartData::xAxisLabelsView, {600, 100}, plot);
    EXPECT_EQ(centres(), (Centres{{"Set 0", 175}, {"Set 1", 325}}));

    // The chart's own labels of both, one to a slot of the plot.
    const std::vector<std::string> labels{"Jan", "Feb", "Mar"};
    stacked->xAxisLabels = labels;
    stacked->chartStyle.modify([](BarChartStyle& s) { s.xAxisLabelsFrom = LabelsFrom::chartData(kit::Angle::zero()); });
    show(stacked, &StackedBarChartData::xAxisLabelsView, {600, 100}, plot);
    EXPECT_EQ(centres(), (Centres{{"Jan", 150}, {"Feb", 250}, {"Mar", 350}}));
    grouped->xAxisLabels = labels;
    grouped->chartStyle.modify([](BarChartStyle& s) { s.xAxisLabelsFrom = LabelsFrom::chartData(kit::Angle::zero()); });
    show(grouped, &GroupedBarChartData::xAxisLabelsView, {600, 100}, plot);
    EXPECT_EQ(centres(), (Centres{{"Jan", 150}, {"Feb", 250}, {"Mar", 350}}));
    grouped->xAxisLabels = std::nullopt;
    show(grouped, &GroupedBarChartData::xAxisLabelsView, {600, 100}, plot);
    EXPECT_TRUE(centres().empty());
}

TEST_F(BarLabelTest, RangedBarsPlaceEachPointsLabelUnderTheMiddleOfItsSlot)
{
    // Slots of 400 / 4: labels in slots 0 and 3 only.
    const auto chart = rangedData({{0, 1}, {0, 2}, {0, 3}, {0, 4}});
    chart->dataSets.modify([](RangedBarDataSet& set) {
        set.dataPoints[1].xAxisLabel.reset();
        set.dataPoints[2].xAxisLabel = "";
    });
    show(chart, &RangedBarChartData::xAxisLabelsView, {400, 100}, {0, 0, 400, 50});
    EXPECT_EQ(centres(), (Centres{{"R0", 50}, {"R3", 350}}));
    EXPECT_EQ(chart->viewData->xAxisLabelHeights, (std::vector<double>{12, 12}));

    chart->xAxisLabels = std::vector<std::string>{"Q1", "Q2"};
    chart->chartStyle.modify([](BarChartStyle& s) { s.xAxisLabelsFrom = LabelsFrom::chartData(kit::Angle::zero()); });
    show(chart, &RangedBarChartData::xAxisLabelsView, {400, 100}, {0, 0, 400, 50});
    EXPECT_EQ(centres(), (Centres{{"Q1", 100}, {"Q2", 300}}));
}

TEST_F(BarLabelTest, AHorizontalChartsValueLabelsStandAtTheirValuesAlongThePlotAndRecordTheirHeights)
{
    // Values 0 to 100 in five labels, 3 points a character, along a plot
    // 300 wide from x = 50: centred at 50, 125, 200, 275 and 350.
    const auto chart = horizontalData({0, 100});
    const kit::Rect plot{50, 0, 300, 50};
    show(chart, &HorizontalBarChartData::xAxisLabelsView, {400, 100}, plot);
    EXPECT_EQ(centres(), (Centres{{"0", 50}, {"25", 125}, {"50", 200}, {"75", 275}, {"100", 350}}));
    EXPECT_EQ(textItems(*host).front()->font, kit::Font::system(5));
    EXPECT_EQ(chart->viewData->xAxisLabelHeights, (std::vector<double>{6, 6, 6, 6, 6}));
    const auto elements = host->accessibilityElements();
    ASSERT_EQ(elements.size(), 5u);
    EXPECT_EQ(elements[4].label, "Y-Axis-Label");
    EXPECT_EQ(elements[4].value, "100");

    // The layout record's format, custom labels whatever their count, and
    // none at all.
    chart->viewData.modify([](ChartViewData& data) { data.yAxisSpecifier = "%.1f"; });
    chart->chartStyle.modify([](BarChartStyle& s) { s.yAxisNumberOfLabels = 2; });
    show(chart, &HorizontalBarChartData::xAxisLabelsView, {400, 100}, plot);
    EXPECT_EQ(texts(*host), (std::vector<std::string>{"0.0", "100.0"}));
    chart->chartStyle.modify([](BarChartStyle& s) { s.yAxisNumberOfLabels = 0; });
    show(chart, &HorizontalBarChartData::xAxisLabelsView, {400, 100}, plot);
    EXPECT_TRUE(texts(*host).empty());
    chart->chartStyle.modify([](BarChartStyle& s) { s.yAxisLabelType = YAxisLabelType::custom; });
    show(chart, &HorizontalBarChartData::xAxisLabelsView, {400, 100}, plot);
    EXPECT_TRUE(texts(*host).empty());
    chart->yAxisLabels = std::vector<std::string>{"low", "mid", "high"};
    show(chart, &HorizontalBarChartData::xAxisLabelsView, {400, 100}, plot);
    EXPECT_EQ(centres(), (Centres{{"low", 50}, {"mid", 200}, {"high", 350}}));
}

TEST_F(BarLabelTest, AHorizontalChartsCategoryLabelsStandBesideTheirBars)
{
    // Two bars down a plot from y = 20 to 180: bands of 80, the labels
    // centred on 60 and 140. Per point "L0" (12 wide, recorded as 22) and
    // "L" (6): a column as wide as the widest, each label against the plot:
    // at the column's trailing edge for leading labels, at its leading edge
    // for trailing ones.
    auto labels = [&](YAxisLabelPosistion position, LabelsFrom from) {
        const auto chart = horizontalData({1, 2});
        chart->dataSets.modify([](BarDataSet& set) { set.dataPoints[1].xAxisLabel = "L"; });
        chart->xAxisLabels = std::vector<std::string>{"Jan", "Feb"};
        chart->chartStyle.modify([&](BarChartStyle& s) {
            s.yAxisLabelPosition = position;
            s.xAxisLabelsFrom = from;
        });
        show(chart, &HorizontalBarChartData::yAxisLabelsView, {400, 200}, {100, 20, 300, 160});
        std::vector<kit::Rect> boxes;
        for (const kit::DisplayItem* item : textItems(*host))
            boxes.push_back(item->hostBounds());
        return std::pair{boxes, chart->viewData->yAxisLabelWidth};
    };
    const LabelsFrom fromPoints = LabelsFrom::dataPoint(kit::Angle::zero());
    const auto [leading, widths] = labels(YAxisLabelPosistion::leading, fromPoints);
    EXPECT_EQ(texts(*host), (std::vector<std::string>{"L0", "L"}));
    EXPECT_EQ(widths, (std::vector<double>{22, 16}));
    ASSERT_EQ(leading.size(), 2u);
    expectRect(leading[0], kit::Rect(0, 54, 12, 12));
    expectRect(leading[1], kit::Rect(6, 134, 6, 12));
    const auto trailing = labels(YAxisLabelPosistion::trailing, fromPoints).first;
    ASSERT_EQ(trailing.size(), 2u);
    expectRect(trailing[1], kit::Rect(0, 134, 6, 12));

    // The chart's own labels, recorded without the extra 10, centred in
    // their column.
    const LabelsFrom fromChart = LabelsFrom::chartData(kit::Angle::zero());
    const auto [own, chartWidths] = labels(YAxisLabelPosistion::leading, fromChart);
    EXPECT_EQ(chartWidths, (std::vector<double>{18, 18}));
    ASSERT_EQ(own.size(), 2u);
    expectRect(own[0], kit::Rect(0, 54, 18, 12));
    const auto elements = host->accessibilityElements();
    ASSERT_EQ(elements.size(), 2u);
    EXPECT_EQ(elements[1].label, "Y-Axis-Label");
    EXPECT_EQ(elements[1].value, "Feb");

    const auto unlabelled = horizontalData({1});
    unlabelled->chartStyle.modify([&](BarChartStyle& s) { s.xAxisLabelsFrom = fromChart; });
    show(unlabelled, &HorizontalBarChartData::yAxisLabelsView, {400, 200}, {100, 20, 300, 160});
    EXPECT_TRUE(texts(*host).empty());
}

} // namespace
