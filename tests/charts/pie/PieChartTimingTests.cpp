// The pie and doughnut charts over time: the staggered grow-in when they
// appear, and the layout notification half a second after each appearance.

#include "PieChartViewTest.h"

#include "kit/base/NotificationCenter.h"
#include "kit/ui/HostingWidget.h"

namespace {

using namespace charts;
using namespace charts::testing;

// Only the chart-data classes they are made for (or subclasses) can be drawn.
struct LanguagePie : PieChartData {
    using PieChartData::PieChartData;
};
template <class T>
concept PieChartOf = requires { typename PieChart<T>; };
template <class T>
concept DoughnutChartOf = requires { typename DoughnutChart<T>; };
static_assert(PieChartOf<PieChartData> && PieChartOf<LanguagePie> && !PieChartOf<DoughnutChartData>);
static_assert(DoughnutChartOf<DoughnutChartData> && !DoughnutChartOf<PieChartData>);

using PieChartTiming = UiTest;

std::vector<double> tenEqualValues() { return std::vector<double>(10, 1.0); }

double scaleOf(kit::ViewHost& host, int i) { return segmentItem(host, i)->transform.a; }
double opacityOf(kit::ViewHost& host, int i) { return segmentItem(host, i)->opacity; }

// Scale of a segment whose spring (response 0.5, critically damped) has run
// for the time at which its progress is `progress`: from 0.001 to 1.
double grown(double progress) { return 0.001 + 0.999 * progress; }

TEST_F(PieChartTiming, SegmentsGrowAndFadeInOneAfterAnother)
{
    auto data = pieData(slices(tenEqualValues(), OverlayType::label("x", kit::Color::black(), kit::Font::body(), 0.5)));
    kit::ViewHost host{PieChart(data), {200, 200}};
    host.update();
    for (int i = 0; i < 10; ++i) {
        EXPECT_NEAR(scaleOf(host, i), 0.001, 1e-12) << "the first frame shows the start";
        EXPECT_NEAR(opacityOf(host, i), 0.001, 1e-12);
    }

    kit::Clock::advance(0.1);
    EXPECT_NEAR(scaleOf(host, 0), grown(0.3577), 1e-4);
    EXPECT_NEAR(opacityOf(host, 0), grown(0.3577), 1e-4);
    const kit::Point centre = segmentItem(host, 0)->transform.apply({100, 100});
    EXPECT_NEAR(centre.x, 100, 1e-9) << "grown about the centre";
    EXPECT_NEAR(centre.y, 100, 1e-9);
    EXPECT_NEAR(host.displayList().textItem("x")->transform.a, scaleOf(host, 0), 1e-12) << "the label grows with it";
    EXPECT_GT(scaleOf(host, 1), 0.001);
    EXPECT_LT(scaleOf(host, 1), scaleOf(host, 0));

    kit::Clock::advance(0.44); // 0.54 s
    EXPECT_NEAR(scaleOf(host, 9), 0.001, 1e-12) << "the last segment waits 0.54 s";
    kit::Clock::advance(0.1); // 0.64 s
    EXPECT_NEAR(scaleOf(host, 9), grown(0.3577), 1e-4);
    kit::Clock::advance(0.1); // 0.74 s
    EXPECT_NEAR(scaleOf(host, 9), grown(0.7154), 1e-4);
    EXPECT_EQ(scaleOf(host, 0), 1) << "settled after 0.735 s";

    kit::Clock::advance(0.53); // 1.27 s
    EXPECT_TRUE(host.isAnimating());
    kit::Clock::advance(0.01); // 1.28 s
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(scaleOf(host, i), 1);
        EXPECT_EQ(opacityOf(host, i), 1);
    }
    kit::Clock::advance(1.0 / 60); // the host's next tick finds nothing left to run
    EXPECT_FALSE(host.isAnimating());

