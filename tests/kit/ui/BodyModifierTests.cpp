// A modifier on a user view applies to its body: to each view of a body
// that is several views, the way it does for a Group or a ForEach.

#include "UiTest.h"

#include "kit/base/Published.h"

#include <functional>

using namespace kit;

namespace {

// Four bars 100 wide side by side in a 400 × 100 host (an HStack without
// spacing), each framed 10 high and labelled; the stack is 10 high and
// centred, so bar i lies at (100 i, 45, 100, 10).
View bar(int i)
{
    return View(Color::red()).id(i);
}

View fourBars()
{
    return ForEach(Range{0, 4}, bar);
}

// A user view whose body is whatever `make` builds.
struct Body {
    std::function<View()> make;
    View body() const { return make(); }
};

// A user modifier that shows its content as it is.
struct Unchanged {
    View body(const View& content) const { return content; }
};

struct BodyCase {
    const char* name;
    std::function<View()> body;
};

} // namespace

using BodyModifiers = UiTest;

TEST_F(BodyModifiers, AModifierOnAUserViewOfSeveralViewsAppliesToEach)
{
    const std::vector<BodyCase> cases{
        {"ForEach", fourBars},
        {"Group",
         [] {
             return Group({bar(0), bar(1), bar(2), bar(3)});
         }},
        {"branch holding a ForEach", [] { return If(true, fourBars()); }},
        {"nested user view", [] { return View(Body{fourBars}); }},
        {"user modifier", [] { return View(Body{fourBars}).modifier(Unchanged{}); }},
    };
    for (const BodyCase& c : cases) {
        SCOPED_TRACE(c.name);
        int appeared = 0;
        const View bars = View(Body{c.body}).frame(std::nullopt, 10).accessibilityLabel(Verbatim{"Bars"}).onAppear([&] {
            ++appeared;
        });
        ViewHost host(HStack(VerticalAlignment::center, 0, {bars}), {400, 100});
        for (int i = 0; i < 4; ++i)
            expectRect(frameOf(host, AnyKey(i)), Rect(100 * i, 45, 100, 10));
        const auto elements = host.accessibilityElements();
        ASSERT_EQ(elements.size(), 4u);
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(elements[std::size_t(i)].label, "Bars");
            expectRect(elements[std::size_t(i)].frame, Rect(100 * i, 45, 100, 10));
        }
        EXPECT_EQ(appeared, 4) << "one appearance per view";
    }
}

TEST_F(BodyModifiers, ModifiersOnAOneViewBodyAndTheirIdentity)
{
    struct Model : ObservableObject {
        Published<bool> padded{this, false};
    };
    struct Counter {
        State<int> taps{0};
        auto dynamicFields() { return std::tie(taps); }
        View body() const
        {
            return Text(Verbatim{std::to_string(*taps)}).font(Font::system(10)).onTapGesture([t = taps] {
                t = *t + 1;
            });
        }
    };
    struct Screen {
        ObservedObject<Model> model;
        auto dynamicFields() { return std::tie(model); }
        View body() const
        {
            const View counter = Counter{};
            // Adding a modifier makes a different view: the counter starts afresh.
            return (model->padded.get() ? counter.padding(10) : counter).id("counter");
        }
    };
    auto model = std::make_shared<Model>();
    ViewHost host(Screen{model}, {100, 100});
    expectRect(frameOf(host, "counter"), Rect(47, 44, 6, 12));
    host.pointerPressed({50, 50});
    host.pointerReleased({50, 50});
    runUntilIdle();
    EXPECT_NE(host.displayList().textItem("1"), nullptr);
    model->padded = true;
    runUntilIdle();
    expectRect(frameOf(host, "counter"), Rect(37, 34, 26, 32));
    EXPECT_NE(host.displayList().textItem("0"), nullptr);
}
