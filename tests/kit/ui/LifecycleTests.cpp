#include "UiTest.h"

#include "kit/base/PassthroughSubject.h"
#include "kit/base/Published.h"
#include "kit/base/TimerPublisher.h"

using namespace kit;

namespace {

struct Switch : ObservableObject {
    Published<int> value{this, 0};
};

// A view observing `model`; its body is built from the model's value.
struct Observing {
    ObservedObject<Switch> model;
    std::function<View(int)> build;
    auto dynamicFields() { return std::tie(model); }
    View body() const { return build(model->value.get()); }
};

// A value type without a hash, for onChange.
struct Span {
    double low = 0, high = 0;
    friend bool operator==(const Span&, const Span&) = default;
};

} // namespace

using Lifecycle = UiTest;

TEST_F(Lifecycle, AppearRunsOnceAfterLayoutInTreeOrder)
{
    auto log = std::make_shared<std::vector<std::string>>();
    auto model = std::make_shared<Switch>();
    ViewHost host(Observing{model,
                            [l = log](int value) {
                                auto size = std::make_shared<Size>();
                                return VStack({GeometryReader([size](const GeometryProxy& p) {
                                                   *size = p.size;
                                                   return EmptyView();
                                               })
                                                   .frame(40, 30)
                                                   .onAppear([l, size] {
                                                       l->push_back("reader " + std::to_string(int(size->width)));
                                                   }),
                                               Text(Verbatim{std::to_string(value)})
                                                   .onAppear([l] { l->push_back("inner"); })
                                                   .onAppear([l] { l->push_back("outer"); })})
                                    .onAppear([l] { l->push_back("stack"); });
                            }},
                  {100, 100});
    host.update();
    EXPECT_EQ(*log, (std::vector<std::string>{"stack", "reader 40", "inner", "outer"}))
        << "parents first, siblings in order, innermost modifier first, sizes already valid";
    model->value = 1;
    runUntilIdle();
    EXPECT_EQ(log->size(), 4u) << "re-evaluation does not appear again";
}

TEST_F(Lifecycle, RemovalAndHidingDisappearAndShowingAppearsAgain)
{
    auto log = std::make_shared<std::vector<std::string>>();
    auto model = std::make_shared<Switch>();
    ViewHost host(
        Observing{model,
                  [l = log](int value) {
                      auto child = Text("child").onAppear([l] { l->push_back("child+"); }).onDisappear([l] {
                          l->push_back("child-");
                      });
                      return VStack({If(value == 0, child)}).onAppear([l] { l->push_back("stack+"); }).onDisappear([l] {
                          l->push_back("stack-");
                      });
                  }},
        {100, 100});
    host.update();
    model->value = 1;
    runUntilIdle();
    EXPECT_EQ(*log, (std::vector<std::string>{"stack+", "child+", "child-"}));
    model->value = 0;
    runUntilIdle();
    EXPECT_EQ(log->back(), "child+") << "inserted again, it appears again";
    log->clear();
    host.setVisible(false);
    EXPECT_EQ(*log, (std::vector<std::string>{"child-", "stack-"})) << "children before parents";
    host.setVisible(true);
    runUntilIdle();
    EXPECT_EQ(*log, (std::vector<std::string>{"child-", "stack-", "stack+", "child+"}));
}

TEST_F(Lifecycle, WritesInOnAppearShowInTheFirstFrame)
{
    struct Grower {
        State<double> width{10};
        auto dynamicFields() { return std::tie(width); }
        View body() const
        {
            return View(Color::red()).frame(*width, 10).id("box").onAppear([w = width] { w = 80.0; });
        }
    };
    ViewHost host(Grower{}, {100, 100});
    EXPECT_NEAR(frameOf(host, "box").width(), 80, 1e-9);
    EXPECT_FALSE(host.hasPendingUpdate()) << "settled in the same turn";
}

