#include "UiTest.h"

#include "kit/base/PassthroughSubject.h"
#include "kit/base/Published.h"

#include <QtGlobal>

#include <functional>
#include <limits>

using namespace kit;

namespace {

struct Flag : ObservableObject {
    Published<int> value{this, 0};
};

// Shows `content` while the flag is 0.
struct Toggled {
    ObservedObject<Flag> flag;
    View content;
    auto dynamicFields() { return std::tie(flag); }
    View body() const { return ZStack({View(Color::clear()).frame(100, 100), If(flag->value.get() == 0, content)}); }
};

} // namespace

using EdgeCases = UiTest;

TEST_F(EdgeCases, RemovingAViewCancelsItsDragAndEndsItsHover)
{
    auto flag = std::make_shared<Flag>();
    int changed = 0, ended = 0;
    std::vector<bool> hovers;
    View target =
        View(Color::red())
            .frame(100, 100)
            .gesture(DragGesture(0).onChanged([&](const auto&) { ++changed; }).onEnded([&](const auto&) { ++ended; }))
            .onHover([&](bool inside) { hovers.push_back(inside); });
    ViewHost host(Toggled{flag, target}, {100, 100});
    host.pointerHovered({50, 50});
    host.pointerPressed({50, 50});
    flag->value = 1;
    runUntilIdle();
    host.pointerMoved({60, 50});
    host.pointerReleased({60, 50});
    EXPECT_EQ(changed, 1);
    EXPECT_EQ(ended, 0) << "cancelled, not ended";
    EXPECT_EQ(hovers, (std::vector<bool>{true, false}));
}

TEST_F(EdgeCases, RepeatingAnimationsStopWithTheirNode)
{
    auto flag = std::make_shared<Flag>();
    struct Pulse {
        State<bool> big{false};
        auto dynamicFields() { return std::tie(big); }
        View body() const
        {
            return View(Color::red()).frame(10, 10).scaleEffect(*big ? 2 : 1).onAppear([b = big] {
                withAnimation(Animation::linear(1).repeatForever(), [&] { b = true; });
            });
        }
    };
    ViewHost host(Toggled{flag, Pulse{}}, {100, 100});
    host.update();
    Clock::advance(10);
    EXPECT_TRUE(host.isAnimating());
    flag->value = 1;
    runUntilIdle();
    Clock::advance(1.0 / 30);
    EXPECT_FALSE(host.isAnimating());
}

TEST_F(EdgeCases, StackPositionsMoveSmoothly)
{
    auto flag = std::make_shared<Flag>();
    struct Row {
        ObservedObject<Flag> flag;
        auto dynamicFields() { return std::tie(flag); }
        View body() const
        {
            return HStack(VerticalAlignment::center, 0,
                          {View(Color::red()).frame(flag->value.get() ? 60 : 20, 10),
                           View(Color::blue()).frame(20, 10).id("b")})
                .frame(100, 10, Alignment::leading());
        }
    };
    ViewHost host(Row{flag}, {100, 10});
    host.update();
    withAnimation(Animation::linear(1), [&] { flag->value = 1; });
    runUntilIdle();
    Clock::advance(0.5);
    EXPECT_NEAR(itemsOf(host, "b").front()->hostBounds().minX(), 40, 1e-6) << "halfway from 20 to 60";
    EXPECT_NEAR(frameOf(host, "b").minX(), 60, 1e-9) << "layout reports the target";
}

TEST_F(EdgeCases, OnReceiveFollowsANewPublisher)
{
    PassthroughSubject<int> first, second;
    auto flag = std::make_shared<Flag>();
    auto got = std::make_shared<std::vector<int>>();
    struct Listener {
        ObservedObject<Flag> flag;
        PassthroughSubject<int>* a;
        PassthroughSubject<int>* b;
        std::shared_ptr<std::vector<int>> got;
        auto dynamicFields() { return std::tie(flag); }
        View body() const
        {
            auto g = got;
            return Text("l").onReceive(flag->value.get() == 0 ? *a : *b, [g](const int& v) { g->push_back(v); });
        }
    };
    ViewHost host(Listener{flag, &first, &second, got}, {50, 50});
    host.update();
    first.send(1);
    flag->value = 1;
    runUntilIdle();
    first.send(2);
    second.send(3);
    EXPECT_EQ(*got, (std::vector<int>{1, 3}));
}

