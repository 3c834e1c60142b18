// The bar chart views over time and below zero: the scale effect that makes
// room for negative values, the grow-in when a chart appears (frames taken
// at hand-driven clock times), the end state at once when animation is
// disabled, and the move to new data.

#include "BarViewTest.h"

namespace {

using namespace charts;
using namespace charts::testing;

using BarViewAnimation = UiTest;

TEST_F(BarViewAnimation, ChartsWithNegativeValuesShrinkTowardsTheTopOrTrailingEdge)
{
    struct Case {
        const char* name;
        std::function<kit::View()> chart;
        kit::Size size;
        std::vector<kit::Rect> bars;
    };
    auto standard = [](std::vector<double> values, Baseline baseline = Baseline::minimumValue()) {
        return [=] {
            auto data = barData(values, barChartStyle(baseline), barsOf(1));
            data->disableAnimation = true;
            return kit::View(BarChart(data));
        };
    };
    const Case cases[] = {
        // Highest 10, lowest −5: drawn 10/15 high from the top; the bar of −5
        // hangs from the zero line at 100 to the bottom edge.
        {"standard", standard({10, -5}), {200, 150}, {{0, 0, 100, 100}, {100, 100, 100, 50}}},
        {"grouped",
         [] {
             auto data = groupedData({{10}, {-5}}, barChartStyle(), fixedGroups(), barsOf(1));
             data->disableAnimation = true;
             return kit::View(GroupedBarChart(data, 0));
         },
         {200, 150},
         {{0, 0, 100, 100}, {100, 100, 100, 50}}},
        // 10/15 wide from the trailing edge: the bar of −5 reaches from the
        // zero line at 50 to the leading edge.
        {"horizontal",
         [] {
             auto data = horizontalData({10, -5}, barChartStyle(), barsOf(1));
             data->disableAnimation = true;
             return kit::View(HorizontalBarChart(data));
         },
         {150, 200},
         {{50, 0, 100, 100}, {0, 100, 50, 100}}},
        // A baseline of −10 under 10 and 5 halves the chart from the top.
        {"baseline below the data",
         standard({10, 5}, Baseline::minimumWithMaximum(-10)),
         {200, 150},
         {{0, 0, 100, 75}, {100, 37.5, 100, 37.5}}},
        {"lowest exactly 0", standard({10, 0}), {200, 150}, {{0, 0, 100, 150}, {100, 150, 100, 0}}},
        // Highest −5: no bar has a length, and the factor −5/5 is not applied.
        {"nothing above 0", standard({-5, -10}), {200, 150}, {{0, 150, 100, 0}, {100, 150, 100, 0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        kit::ViewHost host{c.chart(), c.size};
        expectRects(rectsIn(host, teal), c.bars);
    }
}

// The charts of the grow-in test, animating in linearly over 0.4 s, so that
// a frame at 0.2 s shows every bar at exactly half its way.
BarChartStyle linearStyle()
{
    BarChartStyle style = barChartStyle();
    style.globalAnimation = kit::Animation::linear(0.4);
    return style;
}

struct GrowIn {
    const char* name;
    kit::View chart;
    kit::Size size;
    std::vector<kit::Rect> start, half, full;
};

template <class Data>
std::shared_ptr<Data> animated(std::shared_ptr<Data> data, bool disableAnimation)
{
    data->disableAnimation = disableAnimation;
    return data;
}

// The five charts, each with the rectangles of its teal bars (or parts)
// before they start, halfway and at the end.
std::vector<GrowIn> growIns(bool disableAnimation = false)
{
    const BarChartStyle style = linearStyle();
    const double third = 100.0 / 3;
    return {
        // 1, 2, 3, 4 on 400 × 200: from the bottom edge to 50 × value.
        {"standard",
         BarChart(animated(barData({1, 2, 3, 4}, style, barsOf(0.5)), disableAnimation)),
         {400, 200},
         {{25, 200, 50, 0}, {125, 200, 50, 0}, {225, 200, 50, 0}, {325, 200, 50, 0}},
         {{25, 175, 50, 25}, {125, 150, 50, 50}, {225, 125, 50, 75}, {325, 100, 50, 100}},
         {{25, 150, 50, 50}, {125, 100, 50, 100}, {225, 50, 50, 150}, {325, 0, 50, 200}}},
        {"grouped",
         GroupedBarChart(animated(groupedData({{4}, {2}}, style, fixedGroups(), barsOf(1)), disableAnimation), 0),
         {200, 200},
         {{0, 200, 100, 0}, {100, 200, 100, 0}},
         {{0, 100, 100, 100}, {100, 150, 100, 50}},
         {{0, 0, 100, 200}, {100, 100, 100, 100}}},
        // Columns of 4 (parts 1 and 3) and 2: their bottom parts, of 1 and 2,
        // grow with them.
        {"stacked",
         StackedBarChart(animated(stackedData({{1, 3}, {2}}, style, fixedGroups(), barsOf(1)), disableAnimation)),
         {200, 200},
         {{0, 200, 100, 0}, {100, 200, 100, 0}},
         {{0, 175, 100, 25}, {100, 150, 100, 50}},
         {{0, 150, 100, 50}, {100, 100, 100, 100}}},
        // 1, 2, 3 on 300 × 100: from the leading edge to 100 × value.
        {"horizontal",
         HorizontalBarChart(animated(horizontalData({1, 2, 3}, style, barsOf(0.5)), disableAnimation)),
         {300, 100},
         {{0, third / 4, 0, third / 2}, {0, third * 1.25, 0, third / 2}, {0, third * 2.25, 0, third / 2}},
         {{0, third / 4, 50, third / 2}, {0, third * 1.25, 100, third / 2}, {0, third * 2.25, 150, third / 2}},
         {{0, third / 4, 100, third / 2}, {0, third * 1.25, 200, third / 2}, {0, third * 2.25, 300, third / 2}}},
        // 20-60 and 0-100 on 200 × 200: about their centres at 120 and 100.
        {"ranged",
         RangedBarChart(animated(rangedData({{20, 60}, {0, 100}}, style, barsOf(1)), disableAnimation)),
         {200, 200},
         {{0, 120, 100, 0}, {100, 100, 100, 0}},
         {{0, 100, 100, 40}, {100, 50, 100, 100}},
         {{0, 80, 100, 80}, {100, 0, 100, 200}}},
    };
}

TEST_F(BarViewAnimation, BarsGrowFromTheirBaseOrCentreEachTimeTheChartAppears)
{
    for (GrowIn& c : growIns()) {
        SCOPED_TRACE(c.name);
        kit::Clock::useManual(0);
        kit::ViewHost host{c.chart, c.size};
        host.update();
        expectRects(rectsIn(host, teal), c.start);
        kit::Clock::advance(0.2);
        expectRects(rectsIn(host, teal), c.half);
        kit::Clock::advance(0.2);
        expectRects(rectsIn(host, teal), c.full);
        kit::Clock::advance(1.0 / 60);
        EXPECT_FALSE(host.isAnimating());

        // Leaving shrinks the bars back; coming back grows them again.
        host.setVisible(false);
        kit::runUntilIdle();
        kit::Clock::advance(1);
        expectRects(rectsIn(host, teal), c.start);
        host.setVisible(true);
        kit::runUntilIdle();
        kit::Clock::advance(0.2);
        expectRects(rectsIn(host, teal), c.half);
    }
}

TEST_F(BarViewAnimation, WithAnimationDisabledTheFirstFrameShowsTheEndState)
{
    for (GrowIn& c : growIns(true)) {
        SCOPED_TRACE(c.name);
        kit::ViewHost host{c.chart, c.size};
        host.update();
        EXPECT_FALSE(host.isAnimating());
        expectRects(rectsIn(host, teal), c.full);
    }
}

TEST_F(BarViewAnimation, NewDataMovesTheBarsWithTheDefaultAnimation)
{
    // Bar 0 of 1, 2, 3, 4 becomes 3: from 50 to 150 high over 0.35 s, eased
    // in and out, so halfway at 0.175 s.
    auto data = barData({1, 2, 3, 4}, linearStyle(), barsOf(0.5));
    kit::ViewHost host{BarChart(data), {400, 200}};
    host.update();
    kit::Clock::advance(1);
    data->dataSets.modify([](BarDataSet& set) { set.dataPoints[0].value = 3; });
    host.update();
    expectRects({rectsIn(host, teal)[0]}, {{25, 150, 50, 50}});
    kit::Clock::advance(0.175);
    // The curve is solved to 1e-7 of its progress.
    expectRects({rectsIn(host, teal)[0]}, {{25, 100, 50, 100}}, 1e-4);
    kit::Clock::advance(0.175);
    expectRects(rectsIn(host, teal), {{25, 50, 50, 150}, {125, 100, 50, 100}, {225, 50, 50, 150}, {325, 0, 50, 200}});

    // A change of another published property redraws at once.
    data->barStyle.modify([](BarStyle& style) { style.barWidth = 1; });
    host.update();
    EXPECT_FALSE(host.isAnimating());
    expectRects({rectsIn(host, teal)[3]}, {{300, 0, 100, 200}});
}

TEST_F(BarViewAnimation, WithAnimationDisabledNewDataShowsAtOnce)
{
    // Each chart's first teal bar goes from 1 to 3 of a highest 4 on 400 ×
    // 200 (the others stay): the frame right after the change shows it
    // 150 high, and nothing moves on.
    const BarChartStyle style = linearStyle();
    auto standard = animated(barData({1, 2, 3, 4}, style, barsOf(0.5)), true);
    auto grouped = animated(groupedData({{1}, {4}}, style, fixedGroups(), barsOf(1)), true);
    auto stacked = animated(stackedData({{1}, {4}}, style, fixedGroups(), barsOf(1)), true);
    auto horizontal = animated(horizontalData({1, 4}, style, barsOf(1)), true);
    auto ranged = animated(rangedData({{0, 1}, {0, 4}}, style, barsOf(1)), true);
    struct Case {
        const char* name;
        kit::View chart;
        std::function<void()> change;
        kit::Rect before, after;
    };
    const Case cases[] = {
        {"standard",
         BarChart(standard),
         [&] { standard->dataSets.modify([](BarDataSet& set) { set.dataPoints[0].value = 3; }); },
         {25, 150, 50, 50},
         {25, 50, 50, 150}},
        {"grouped",
         GroupedBarChart(grouped, 0),
         [&] { grouped->dataSets.modify([](auto& sets) { sets.dataSets[0].dataPoints[0].value = 3; }); },
         {0, 150, 200, 50},
         {0, 50, 200, 150}},
        {"stacked",
         StackedBarChart(stacked),
         [&] { stacked->dataSets.modify([](auto& sets) { sets.dataSets[0].dataPoints[0].value = 3; }); },
         {0, 150, 200, 50},
         {0, 50, 200, 150}},
        // Along x from the leading edge: 1 and then 3 of 4 of 400.
        {"horizontal",
         HorizontalBarChart(horizontal),
         [&] { horizontal->dataSets.modify([](auto& set) { set.dataPoints[0].value = 3; }); },
         {0, 0, 100, 100},
         {0, 0, 300, 100}},
        // 0-1 becoming 0-3 of the range 0-4.
        {"ranged",
         RangedBarChart(ranged),
         [&] { ranged->dataSets.modify([](auto& set) { set.dataPoints[0].upperValue = 3; }); },
         {0, 150, 200, 50},
         {0, 50, 200, 150}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        kit::Clock::useManual(0);
        kit::ViewHost host{c.chart, {400, 200}};
        host.update();
        kit::Clock::advance(1);
        expectRects({rectsIn(host, teal)[0]}, {c.before});
        c.change();
        host.update();
        EXPECT_FALSE(host.isAnimating());
        expectRects({rectsIn(host, teal)[0]}, {c.after});
    }
}

} // namespace
