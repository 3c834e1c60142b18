#include "ChartViewTest.h"

#include "charts/core/ViewExtensions.h"
#include "kit/base/NotificationCenter.h"

namespace {

using namespace charts;
using namespace charts::testing;

using ViewExtensions = UiTest;

// The objects of the notifications posted under `name` while alive.
struct Notifications {
    explicit Notifications(const std::string& name = layoutDidFinishNotification())
        : subscription(kit::NotificationCenter::defaultCenter().publisher(name).sink(
              [this](const kit::Notification& n) { objects.push_back(n.object); }))
    {
    }
    std::vector<kit::AnyObject> objects;
    kit::Cancellable subscription;
};

kit::View delayed(const std::shared_ptr<kit::Timer>& timer = nullptr)
{
    return onAppearAfterDelay(kit::View(kit::Color::red()), timer);
}

TEST_F(ViewExtensions, LayoutIsAnnouncedHalfASecondAfterEachAppearance)
{
    Notifications posted;
    const auto timer = kit::Timer::scheduled(10, false, [] {});
    kit::ViewHost host(delayed(timer), {100, 100});
    host.update();
    EXPECT_FALSE(timer->isValid()) << "the given timer is invalidated";
    kit::Clock::advance(0.49);
    EXPECT_TRUE(posted.objects.empty());
    kit::Clock::advance(0.01);
    ASSERT_EQ(posted.objects.size(), 1u);
    EXPECT_TRUE(posted.objects[0].as<kit::View>());

    // Two appearances within half a second post twice: the new timer is not kept.
    auto reappear = [&](double then) {
        host.setVisible(false);
        host.setVisible(true);
        host.update();
        kit::Clock::advance(then);
    };
    reappear(0.2);
    reappear(0.5);
    EXPECT_EQ(posted.objects.size(), 3u);

    // A replaced name is the one later posts use.
    const std::string original = layoutDidFinishNotification();
    layoutDidFinishNotification() = "test.layoutDone";
    Notifications renamed("test.layoutDone");
    reappear(0.5);
    layoutDidFinishNotification() = original;
    EXPECT_EQ(renamed.objects.size(), 1u);
    EXPECT_EQ(posted.objects.size(), 3u);
}

TEST_F(ViewExtensions, ATimerKeptInStateIsReplacedByTheNextAppearance)
{
    struct Chart {
        kit::State<std::shared_ptr<OwnedTimer>> timer;
        auto dynamicFields() { return std::tie(timer); }
        kit::View body() const
        {
            return onAppearAfterDelay(kit::Color::red(), timer, kit::AnyObject::box(std::string("chart")));
        }
    };
    Notifications posted;
    {
        kit::ViewHost host(Chart{}, {100, 100});
        auto appear = [&](double then) {
            host.setVisible(false);
            host.setVisible(true);
            host.update();
            kit::Clock::advance(then);
        };
        host.update();
        kit::Clock::advance(0.3);
        appear(0.49); // 0.79 s: the first timer was cancelled at 0.3 s
        EXPECT_TRUE(posted.objects.empty());
        kit::Clock::advance(0.01);
        ASSERT_EQ(posted.objects.size(), 1u);
        EXPECT_EQ(*posted.objects[0].as<std::string>(), "chart");
        appear(0.5);
        EXPECT_EQ(posted.objects.size(), 2u) << "one notification per appearance that lasts";
        appear(0.2);
    }
    kit::Clock::advance(1);
    EXPECT_EQ(posted.objects.size(), 2u) << "the pending timer ended with its host";
}

TEST_F(ViewExtensions, PendingLayoutTimersEndWithTheirHost)
{
    Notifications posted;
    {
        kit::ViewHost host(delayed(), {100, 100});
        host.update();
        host.setVisible(false);
        host.setVisible(true);
        host.update();
        kit::Clock::advance(0.2);
    }
    kit::Clock::advance(1);
    EXPECT_TRUE(posted.objects.empty());
}

TEST_F(ViewExtensions, AppearActionsRunWithOrWithoutTheGivenAnimation)
{
    std::vector<std::optional<kit::Animation>> seen;
    auto record = [&] { seen.push_back(kit::Transaction::current().animation); };
    const kit::Animation animation = kit::Animation::easeIn(0.4);
    kit::ViewHost animated(animateOnAppear(kit::Color::red(), false, animation, record), {50, 50});
    animated.update();
    kit::ViewHost direct(animateOnAppear(kit::Color::red(), true, animation, record), {50, 50});
    direct.update();
    kit::ViewHost leaving(animateOnDisappear(kit::Color::red(), false, animation, record), {50, 50});
    leaving.update();
    EXPECT_EQ(seen, (std::vector<std::optional<kit::Animation>>{animation, std::nullopt}));
    leaving.setVisible(false);
    EXPECT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen.back(), animation);
}

TEST_F(ViewExtensions, ConditionalModifiersAndTheAnimationSwitch)
{
    auto red = [](const kit::View& v) { return v.foregroundColor(kit::Color::red()); };
    auto blue = [](const kit::View& v) { return v.foregroundColor(kit::Color::blue()); };
    auto colourOf = [](const kit::View& view) {
        kit::ViewHost host(view, {20, 20});
        return std::get<kit::Color>(host.displayList().items.at(0).paint).components();
    };
    const kit::View circle = kit::Circle();
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