    // New data redraws the segments matched by index, without growing them again.
    auto other = pieData(slices({1, 2, 3, 4}));
    data->dataSets = *other->dataSets;
    host.update();
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(scaleOf(host, i), 1);
        EXPECT_EQ(opacityOf(host, i), 1);
    }
    kit::Clock::advance(2); // the segments that went have faded out
    EXPECT_EQ(segmentItems(host).size(), 4u);

    // Leaving the screen shrinks them; coming back replays the grow-in.
    host.setVisible(false);
    kit::runUntilIdle();
    kit::Clock::advance(2);
    EXPECT_NEAR(scaleOf(host, 3), 0.001, 1e-12);
    host.setVisible(true);
    kit::runUntilIdle();
    kit::Clock::advance(0.1);
    EXPECT_NEAR(scaleOf(host, 0), grown(0.3577), 1e-4);
}

TEST_F(PieChartTiming, DisabledAnimationShowsTheEndStateFromTheFirstFrame)
{
    for (bool doughnut : {false, true}) {
        auto pie = pieData(slices({1, 2, 3}));
        auto ring = doughnutData(slices({1, 2, 3}), 30);
        pie->disableAnimation = ring->disableAnimation = true;
        kit::ViewHost host{doughnut ? kit::View(DoughnutChart(ring)) : kit::View(PieChart(pie)), {200, 200}};
        host.update();
        EXPECT_FALSE(host.isAnimating());
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(scaleOf(host, i), 1);
            EXPECT_EQ(opacityOf(host, i), 1);
        }
        // Appearing still marked the chart as shown: with animation allowed
        // again, a redraw keeps the segments at full size.
        pie->disableAnimation = ring->disableAnimation = false;
        pie->infoView.modify([](auto& info) { info.touchSpecifier = "%.1f"; });
        ring->infoView.modify([](auto& info) { info.touchSpecifier = "%.1f"; });
        host.update();
        EXPECT_FALSE(host.isAnimating());
        EXPECT_EQ(scaleOf(host, 2), 1);
    }
}

// Every layout notification posted while alive, with its object.
struct LayoutNotices {
    std::vector<kit::AnyObject> objects;
    kit::Cancellable observer = kit::NotificationCenter::defaultCenter().addObserver(
        layoutDidFinishNotification(), {}, kit::NotificationCenter::Delivery::postingThread,
        [this](const kit::Notification& n) { objects.push_back(n.object); });
};

TEST_F(PieChartTiming, TheLayoutNotificationFollowsTheLatestAppearanceByHalfASecond)
{
    LayoutNotices notices;
    auto data = pieData(slices({1, 2}));
    kit::ViewHost host{PieChart(data), {200, 200}};
    host.update();
    kit::Clock::advance(0.2);
    host.setVisible(false); // disappearing cancels nothing ...
    kit::runUntilIdle();
    kit::Clock::advance(0.1);
    host.setVisible(true); // ... appearing again replaces the pending timer
    kit::runUntilIdle();
    kit::Clock::advance(0.49); // 0.79 s
    EXPECT_TRUE(notices.objects.empty());
    kit::Clock::advance(0.02); // 0.81 s
    ASSERT_EQ(notices.objects.size(), 1u);
    const auto posted = notices.objects[0].as<PieChart<PieChartData>>();
    ASSERT_TRUE(posted) << "the chart view itself is the object";
    EXPECT_EQ(posted->chartData.object(), data);

    host.setVisible(false);
    kit::runUntilIdle();
    kit::Clock::advance(1);
    EXPECT_EQ(notices.objects.size(), 1u) << "one notification per appearance";
    host.setVisible(true);
    kit::runUntilIdle();
    kit::Clock::advance(0.1);
    host.setVisible(false);
    kit::runUntilIdle();
    kit::Clock::advance(0.5);
    EXPECT_EQ(notices.objects.size(), 2u) << "a timer set before the chart left still fires";
}

TEST_F(PieChartTiming, ChartsWithoutPointsDrawNothingInTheOfferedSpaceAndStillAnnounceTheirLayout)
{
    LayoutNotices notices;
    kit::ViewHost host{kit::View(DoughnutChart(doughnutData({}, 20))).id("chart"), {240, 160}};
    host.update();
    kit::Clock::advance(0.5);
    EXPECT_TRUE(host.displayList().items.empty());
    expectRect(frameOf(host, "chart"), kit::Rect(0, 0, 240, 160));
    ASSERT_EQ(notices.objects.size(), 1u);
    EXPECT_TRUE(notices.objects[0].as<DoughnutChart<DoughnutChartData>>());
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
