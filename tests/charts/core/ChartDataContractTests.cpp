#include "TestChartData.h"
#include "TestExtraLine.h"

#include "kit/base/Localization.h"

#include <gtest/gtest.h>

namespace {

using namespace charts;
using namespace charts::testing;

static_assert(ChartDataObject<TestChart> && ChartDataObject<TestAxisChart>);

// A formatter that has no text for any number.
struct SilentFormatter : kit::NumberFormatter {
    std::optional<std::string> string(double) const override { return std::nullopt; }
};

TEST(ValueText, SpecifiersAreCheckedFormattersWinAndAccessibilityFillsOnePlaceholder)
{
    EXPECT_EQ(specifierText("%.0f", 2.5), "2");
    EXPECT_EQ(specifierText("%.1f kg", 1.25), "1.2 kg");
    EXPECT_EQ(specifierText("%.0f%%", 42.4), "42%");
    EXPECT_EQ(specifierText("%+.1A", 1.0), "+0X1.0P+0");
    for (const char* invalid : {"%d", "%s", "%n", "%@", "%f %a", "%*f", "%lf", "plain", "%"})
        EXPECT_EQ(specifierText(invalid, 2.5), "2") << invalid;

    const auto percent = std::make_shared<kit::NumberFormatter>(kit::NumberFormatter::Style::percent);
    EXPECT_EQ(valueText(0.256, "%.2f", percent), "26%");
    EXPECT_EQ(valueText(0.256, "%.2f", std::make_shared<SilentFormatter>()), "");
    EXPECT_EQ(rangeText(2, 5, "%.0f", nullptr), "2-5");
    EXPECT_EQ(rangeText(2, 5, "%.0f", std::make_shared<SilentFormatter>()), "-");

    EXPECT_EQ(accessibilityValueString("Apples", "42"), "42 Apples");
    EXPECT_EQ(accessibilityValueString(std::nullopt, "42"), "42 ");
    EXPECT_EQ(accessibilityValueString("100% %@ %d %n", "7"), "7 100% %@ %d %n") << "a description is no format";
    kit::StringTable::setActive({{"%@ Apples", "Äpfel: %@"}, {"%@ Pears", "no value here"}});
    EXPECT_EQ(accessibilityValueString("Apples", "42"), "Äpfel: 42");
    EXPECT_EQ(accessibilityValueString("Pears", "42"), "no value here");
    kit::StringTable::setActive({});
}

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
    EXPECT_EQ(seen.touchOverlayInfo.size(), 1u) << "earlier points stay until the lookup replaces them";
    EXPECT_EQ(chart.infoView->touchOverlayInfo.size(), 2u);
}

TEST(InfoTexts, JoinTheValueAndTheUnitWithOneBlank)
{
    TestChart chart(std::vector<TestPoint>{});
    const TestPoint point(12, "Apples");
    auto withUnit = [&](TouchUnit unit) {
        chart.infoView.modify([&](auto& info) { info.touchUnit = unit; });
        return std::pair(chart.infoValueString(point), chart.infoUnitString());
    };
    using Texts = std::pair<std::string, std::string>;
    EXPECT_EQ(withUnit(TouchUnit::prefix("$")), (Texts("$ 12", "$")));
    EXPECT_EQ(withUnit(TouchUnit::suffix("kg")), (Texts("12 kg", "kg")));
    EXPECT_EQ(withUnit(TouchUnit::none()), (Texts("12", "")));
    EXPECT_EQ(withUnit(TouchUnit::prefix("")), (Texts(" 12", "")));
    chart.infoView.modify([](auto& info) {
        info.touchSpecifier = "%.1f";
        info.touchFormatter = std::make_shared<kit::NumberFormatter>(kit::NumberFormatter::Style::percent);
    });
    EXPECT_EQ(chart.infoPlainValueString(TestPoint(0.5)), "50%");
    EXPECT_EQ(TestChart::infoDescriptionString(point), "Apples");
    EXPECT_EQ(TestChart::infoDescriptionString(TestPoint(1)), "");
}

TEST(ChartWithAxes, StartsUnmeasuredAndPlacesTheInfoBoxInsideTheChartPastTheAxisLabels)
{
    TestAxisChart chart({TestPoint(1)});
    EXPECT_FALSE(chart.viewData->hasXAxisLabels || chart.viewData->hasYAxisLabels);
    EXPECT_EQ(chart.viewData->yAxisSpecifier, "%.0f");
    EXPECT_FALSE(chart.extraLineData->has_value());
    EXPECT_FALSE(chart.extraLineTouchedPoint({0, 0}, kit::Rect(0, 0, 100, 100)));
    chart.extraLineData = extraLine({4}, extraLineStyle());
    EXPECT_EQ(chart.extraLineTouchedPoint({50, 0}, kit::Rect(0, 0, 100, 100)).value().value, 4);

    // A box wider than the chart: the left bound is tested first.
    const kit::Rect narrow(0, 0, 100, 80);
    EXPECT_EQ(chart.infoBoxPosition(50, kit::Rect(0, 0, 150, 40), narrow), 75);
    EXPECT_EQ(chart.infoBoxPosition(80, kit::Rect(0, 0, 150, 40), narrow), 25);
    const kit::Rect wide(10, 0, 500, 80);
    const kit::Rect box(0, 0, 60, 40);
    EXPECT_EQ(chart.infoBoxPosition(10, box, wide), 40);
    EXPECT_EQ(chart.infoBoxPosition(300, box, wide), 300);
    EXPECT_EQ(chart.infoBoxPosition(505, box, wide), 480);
    chart.viewData.modify([](ChartViewData& data) {
        data.yAxisLabelWidth = {20, 35, 30};
        data.yAxisTitleWidth = 12;
        data.hasYAxisLabels = true;
    });
    EXPECT_EQ(chart.infoBoxPosition(10, box, wide), 40 + 35 + 12 + 4);
    EXPECT_EQ(chart.infoBoxPosition(300, box, wide), 300 + 35 + 12 + 4);
}

TEST(HasDataHelpers, CountPointsOfOneSetOrOfAnyInnerSet)
{
    EXPECT_FALSE(hasDataPoints(TestChart(std::vector<TestPoint>{})));
    EXPECT_TRUE(hasDataPoints(TestChart({TestPoint(1)})));
    EXPECT_FALSE(hasMultipleDataPoints(TestChart({TestPoint(1)})));
    EXPECT_TRUE(hasMultipleDataPoints(TestChart({TestPoint(1), TestPoint(2)})));

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
