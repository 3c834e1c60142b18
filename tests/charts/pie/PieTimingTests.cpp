// The pie and doughnut charts over time: the staggered grow-in when they
// appear, and the layout notification half a second after each appearance.

#include "PieTest.h"

#include "kit/base/NotificationCenter.h"
#include "kit/ui/HostingWidget.h"

namespace {

using namespace charts;
using namespace charts::testing;

// Only the chart-data classes they are made for (or subclasses) can be drawn.
struct LanguagePie : PieChartData {
    using PieChartData::PieChartData;
};
template <template <class> class Chart, class Data>
concept Draws = requires
{
    typename Chart<Data>;
};
static_assert(Draws<PieChart, LanguagePie> && !Draws<PieChart, DoughnutChartData>);
static_assert(Draws<DoughnutChart, DoughnutChartData> && !Draws<DoughnutChart, PieChartData>);

using PieChartTiming = UiTest;

double scaleOf(kit::ViewHost& host, int i)
{
    return segmentItem(host, i)->transform.a;
}

// Segment i is drawn at `scale` and at the same opacity.
void expectGrown(kit::ViewHost& host, int i, double scale, double tolerance = 1e-12)
{
    EXPECT_NEAR(scaleOf(host, i), scale, tolerance) << "segment " << i;
    EXPECT_NEAR(segmentItem(host, i)->opacity, scale, tolerance) << "segment " << i;
}

// Scale of a segment whose spring (response 0.5, critically damped) has run
// for the time at which its progress is `progress`: from 0.001 to 1.
double grown(double progress)
{
    return 0.001 + 0.999 * progress;
}

TEST_F(PieChartTiming, SegmentsGrowAndFadeInOneAfterAnother)
{
    auto data = pieData(
        slices(std::vector<double>(10, 1.0), OverlayType::label("x", kit::Color::black(), kit::Font::body(), 0.5)));
    kit::ViewHost host{PieChart(data), {200, 200}};
    host.update();
    for (int i = 0; i < 10; ++i)
        expectGrown(host, i, 0.001); // the first frame shows the start
    kit::Clock::advance(0.1);
    expectGrown(host, 0, grown(0.3577), 1e-4);
    EXPECT_NEAR(segmentItem(host, 0)->transform.apply({100, 100}).x, 100, 1e-9) << "grown about the centre";
    EXPECT_NEAR(host.displayList().textItem("x")->transform.a, scaleOf(host, 0), 1e-12) << "the label grows with it";
    EXPECT_TRUE(scaleOf(host, 1) > 0.001 && scaleOf(host, 1) < scaleOf(host, 0));
    kit::Clock::advance(0.44);   // 0.54 s
    expectGrown(host, 9, 0.001); // the last segment waits 0.54 s
    kit::Clock::advance(0.2);
    EXPECT_NEAR(scaleOf(host, 9), grown(0.7154), 1e-4);
    EXPECT_EQ(scaleOf(host, 0), 1) << "settled after 0.735 s";
    kit::Clock::advance(0.54); // 1.28 s
    for (int i = 0; i < 10; ++i)
        expectGrown(host, i, 1);
    kit::Clock::advance(1.0 / 60);
    EXPECT_FALSE(host.isAnimating());

    // New data redraws the segments matched by index, without growing them again.
    data->dataSets = *pieData(slices({1, 2, 3, 4}))->dataSets;
    host.update();
    for (int i = 0; i < 4; ++i)
        expectGrown(host, i, 1);
    kit::Clock::advance(2);
    EXPECT_EQ(segmentItems(host).size(), 4u) << "the segments that went have faded out";

    // Leaving the screen shrinks them; coming back replays the grow-in.
    host.setVisible(false);
    kit::runUntilIdle();
    kit::Clock::advance(2);
    expectGrown(host, 3, 0.001);
    host.setVisible(true);
    kit::runUntilIdle();
    kit::Clock::advance(0.1);
    EXPECT_NEAR(scaleOf(host, 0), grown(0.3577), 1e-4);
}

TEST_F(PieChartTiming, DisabledAnimationShowsTheEndStateFromTheFirstFrame)
{
    auto pie = pieData(slices({1, 2, 3}));
    auto ring = doughnutData(slices({1, 2, 3}), 30);
    pie->disableAnimation = ring->disableAnimation = true;
    kit::ViewHost host{PieChart(pie), {200, 200}};
    kit::ViewHost ringHost{DoughnutChart(ring), {200, 200}};
    for (kit::ViewHost* h : {&host, &ringHost}) {
        h->update();
        EXPECT_FALSE(h->isAnimating());
        expectGrown(*h, 2, 1);
    }
    // Appearing still marked the chart as shown: with animation allowed
    // again, a redraw keeps the segments at full size.
    pie->disableAnimation = false;
    pie->infoView.modify([](auto& info) { info.touchSpecifier = "%.1f"; });
    host.update();
    EXPECT_FALSE(host.isAnimating());
    expectGrown(host, 2, 1);
}

TEST_F(PieChartTiming, TheLayoutNotificationFollowsTheLatestAppearanceByHalfASecond)
{
    LayoutNotices notices;
    auto data = pieData(slices({1, 2}));
    kit::ViewHost host{PieChart(data), {200, 200}};
    auto show = [&](bool visible, double then) {
        host.setVisible(visible);
        kit::runUntilIdle();
        kit::Clock::advance(then);
    };
    host.update();
    kit::Clock::advance(0.2);
    show(false, 0.1); // disappearing cancels nothing ...
    show(true, 0.49); // ... appearing again replaces the pending timer
    EXPECT_TRUE(notices.objects.empty());
    kit::Clock::advance(0.02); // 0.81 s
    ASSERT_EQ(notices.objects.size(), 1u);
    const auto posted = notices.objects[0].as<PieChart<PieChartData>>();
    ASSERT_TRUE(posted) << "the chart view itself is the object";
    EXPECT_EQ(posted->chartData.object(), data);

    show(false, 1);
    EXPECT_EQ(notices.objects.size(), 1u) << "one notification per appearance";
    show(true, 0.1);
    show(false, 0.5);
    EXPECT_EQ(notices.objects.size(), 2u) << "a timer set before the chart left still fires";

    // Without points the chart draws nothing in the space it takes, and still announces its layout.
    kit::ViewHost empty{kit::View(DoughnutChart(doughnutData({}, 20))).id("chart"), {240, 160}};
    empty.update();
    kit::Clock::advance(0.5);
    EXPECT_TRUE(empty.displayList().items.empty());
    expectRect(frameOf(empty, "chart"), kit::Rect(0, 0, 240, 160));
    ASSERT_EQ(notices.objects.size(), 3u);
    EXPECT_TRUE(notices.objects[2].as<DoughnutChart<DoughnutChartData>>());
}

TEST_F(PieChartTiming, APendingLayoutTimerEndsWithItsHost)
{
    LayoutNotices notices;
    auto data = pieData(slices({1, 2}));
    const std::weak_ptr<PieChartData> watched = data;
    {
        kit::ViewHost host{PieChart(data), {200, 200}};
        host.update();
        kit::Clock::advance(0.2);
    }
    auto* widget = new kit::HostingWidget(PieChart(data));
    widget->resize(200, 200);
    widget->show();
    kit::runUntilIdle();
    kit::Clock::advance(0.2);
    delete widget;
    data.reset();
    EXPECT_TRUE(watched.expired()) << "no timer holds on to the chart or its data";
    kit::Clock::advance(1);
    EXPECT_TRUE(notices.objects.empty());
}

} // namespace