TEST_F(Lifecycle, OnChangeSeesOldAndNewValues)
{
    using Changes = std::shared_ptr<std::vector<std::pair<int, int>>>;
    auto model = std::make_shared<Switch>();
    auto watcher = [&](Changes c, bool initial) {
        return Observing{model, [c, initial](int value) {
                             return Text("w").onChange(
                                 value,
                                 [c](const int& a, const int& b) {
                                     c->push_back({a, b});
                                 },
                                 initial);
                         }};
    };
    auto changes = std::make_shared<std::vector<std::pair<int, int>>>();
    ViewHost host(watcher(changes, false), {100, 100});
    host.update();
    EXPECT_TRUE(changes->empty());
    model->value = 3;
    model->value = 4;
    runUntilIdle();
    EXPECT_EQ(*changes, (std::vector<std::pair<int, int>>{{0, 4}})) << "once per pass";
    model->value = 4;
    runUntilIdle();
    EXPECT_EQ(changes->size(), 1u) << "an equal value is no change";

    auto initial = std::make_shared<std::vector<std::pair<int, int>>>();
    ViewHost second(watcher(initial, true), {100, 100});
    second.update();
    EXPECT_EQ(*initial, (std::vector<std::pair<int, int>>{{4, 4}}));
}

TEST_F(Lifecycle, OnChangeTakesItsTypeFromTheValue)
{
    auto model = std::make_shared<Switch>();
    auto seen = std::make_shared<std::vector<std::string>>();
    ViewHost host(Observing{model,
                            [seen](int value) {
                                // The value's type is never spelt: a text, a
                                // value type, and a generic action.
                                return Text("w")
                                    .onChange(std::string(value % 2 ? "odd" : "even"),
                                              [seen](const std::string& a, const std::string& b) {
                                                  seen->push_back(a + ">" + b);
                                              })
                                    .onChange(Span{0, double(value)},
                                              [seen](const Span& a, const Span& b) {
                                                  seen->push_back(std::to_string(int(a.high)) + ">" +
                                                                  std::to_string(int(b.high)));
                                              })
                                    .onChange(value > 1, [seen](const auto& a, const auto& b) {
                                        static_assert(std::is_same_v<std::decay_t<decltype(a)>, bool>);
                                        seen->push_back(std::string(a ? "big" : "small") + ">" + (b ? "big" : "small"));
                                    });
                            }},
                  {100, 100});
    host.update();
    model->value = 2;
    runUntilIdle();
    EXPECT_EQ(*seen, (std::vector<std::string>{"small>big", "0>2"})) << "in tree order; \"even\" did not change";
}

TEST_F(Lifecycle, OnReceiveSubscribesWhileInTheTree)
{
    PassthroughSubject<int> subject;
    auto model = std::make_shared<Switch>();
    auto received = std::make_shared<std::vector<int>>();
    ViewHost host(Observing{model,
                            [r = received, s = &subject](int value) {
                                const int offset = value * 100;
                                return If(value < 5, View(Text("l").onReceive(
                                                         *s, [r, offset](const int& v) { r->push_back(v + offset); })));
                            }},
                  {100, 100});
    subject.send(1);
    EXPECT_TRUE(received->empty()) << "not subscribed before the first pass";
    host.update();
    subject.send(2);
    model->value = 1;
    runUntilIdle();
    subject.send(3);
    EXPECT_EQ(*received, (std::vector<int>{2, 103})) << "the latest action is called";
    model->value = 9;
    runUntilIdle();
    subject.send(4);
    EXPECT_EQ(received->size(), 2u) << "cancelled on removal";
}

TEST_F(Lifecycle, TimerPublisherDrivesAView)
{
    TimerPublisher timer(0.5);
    auto ticks = std::make_shared<int>(0);
    ViewHost host(Text("t").onReceive(timer.autoconnect(), [ticks] { ++*ticks; }), {100, 100});
    host.update();
    Clock::advance(1.6);
    EXPECT_EQ(*ticks, 3);
}