TEST_F(EdgeCases, NegativeAndNonFiniteFrameLengthsCountAsZero)
{
    // A colour under the frame takes what it is offered; the host is 40 x 30.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        const char* name;
        std::function<View(const View&)> frame;
        Size expected;
    };
    const Case cases[] = {
        {"negative width", [](const View& v) { return v.frame(-5, 20); }, {0, 20}},
        {"infinite height", [](const View& v) { return v.frame(20, infinity); }, {20, 0}},
        {"not a number", [nan](const View& v) { return v.frame(nan, nan); }, {0, 0}},
        {"negative minimum, minimum not a number",
         [nan](const View& v) { return v.frame({.minWidth = -10, .maxWidth = 30, .minHeight = nan}); },
         {30, 30}},
        {"an infinite maximum stays, a negative one is 0",
         [](const View& v) { return v.frame({.maxWidth = infinity, .maxHeight = -1}); },
         {40, 0}},
        {"an infinite minimum is 0", [](const View& v) { return v.frame({.minWidth = infinity}); }, {40, 30}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ViewHost host(c.frame(View(Color::red())).id("f"), {40, 30});
        EXPECT_EQ(frameOf(host, "f").size, c.expected);
    }
}

namespace {

std::vector<std::string>* capturedMessages = nullptr;

void captureMessage(QtMsgType, const QMessageLogContext&, const QString& message)
{
    if (capturedMessages)
        capturedMessages->push_back(message.toStdString());
}

} // namespace

TEST_F(EdgeCases, AnInvalidFrameIsNotReportedOnEveryEvaluation)
{
    std::vector<std::string> messages;
    capturedMessages = &messages;
    const QtMessageHandler previous = qInstallMessageHandler(captureMessage);
    auto flag = std::make_shared<Flag>();
    struct Bar {
        ObservedObject<Flag> flag;
        auto dynamicFields() { return std::tie(flag); }
        View body() const { return View(Color::red()).frame(10, -1.0 - flag->value.get()); }
    };
    ViewHost host(Bar{flag}, {50, 50});
    host.update();
    for (int i = 1; i <= 3; ++i) {
        flag->value = i;
        runUntilIdle();
    }
    qInstallMessageHandler(previous);
    capturedMessages = nullptr;
    EXPECT_EQ(host.passCount(), 4u);
    EXPECT_LE(messages.size(), 1u) << "at most one report for one caller";
}

TEST_F(EdgeCases, ManyRoundsOfSettlingStopAtEight)
{
    struct Runaway {
        State<int> n{0};
        auto dynamicFields() { return std::tie(n); }
        View body() const
        {
            return Text(Verbatim{std::to_string(*n)})
                .onChange(
                    *n, [n = n](const int&, const int& v) { n = v + 1; }, true);
        }
    };
    ViewHost host(Runaway{}, {50, 50});
    host.update();
    EXPECT_EQ(host.passCount(), 1u);
    EXPECT_TRUE(host.hasPendingUpdate()) << "what is left runs on the next turn";
}

using EdgeCasesDeathTest = UiTest;

TEST_F(EdgeCasesDeathTest, UndeclaredStateIsAMisuse)
{
#ifdef NDEBUG
    GTEST_SKIP() << "misuse only aborts in debug builds";
#else
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    struct Forgetful {
        State<int> n{0};
        View body() const { return Text(Verbatim{std::to_string(*n)}); }
    };
    EXPECT_DEATH(
        {
            ViewHost host(Forgetful{}, {50, 50});
            host.update();
        },
        "not listed in dynamicFields");
#endif
}
