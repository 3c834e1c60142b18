// What the bar chart views write and announce: the measured size in the
// chart data (each chart at its own moments), the grouped chart's spacing,
// the layout notification half a second after each appearance with data,
// the no-data view, accessibility, and the touchable backgrounds.

#include "BarViewTest.h"

#include "kit/base/Localization.h"

#include <functional>

namespace {

using namespace charts;
using namespace charts::testing;

using BarViewLifecycle = UiTest;

// A chart view made from bar chart data, with the size written into that data.
struct Chart {
    const char* name;
    kit::View view;
    std::function<kit::Rect()> written;
};

template <class Data>
Chart chartOf(const char* name, kit::View view, std::shared_ptr<Data> data)
{
    return {name, std::move(view), [data] { return data->viewData->chartSize; }};
}

TEST_F(BarViewLifecycle, EachChartWritesItsSizeAtItsOwnMoments)
{
    const kit::Rect untouched(1, 2, 3, 4);
    auto standard = barData({1, 2});
    auto grouped = groupedData({{1, 2}});
    auto stacked = stackedData({{1, 2}});
    auto horizontal = horizontalData({1, 2});
    auto ranged = rangedData({{1, 2}});
    for (auto* viewData :
         {&standard->viewData, &grouped->viewData, &stacked->viewData, &horizontal->viewData, &ranged->viewData})
        viewData->modify([&](ChartViewData& v) { v.chartSize = untouched; });

    struct Case {
        Chart chart;
        kit::Rect firstLayout, afterResize, afterReappearing;
    };
    const kit::Rect first(0, 0, 300, 200);
    const kit::Rect resized(0, 0, 200, 100);
    const Case cases[] = {
        // On a change of the frame, never for the first one.
        {chartOf("standard", BarChart(standard), standard), untouched, resized, resized},
        {chartOf("horizontal", HorizontalBarChart(horizontal), horizontal), untouched, resized, resized},
        // On each appearance, never on a resize.
        {chartOf("grouped", GroupedBarChart(grouped, 10), grouped), first, first, resized},
        {chartOf("ranged", RangedBarChart(ranged), ranged), first, first, resized},
        // Never.
        {chartOf("stacked", StackedBarChart(stacked), stacked), untouched, untouched, untouched},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chart.name);
        kit::ViewHost host{c.chart.view, {300, 200}};
        host.update();
        expectRect(c.chart.written(), c.firstLayout, 1e-9);
        host.setSize({200, 100});
        host.update();
        expectRect(c.chart.written(), c.afterResize, 1e-9);
        host.setVisible(false);
        kit::runUntilIdle();
        host.setVisible(true);
        kit::runUntilIdle();
        expectRect(c.chart.written(), c.afterReappearing, 1e-9);
    }
}

TEST_F(BarViewLifecycle, TheGroupedChartHandsItsSpacingToTheChartDataWhenMade)
{
    auto data = groupedData({{1}, {2}});
    EXPECT_EQ(data->groupSpacing, 0);
    const GroupedBarChart chart(data, 12.5);
    EXPECT_EQ(data->groupSpacing, 12.5) << "before anything is drawn";
    EXPECT_EQ(chart.groupSpacing, 12.5);
}

