#include "BarTest.h"

namespace {

using namespace charts;
using namespace charts::testing;

// Shows one of the chart's label views, re-evaluated whenever the chart
// announces a change (the measurements the labels record included).
template <class Chart>
struct LabelsOf {
    kit::ObservedObject<Chart> chartData;
    kit::View (Chart::*labels)() const;

    auto dynamicFields() { return std::tie(chartData); }
    kit::View body() const { return ((*chartData).*labels)(); }
};

// With the fixed metrics an x-axis label advances 6 points a character
// and is 12 high; a y-axis label 3 points a character and 6 high.
class BarLabelTest : public UiTest {
protected:
    template <class Chart>
    kit::ViewHost& show(const std::shared_ptr<Chart>& chart, kit::View (Chart::*labels)() const, kit::Size size)
    {
        host = std::make_unique<kit::ViewHost>(LabelsOf<Chart>{chart, labels}, size);
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

    template <class Chart>
    static void setChartWidth(Chart& chart, double width)
    {
        chart.viewData.modify([&](ChartViewData& data) { data.chartSize = kit::Rect(0, 0, width, 100); });
    }

    std::unique_ptr<kit::ViewHost> host;
};

using Centres = std::vector<std::pair<std::string, double>>;

TEST_F(BarLabelTest, StandardBarsLabelEachBarInACellOfItsSectionBetweenTwoGaps)
{
    // Four cells of 400 / 4 in 600: the eight gaps share 200.
    const auto chart = barData({1, 2, 3, 4});
    chart->dataSets.modify([](BarDataSet& set) { set.dataPoints[3].xAxisLabel.reset(); });
    setChartWidth(*chart, 400);
    show(chart, &BarChartData::xAxisLabelsView, {600, 100});
    EXPECT_EQ(centres(), (Centres{{"L0", 75}, {"L1", 225}, {"L2", 375}, {"", 525}}));
    EXPECT_EQ(chart->viewData->xAxisLabelHeights, (std::vector<double>{12, 12, 12, 12}));
    EXPECT_EQ(chart->viewData->xAxislabelWidths, (std::vector<double>{12, 12, 12, 0}));

    // The chart's own labels: cells as wide as the widest label (18), one
    // gap after each label but the last.
    chart->xAxisLabels = std::vector<std::string>{"Jan", "Feb", "Mar"};
    chart->chartStyle.modify([](BarChartStyle& s) { s.xAxisLabelsFrom = LabelsFrom::chartData(kit::Angle::zero()); });
    show(chart, &BarChartData::xAxisLabelsView, {600, 100});
    EXPECT_EQ(centres(), (Centres{{"Jan", 9}, {"Feb", 300}, {"Mar", 591}}));
    chart->xAxisLabels = std::nullopt;
    show(chart, &BarChartData::xAxisLabelsView, {600, 100});
    EXPECT_TRUE(centres().empty());

    // Turned labels record their extents turned: "Label" is 30 × 12.
    const auto turned = barData({1},
                                barChartStyle(Baseline::minimumValue(), Topline::maximumValue(), BarMarkerType::none(),
                                              LabelsFrom::dataPoint(kit::Angle::degrees(90))));
    turned->dataSets.modify([](BarDataSet& set) { set.dataPoints[0].xAxisLabel = "Label"; });
    show(turned, &BarChartData::xAxisLabelsView, {600, 100});
    EXPECT_EQ(turned->viewData->xAxisLabelHeights, std::vector<double>{30});
    EXPECT_EQ(turned->viewData->xAxislabelWidths, std::vector<double>{12});
}

TEST_F(BarLabelTest, GroupedAndStackedChartsLabelTheirSetsWithGapsOnlyBetweenNeighbours)
{
    // Clusters of 300 / 3 − 2 · 30 / 3 = 80 in 600: the four gaps share 360.
    const auto grouped = groupedData({{1, 2}, {3}, {4}});
    grouped->groupSpacing = 30;
    setChartWidth(*grouped, 300);
    show(grouped, &GroupedBarChartData::xAxisLabelsView, {600, 100});
    EXPECT_EQ(centres(), (Centres{{"Set 0", 40}, {"Set 1", 300}, {"Set 2", 560}}));
    // Spacing wider than the chart: the cells are 0 wide, never negative.
    grouped->groupSpacing = 500;
    show(grouped, &GroupedBarChartData::xAxisLabelsView, {600, 100});
    EXPECT_EQ(centres(), (Centres{{"Set 0", 0}, {"Set 1", 300}, {"Set 2", 600}}));

    // Stacks: one cell per stack with its title, as wide as the widest
    // measured label (30), a gap on each side; the segments' own labels
    // are not shown.
    const auto stacked = stackedData({{1, 2}, {3}});
    stacked->dataSets.modify([](StackedBarDataSets& sets) { sets.dataSets[0].dataPoints[0].xAxisLabel = "Segment"; });
    show(stacked, &StackedBarChartData::xAxisLabelsView, {600, 100});
    EXPECT_EQ(centres(), (Centres{{"Set 0", 150}, {"Set 1", 450}}));

    // The chart's own labels of both: two gaps between neighbours, none
    // outside. The measured sizes only grow: the cells keep the width of the
    // widest label measured so far, "Set 0" (30).
    for (const auto& labels : {std::vector<std::string>{"Jan", "Feb", "Mar"}}) {
        stacked->xAxisLabels = labels;
        stacked->chartStyle.modify(
            [](BarChartStyle& s) { s.xAxisLabelsFrom = LabelsFrom::chartData(kit::Angle::zero()); });
        show(stacked, &StackedBarChartData::xAxisLabelsView, {600, 100});
        EXPECT_EQ(centres(), (Centres{{"Jan", 15}, {"Feb", 300}, {"Mar", 585}}));
        grouped->xAxisLabels = labels;
        grouped->chartStyle.modify(
            [](BarChartStyle& s) { s.xAxisLabelsFrom = LabelsFrom::chartData(kit::Angle::zero()); });
        show(grouped, &GroupedBarChartData::xAxisLabelsView, {600, 100});
        EXPECT_EQ(centres(), (Centres{{"Jan", 15}, {"Feb", 300}, {"Mar", 585}}));
    }
    grouped->xAxisLabels = std::nullopt;
    show(grouped, &GroupedBarChartData::xAxisLabelsView, {600, 100});
    EXPECT_TRUE(centres().empty());
}

TEST_F(BarLabelTest, RangedBarsPlaceEachPointsLabelInItsOwnSlotOfTheMeasuredWidth)
{
    // Slots of 400 / 4: labels in slots 0 and 3 only.
    const auto chart = rangedData({{0, 1}, {0, 2}, {0, 3}, {0, 4}});
    chart->dataSets.modify([](RangedBarDataSet& set) {
        set.dataPoints[1].xAxisLabel.reset();
        set.dataPoints[2].xAxisLabel = "";
    });
    show(chart, &RangedBarChartData::xAxisLabelsView, {400, 100});
    EXPECT_EQ(centres(), (Centres{{"R0", 50}, {"R3", 350}}));
    EXPECT_EQ(chart->viewData->xAxisLabelHeights, (std::vector<double>{12, 12}));

    chart->xAxisLabels = std::vector<std::string>{"Q1", "Q2"};
    chart->chartStyle.modify([](BarChartStyle& s) { s.xAxisLabelsFrom = LabelsFrom::chartData(kit::Angle::zero()); });
    show(chart, &RangedBarChartData::xAxisLabelsView, {400, 100});
    EXPECT_EQ(centres(), (Centres{{"Q1", 6}, {"Q2", 394}}));
}

TEST_F(BarLabelTest, AHorizontalChartsValueLabelsRunLeftToRightAndRecordTheirHeights)
{
    // Values 0 to 100 in five labels, 3 points a character: 30 points of
    // text, the four gaps sharing 370.
    const auto chart = horizontalData({0, 100});
    show(chart, &HorizontalBarChartData::xAxisLabelsView, {400, 100});
    std::vector<std::pair<std::string, double>> lefts;
    for (const kit::DisplayItem* item : textItems(*host))
        lefts.emplace_back(textOf(item), item->hostBounds().minX());
    EXPECT_EQ(lefts, (Centres{{"0", 0}, {"25", 95.5}, {"50", 194}, {"75", 292.5}, {"100", 391}}));
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
    show(chart, &HorizontalBarChartData::xAxisLabelsView, {400, 100});
    EXPECT_EQ(texts(*host), (std::vector<std::string>{"0.0", "100.0"}));
    chart->chartStyle.modify([](BarChartStyle& s) { s.yAxisNumberOfLabels = 0; });
    show(chart, &HorizontalBarChartData::xAxisLabelsView, {400, 100});
    EXPECT_TRUE(texts(*host).empty());
    chart->chartStyle.modify([](BarChartStyle& s) { s.yAxisLabelType = YAxisLabelType::custom; });
    show(chart, &HorizontalBarChartData::xAxisLabelsView, {400, 100});
    EXPECT_TRUE(texts(*host).empty());
    chart->yAxisLabels = std::vector<std::string>{"low", "mid", "high"};
    show(chart, &HorizontalBarChartData::xAxisLabelsView, {400, 100});
    EXPECT_EQ(texts(*host), (std::vector<std::string>{"low", "mid", "high"}));
}

TEST_F(BarLabelTest, AHorizontalChartsCategoryLabelsRunDownItsSideAndKeepRoomForTheXAxis)
{
    // Per point: "L0" and "L1", 12 wide, recorded as 22. The cell is as
    // wide as the widest record; the label stands at its trailing end for
    // leading labels, at its leading end for trailing ones.
    auto firstLabel = [&](XAxisLabelPosistion xPosition, YAxisLabelPosistion yPosition, LabelsFrom from) {
        const auto chart = horizontalData({1, 2});
        chart->viewData.modify([](ChartViewData& data) { data.xAxisLabelHeights = {40}; });
        chart->xAxisLabels = std::vector<std::string>{"Jan", "Feb"};
        chart->chartStyle.modify([&](BarChartStyle& s) {
            s.xAxisLabelPosition = xPosition;
            s.yAxisLabelPosition = yPosition;
            s.xAxisLabelsFrom = from;
        });
        show(chart, &HorizontalBarChartData::yAxisLabelsView, {400, 200});
        return std::pair{textItems(*host).at(0)->hostBounds(), chart->viewData->yAxisLabelWidth};
    };
    const LabelsFrom fromPoints = LabelsFrom::dataPoint(kit::Angle::zero());
    const auto [leading, widths] = firstLabel(XAxisLabelPosistion::bottom, YAxisLabelPosistion::leading, fromPoints);
    const auto trailing = firstLabel(XAxisLabelPosistion::bottom, YAxisLabelPosistion::trailing, fromPoints).first;
    EXPECT_EQ(widths, (std::vector<double>{22, 22}));
    EXPECT_EQ(leading.minX() - trailing.minX(), 10);
    EXPECT_EQ(texts(*host), (std::vector<std::string>{"L0", "L1"}));
    // The room of the x-axis labels (40 + 8) stands above the labels when the
    // x-axis labels are at the top: seven children 8 apart in 200, the four
    // bands sharing 80, put the first label 56 lower.
    const auto below = firstLabel(XAxisLabelPosistion::top, YAxisLabelPosistion::leading, fromPoints).first;
    EXPECT_EQ(below.minY() - leading.minY(), 56);
    EXPECT_EQ(leading.minY(), 28);

    // The chart's own labels, recorded without the extra 10, with the room
    // for the x-axis always below them.
    const LabelsFrom fromChart = LabelsFrom::chartData(kit::Angle::zero());
    const auto [top, chartWidths] = firstLabel(XAxisLabelPosistion::top, YAxisLabelPosistion::leading, fromChart);
    const auto bottom = firstLabel(XAxisLabelPosistion::bottom, YAxisLabelPosistion::leading, fromChart).first;
    EXPECT_EQ(chartWidths, (std::vector<double>{18, 18}));
    EXPECT_EQ(top, bottom);
    const auto elements = host->accessibilityElements();
    ASSERT_EQ(elements.size(), 2u);
    EXPECT_EQ(elements[1].label, "Y-Axis-Label");
    EXPECT_EQ(elements[1].value, "Feb");

    const auto unlabelled = horizontalData({1});
    unlabelled->chartStyle.modify([&](BarChartStyle& s) { s.xAxisLabelsFrom = fromChart; });
    show(unlabelled, &HorizontalBarChartData::yAxisLabelsView, {400, 200});
    EXPECT_TRUE(texts(*host).empty());
}

} // namespace
