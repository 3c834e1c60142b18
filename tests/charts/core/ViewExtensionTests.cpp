#include "ChartViewTest.h"

#include "charts/core/ViewExtensions.h"
#include "kit/base/NotificationCenter.h"

namespace {

using namespace charts;
using namespace charts::testing;

using ViewExtensions = UiTest;

// Collects the layout notifications posted while alive.
struct LayoutNotifications {
    LayoutNotifications()
        : subscription(kit::NotificationCenter::defaultCenter().publisher(layoutDidFinishNotification()).sink(
              [this](const kit::Notification& n) { objects.push_back(n.object); }))
    {
    }
    std::vector<kit::AnyObject> objects;
    kit::Cancellable subscription;
};

TEST_F(ViewExtensions, LayoutIsAnnouncedHalfASecondAfterEachAppearance)
{
    LayoutNotifications posted;
    const auto timer = kit::Timer::scheduled(10, false, [] {});
    kit::ViewHost host(onAppearAfterDelay(kit::View(kit::Color::red()), timer), {100, 100});
    host.update();
    EXPECT_FALSE(timer->isValid()) << "the given timer is invalidated";
    kit::Clock::advance(0.49);
    kit::runUntilIdle();
    EXPECT_TRUE(posted.objects.empty());
    kit::Clock::advance(0.01);
    kit::runUntilIdle();
    ASSERT_EQ(posted.objects.size(), 1u);
    EXPECT_TRUE(posted.objects[0].as<kit::View>());

    // Two appearances within half a second post twice: the new timer is not kept.
    auto reappear = [&] {
        host.setVisible(false);
        host.setVisible(true);
        host.update();
    };
    reappear();
    kit::Clock::advance(0.2);
    reappear();
    kit::Clock::advance(0.5);
    kit::runUntilIdle();
    EXPECT_EQ(posted.objects.size(), 3u);
}

TEST_F(ViewExtensions, PendingLayoutTimersEndWithTheirHost)
{
    LayoutNotifications posted;
    {
        kit::ViewHost host(onAppearAfterDelay(kit::View(kit::Color::red()), nullptr), {100, 100});
        host.update();
        host.setVisible(false);
        host.setVisible(true);
        host.update();
        kit::Clock::advance(0.2);
    }
    kit::Clock::advance(1);
    kit::runUntilIdle();
    EXPECT_TRUE(posted.objects.empty());
}

TEST_F(ViewExtensions, AReplacedNotificationNameIsUsedByLaterPosts)
{
    const std::string original = layoutDidFinishNotification();
    layoutDidFinishNotification() = "test.layoutDone";
    int received = 0;
    const auto subscription = kit::NotificationCenter::defaultCenter().publisher("test.layoutDone").sink([&] { ++received; });
    kit::ViewHost host(onAppearAfterDelay(kit::View(kit::Color::red()), nullptr), {100, 100});
    host.update();
    kit::Clock::advance(0.5);
    kit::runUntilIdle();
    layoutDidFinishNotification() = original;
    EXPECT_EQ(received, 1);
}

TEST_F(ViewExtensions, AppearActionsRunWithOrWithoutTheGivenAnimation)
{
    std::vector<std::optional<kit::Animation>> seen;
    auto record = [&] { seen.push_back(kit::Transaction::current().animation); };
    const kit::Animation animation = kit::Animation::easeIn(0.4);
    kit::ViewHost animated(animateOnAppear(kit::View(kit::Color::red()), false, animation, record), {50, 50});
    animated.update();
    kit::ViewHost direct(animateOnAppear(kit::View(kit::Color::red()), true, animation, record), {50, 50});
    direct.update();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0], animation);
    EXPECT_FALSE(seen[1]);

    kit::ViewHost leaving(animateOnDisappear(kit::View(kit::Color::red()), false, animation, record), {50, 50});
    leaving.update();
    EXPECT_EQ(seen.size(), 2u);
    leaving.setVisible(false);
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[2], animation);
}

TEST_F(ViewExtensions, ConditionalModifiersAndTheAnimationSwitch)
{
    auto red = [](const kit::View& v) { return v.foregroundColor(kit::Color::red()); };
    auto blue = [](const kit::View& v) { return v.foregroundColor(kit::Color::blue()); };
    const kit::View circle = kit::Circle();
    auto colourOf = [](const kit::View& view) {
        kit::ViewHost host(view, {20, 20});
        return std::get<kit::Color>(host.displayList().items.at(0).paint).components();
    };
    EXPECT_EQ(colourOf(conditionalModifier(circle, false, red)), colourOf(circle));
    EXPECT_EQ(colourOf(conditionalModifier(circle, true, red)), kit::Color::red().resolved());
    EXPECT_EQ(colourOf(conditionalModifierElse(circle, false, red, blue)), kit::Color::blue().resolved());

    TestChart chart(std::vector<TestPoint>{});
    Announcements announcements(chart);
    disableChartAnimation(circle, chart, true);
    EXPECT_TRUE(chart.disableAnimation);
    EXPECT_EQ(announcements.count, 0);
}

} // namespace