TEST_F(BarViewLifecycle, AChartWithDataAnnouncesItsLayoutHalfASecondAfterEachAppearance)
{
    struct Case {
        const char* name;
        kit::View chart;
        std::function<bool(const kit::AnyObject&)> isTheChart;
    };
    auto standard = barData({1, 2});
    auto grouped = groupedData({{1, 2}});
    auto stacked = stackedData({{1, 2}});
    auto horizontal = horizontalData({1, 2});
    auto ranged = rangedData({{1, 2}});
    const Case cases[] = {
        {"standard", BarChart(standard),
         [&](const kit::AnyObject& o) {
             const auto chart = o.as<BarChart<BarChartData>>();
             return chart && chart->chartData.object() == standard;
         }},
        {"grouped", GroupedBarChart(grouped, 4),
         [&](const kit::AnyObject& o) {
             const auto chart = o.as<GroupedBarChart<GroupedBarChartData>>();
             return chart && chart->chartData.object() == grouped && chart->groupSpacing == 4;
         }},
        {"stacked", StackedBarChart(stacked),
         [&](const kit::AnyObject& o) {
             const auto chart = o.as<StackedBarChart<StackedBarChartData>>();
             return chart && chart->chartData.object() == stacked;
         }},
        {"horizontal", HorizontalBarChart(horizontal),
         [&](const kit::AnyObject& o) {
             const auto chart = o.as<HorizontalBarChart<HorizontalBarChartData>>();
             return chart && chart->chartData.object() == horizontal;
         }},
        {"ranged", RangedBarChart(ranged),
         [&](const kit::AnyObject& o) {
             const auto chart = o.as<RangedBarChart<RangedBarChartData>>();
             return chart && chart->chartData.object() == ranged;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LayoutNotices notices;
        kit::ViewHost host{c.chart, {300, 200}};
        host.update();
        kit::Clock::advance(0.49);
        EXPECT_TRUE(notices.objects.empty());
        kit::Clock::advance(0.02);
        ASSERT_EQ(notices.objects.size(), 1u);
        EXPECT_TRUE(c.isTheChart(notices.objects[0])) << "the chart view is the object";
        kit::Clock::advance(2);
        EXPECT_EQ(notices.objects.size(), 1u) << "one per appearance";

        host.setVisible(false);
        kit::runUntilIdle();
        host.setVisible(true);
        kit::runUntilIdle();
        kit::Clock::advance(0.51);
        EXPECT_EQ(notices.objects.size(), 2u) << "and one more for the next";
    }
}

TEST_F(BarViewLifecycle, WithoutDataEachChartShowsTheNoDataTextAndAnnouncesNothing)
{
    auto standard = barData({});
    auto grouped = groupedData({{}, {}});
    auto stacked = stackedData({});
    auto horizontal = horizontalData({});
    auto ranged = rangedData({});
    const kit::View charts[] = {BarChart(standard), GroupedBarChart(grouped, 10), StackedBarChart(stacked),
                                HorizontalBarChart(horizontal), RangedBarChart(ranged)};
    LayoutNotices notices;
    for (const kit::View& chart : charts) {
        kit::ViewHost host{chart, {300, 200}};
        host.update();
        EXPECT_EQ(texts(host), std::vector<std::string>{"No data"});
        EXPECT_EQ(host.displayList().items.size(), 1u);
        kit::Clock::advance(1);
    }
    EXPECT_TRUE(notices.objects.empty());
    for (auto* viewData : {&standard->viewData, &grouped->viewData, &ranged->viewData})
        expectRect(viewData->get().chartSize, kit::Rect(), 0);

    // One point in one of the groups is enough to draw; it announces then.
    grouped->dataSets = multiSets<GroupedBarDataSets>({{}, {3}}, threeGroups());
    kit::ViewHost host{GroupedBarChart(grouped, 10), {300, 200}};
    host.update();
    EXPECT_TRUE(texts(host).empty());
    kit::Clock::advance(0.5);
    EXPECT_EQ(notices.objects.size(), 1u);
}

TEST_F(BarViewLifecycle, BarsAnnounceTheChartsTitleAndTheirOwnValue)
{
    kit::StringTable::setActive({{"Sales", "Ventes"}, {"%@ Range 1", "Range 1: %@"}});
    auto standard = barData({1, 2}, barChartStyle(), barsOf(1));
    auto ranged = rangedData({{20, 60}, {0, 100}}, barChartStyle(), barsOf(1));
    auto grouped = groupedData({{1, 2}, {3}}, barChartStyle(), fixedGroups(), barsOf(1));
    auto stacked = stackedData({{1, 2}}, barChartStyle(), fixedGroups(), barsOf(1));
    standard->disableAnimation = ranged->disableAnimation = grouped->disableAnimation = stacked->disableAnimation =
        true;

    kit::ViewHost host{BarChart(standard), {200, 100}};
    auto elements = host.accessibilityElements();
    ASSERT_EQ(elements.size(), 2u);
    EXPECT_EQ(elements[0].label, "Ventes") << "the title is a localizable key";
    EXPECT_EQ(elements[0].value, "1 Bar 0");
    expectRect(elements[1].frame, kit::Rect(100, 0, 100, 100), 1e-9);
    standard->infoView.modify([](auto& info) { info.touchSpecifier = "%.2f"; });
    EXPECT_EQ(host.accessibilityElements().at(1).value, "2.00 Bar 1") << "values follow the touch specifier";

    // A ranged value is "lower-upper".
    host.setRoot(RangedBarChart(ranged));
    std::vector<std::string> values;
    for (const auto& e : host.accessibilityElements())
        if (!e.value.empty())
            values.push_back(e.value);
    EXPECT_EQ(values, (std::vector<std::string>{"20-60 Range 0", "Range 1: 0-100"}));

    // The grouped chart's row is one element holding its bars, each
    // labelled with its group's title.
    host.setRoot(GroupedBarChart(grouped, 0));
    elements = host.accessibilityElements();
    ASSERT_EQ(elements.size(), 1u);
    EXPECT_EQ(elements[0].label, "Ventes");
    ASSERT_EQ(elements[0].children.size(), 3u);
    EXPECT_EQ(elements[0].children[1].label, "Plum");
    EXPECT_EQ(elements[0].children[1].value, "2 Point 1");
    EXPECT_EQ(elements[0].children[2].label, "Teal");

    // A stacked column is labelled with the title, its parts valued from the top.
    host.setRoot(StackedBarChart(stacked));
    elements = host.accessibilityElements();
    ASSERT_EQ(elements.size(), 3u);
    EXPECT_EQ(elements[0].label, "Ventes");
    EXPECT_EQ(elements[1].value, "2 Point 1");
    EXPECT_EQ(elements[2].value, "1 Point 0");
    kit::StringTable::setActive({});
}

TEST_F(BarViewLifecycle, TheNearlyInvisibleBackgroundsKeepEverySlotTouchable)
{
    // Bars 1 and 4 on 200 × 200: above the short bar lies only its slot.
    auto standard = barData({1, 4}, barChartStyle(), barsOf(0.5));
    auto ranged = rangedData({{0, 1}, {0, 4}}, barChartStyle(), barsOf(0.5));
    auto stacked = stackedData({{1}, {4}}, barChartStyle(), fixedGroups(), barsOf(0.5));
    auto horizontal = horizontalData({1, 4}, barChartStyle(), barsOf(0.5));
    auto grouped = groupedData({{1}, {4}}, barChartStyle(), fixedGroups(), barsOf(0.5));
    const kit::View charts[] = {BarChart(standard), RangedBarChart(ranged), StackedBarChart(stacked),
                                GroupedBarChart(grouped, 0)};
    for (const kit::View& chart : charts) {
        kit::ViewHost host{chart, {200, 200}};
        kit::Clock::advance(1);
        EXPECT_FALSE(host.hitTest({10, 20}).empty()) << "beside and above the short bar";
        for (const kit::DisplayItem* item : fillsIn(host, kit::Color::grayFixed().opacity(1e-9))) {
            EXPECT_TRUE(item->hittable);
            EXPECT_NEAR(item->effectiveOpacity(), 1e-9, 1e-18);
        }
    }
    kit::ViewHost host{HorizontalBarChart(horizontal), {200, 200}};
    kit::Clock::advance(1);
    EXPECT_FALSE(host.hitTest({190, 10}).empty()) << "past the end of the short bar";
}

} // namespace
