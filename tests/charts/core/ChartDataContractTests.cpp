#include "TestChartData.h"
#include "TestExtraLine.h"

#include <gtest/gtest.h>

namespace {

using namespace charts;
using namespace charts::testing;

static_assert(ChartDataObject<TestChart> && ChartDataObject<TestAxisChart>);

TEST(BeginTouch, AnnouncesTheTouchInThreeWritesBeforeLookingUpPoints)
{
    TestChart chart({TestPoint(1), TestPoint(2)});
    chart.infoView.modify([](auto& info) { info.touchOverlayInfo = {TestPoint(9)}; });
    Announcements announcements(chart);
    int announcedBeforeLookup = -1;
    InfoViewData<TestPoint> seen;
    chart.onTouch = [&](kit::Point, const kit::Rect&) {
        announcedBeforeLookup = announcements.count;
        seen = *chart.infoView;
    };

    chart.beginTouch({1, 40}, kit::Rect(0, 0, 300, 200));
    EXPECT_EQ(announcedBeforeLookup, 3);
    EXPECT_TRUE(seen.isTouchCurrent);
    EXPECT_EQ(seen.touchLocation, (kit::Point{1, 40}));
    EXPECT_EQ(seen.chartSize, kit::Rect(0, 0, 300, 200));
    // Earlier touched points stay until the lookup replaces them or the touch ends.
    ASSERT_EQ(seen.touchOverlayInfo.size(), 1u);
    EXPECT_EQ(chart.infoView->touchOverlayInfo.size(), 2u);
}

TEST(InfoTexts, JoinTheValueAndTheUnitWithOneBlank)
{
    using Texts = std::pair<std::string, std::string>;
    TestChart chart(std::vector<TestPoint>{});
    const TestPoint point(12, "Apples");
    auto withUnit = [&](TouchUnit unit) {
        chart.infoView.modify([&](auto& info) { info.touchUnit = unit; });
        return std::pair(chart.infoValueString(point), chart.infoUnitString());
    };
    EXPECT_EQ(withUnit(TouchUnit::prefix("$")), (Texts("$ 12", "$")));
    EXPECT_EQ(withUnit(TouchUnit::suffix("kg")), (Texts("12 kg", "kg")));
    EXPECT_EQ(withUnit(TouchUnit::none()), (Texts("12", "")));
    EXPECT_EQ(withUnit(TouchUnit::prefix("")), (Texts(" 12", "")));

    chart.infoView.modify([](auto& info) {
        info.touchSpecifier = "%.1f";
        info.touchUnit = TouchUnit::suffix("%");
    });
    EXPECT_EQ(chart.infoValueString(TestPoint(2.25)), "2.2 %");
    EXPECT_EQ(chart.infoPlainValueString(TestPoint(2.25)), "2.2");
    chart.infoView.modify([](auto& info) {
        info.touchFormatter = std::make_shared<kit::NumberFormatter>(kit::NumberFormatter::Style::percent);
    });
    EXPECT_EQ(chart.infoPlainValueString(TestPoint(0.5)), "50%");

    EXPECT_EQ(TestChart::infoDescriptionString(point), "Apples");
    EXPECT_EQ(TestChart::infoDescriptionString(TestPoint(1)), "");
}

TEST(InfoBoxPosition, KeepsTheBoxInsideTheChartThenPassesTheAxisLabels)
{
    TestAxisChart chart(std::vector<TestPoint>{});
    const kit::Rect narrow(0, 0, 100, 80);
    const kit::Rect box(0, 0, 150, 40);
    EXPECT_EQ(chart.infoBoxPosition(50, box, narrow), 75);
    EXPECT_EQ(chart.infoBoxPosition(80, box, narrow), 25);

    const kit::Rect wide(10, 0, 500, 80);
    const kit::Rect small(0, 0, 60, 40);
    EXPECT_EQ(chart.infoBoxPosition(10, small, wide), 40);
    EXPECT_EQ(chart.infoBoxPosition(300, small, wide), 300);
    EXPECT_EQ(chart.infoBoxPosition(505, small, wide), 480);

    chart.viewData.modify([](ChartViewData& data) {
        data.yAxisLabelWidth = {20, 35, 30};
        data.yAxisTitleWidth = 12;
        data.hasYAxisLabels = true;
    });
    EXPECT_EQ(chart.infoBoxPosition(10, small, wide), 40 + 35 + 12 + 4);
    EXPECT_EQ(chart.infoBoxPosition(300, small, wide), 300 + 35 + 12 + 4);
}

TEST(ChartWithAxes, StartsUnmeasuredWithoutExtraLine)
{
    TestAxisChart chart({TestPoint(1)});
    EXPECT_FALSE(chart.viewData->hasXAxisLabels);
    EXPECT_EQ(chart.viewData->yAxisSpecifier, "%.0f");
    EXPECT_FALSE(chart.xAxisLabels->has_value());
    EXPECT_FALSE(chart.extraLineData->has_value());
    EXPECT_FALSE(chart.extraLineTouchedPoint({0, 0}, kit::Rect(0, 0, 100, 100)));

    chart.extraLineData = extraLine({4}, extraLineStyle());
    const auto found = chart.extraLineTouchedPoint({50, 0}, kit::Rect(0, 0, 100, 100));
    ASSERT_TRUE(found);
    EXPECT_EQ(found->value, 4);
}

TEST(HasDataHelpers, CountPointsOfOneSetOrOfAnyInnerSet)
{
    TestChart none(std::vector<TestPoint>{});
    TestChart one({TestPoint(1)});
    TestChart two({TestPoint(1), TestPoint(2)});
    EXPECT_FALSE(hasDataPoints(none));
    EXPECT_TRUE(hasDataPoints(one));
    EXPECT_FALSE(hasMultipleDataPoints(one));
    EXPECT_TRUE(hasMultipleDataPoints(two));

    struct Groups {
        struct Value {
            std::vector<TestSet> dataSets;
        };
        kit::Published<Value> dataSets{nullptr};
    } groups;
    EXPECT_FALSE(anySetHasDataPoints(groups));
    groups.dataSets = Groups::Value{{TestSet{}, TestSet{}}};
    EXPECT_FALSE(anySetHasDataPoints(groups));
    groups.dataSets = Groups::Value{{TestSet{}, TestSet{kit::UUID(), {TestPoint(1)}}}};
    EXPECT_TRUE(anySetHasDataPoints(groups));
    EXPECT_FALSE(anySetHasMultipleDataPoints(groups));
    groups.dataSets = Groups::Value{{TestSet{kit::UUID(), {TestPoint(1), TestPoint(2)}}}};
    EXPECT_TRUE(anySetHasMultipleDataPoints(groups));
}

} // namespace
