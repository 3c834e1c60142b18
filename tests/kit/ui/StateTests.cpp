#include "UiTest.h"

#include "kit/base/Published.h"

using namespace kit;

namespace {

struct Model : ObservableObject {
    Published<int> count{this, 0};
    Published<std::string> title{this, "title"};
};

// Counts its body evaluations and shows its state and its model.
struct Counter {
    ObservedObject<Model> model;
    State<int> taps{0};
    std::shared_ptr<int> evaluations;
    auto dynamicFields() { return std::tie(model, taps); }
    View body() const
    {
        ++*evaluations;
        return Text(Verbatim{model->title.get() + " " + std::to_string(*taps) + " " +
                             std::to_string(model->count.get())})
            .font(Font::system(10))
            .onTapGesture([taps = taps] { taps = *taps + 1; });
    }
};

std::string shownText(ViewHost& host)
{
    for (const auto& item : host.displayList().items)
        if (item.kind == DisplayItem::Kind::text)
            return item.lines.front().text;
    return {};
}

// A view whose state records the value it was created with.
struct Remembering {
    int initial;
    State<int> kept{0};
    Remembering(int v) : initial(v), kept(v) {}
    auto dynamicFields() { return std::tie(kept); }
    View body() const { return Text(Verbatim{std::to_string(*kept)}); }
};

} // namespace

using StateTest = UiTest;

TEST_F(StateTest, StateSurvivesReevaluationAndWritesMarkDirty)
{
    auto model = std::make_shared<Model>();
    auto evaluations = std::make_shared<int>(0);
    ViewHost host(Counter{model, 0, evaluations}, {200, 50});
    EXPECT_EQ(shownText(host), "title 0 0");
    EXPECT_EQ(*evaluations, 1);

    host.pointerPressed({100, 25});
    host.pointerReleased({100, 25});
    EXPECT_TRUE(host.hasPendingUpdate()) << "a write schedules one pass";
    runUntilIdle();
    EXPECT_EQ(shownText(host), "title 1 0");
    EXPECT_EQ(*evaluations, 2);
}

TEST_F(StateTest, ObservedObjectChangesAreCoalescedIntoOnePass)
{
    auto model = std::make_shared<Model>();
    auto evaluations = std::make_shared<int>(0);
    ViewHost host(Counter{model, 0, evaluations}, {200, 50});
    host.update();
    const std::size_t passes = host.passCount();
    model->count = 1;
    model->count = 2;
    model->title = "new";
    runUntilIdle();
    EXPECT_EQ(host.passCount(), passes + 1);
    EXPECT_EQ(*evaluations, 2);
    EXPECT_EQ(shownText(host), "new 0 2");
}

TEST_F(StateTest, ANewObjectIsObservedInsteadOfTheOld)
{
    auto first = std::make_shared<Model>();
    auto second = std::make_shared<Model>();
    auto evaluations = std::make_shared<int>(0);
    auto which = std::make_shared<Model>();
    struct Parent {
        ObservedObject<Model> selector;
        std::shared_ptr<Model> a, b;
        std::shared_ptr<int> evaluations;
        auto dynamicFields() { return std::tie(selector); }
        View body() const { return Counter{selector->count.get() == 0 ? a : b, 0, evaluations}; }
    };
    ViewHost host(Parent{which, first, second, evaluations}, {200, 50});
    host.update();
    which->count = 1; // switch to the second model
    runUntilIdle();
    EXPECT_EQ(shownText(host), "title 0 0");
    const int before = *evaluations;
    first->count = 5;
    runUntilIdle();
    EXPECT_EQ(*evaluations, before) << "the old object no longer re-evaluates the view";
    second->count = 7;
    runUntilIdle();
    EXPECT_EQ(shownText(host), "title 0 7");
}

TEST_F(StateTest, InitialValuesOfLaterViewValuesAreIgnored)
{
    auto model = std::make_shared<Model>();
    struct Parent {
        ObservedObject<Model> model;
        auto dynamicFields() { return std::tie(model); }
        View body() const { return Remembering(model->count.get()); }
    };
    ViewHost host(Parent{model}, {100, 50});
    host.update();
    model->count = 5;
    runUntilIdle();
    EXPECT_EQ(shownText(host), "0");
}

TEST_F(StateTest, BranchesAndIdsAreIdentities)
{
    auto model = std::make_shared<Model>();
    struct Parent {
        ObservedObject<Model> model;
        auto dynamicFields() { return std::tie(model); }
        View body() const
        {
            const int c = model->count.get();
            // The same type in both branches: still two identities.
            return VStack(
                {If(c % 2 == 0, View(Remembering(c)), View(Remembering(c))), View(Remembering(c)).id(c / 10)});
        }
    };
    ViewHost host(Parent{model}, {100, 100});
    auto texts = [&] {
        std::vector<std::string> t;
        for (const auto& item : host.displayList().itemsOfKind(DisplayItem::Kind::text))
            t.push_back(item->lines.front().text);
        return t;
    };
    EXPECT_EQ(texts(), (std::vector<std::string>{"0", "0"}));
    model->count = 1;
    runUntilIdle();
    EXPECT_EQ(texts(), (std::vector<std::string>{"1", "0"}))
        << "the other branch starts fresh; the same id keeps its state";
    model->count = 12;
    runUntilIdle();
    EXPECT_EQ(texts(), (std::vector<std::string>{"12", "12"})) << "a new id replaces the subtree";
}

TEST_F(StateTest, ForEachKeysKeepStateAcrossReorder)
{
    struct Row {
        std::string name;
        State<int> taps{0};
        auto dynamicFields() { return std::tie(taps); }
        View body() const
        {
            return Text(Verbatim{name + std::to_string(*taps)}).font(Font::system(10)).onTapGesture([t = taps] {
                t = *t + 1;
            });
        }
    };
    struct List : ObservableObject {
        Published<std::vector<std::string>> names{this, {"a", "b", "a"}};
    };
    auto list = std::make_shared<List>();
    struct Rows {
        ObservedObject<List> list;
        auto dynamicFields() { return std::tie(list); }
        View body() const
        {
            return VStack(HorizontalAlignment::leading, 0,
                          {ForEach(
                              list->names.get(), [](const std::string& n) { return n; },
                              [](const std::string& n) { return Row{n}; })});
        }
    };
    ViewHost host(Rows{list}, {100, 36});
    auto texts = [&] {
        std::vector<std::string> t;
        for (const auto& item : host.displayList().itemsOfKind(DisplayItem::Kind::text))
            t.push_back(item->lines.front().text);
        return t;
    };
    EXPECT_EQ(texts(), (std::vector<std::string>{"a0", "b0", "a0"})) << "a repeated key does not crash";
    host.pointerPressed({50, 17});
    host.pointerReleased({50, 17}); // tap "b"
    runUntilIdle();
    EXPECT_EQ(texts(), (std::vector<std::string>{"a0", "b1", "a0"}));
    list->names = {"b", "a"};
    runUntilIdle();
    EXPECT_EQ(texts(), (std::vector<std::string>{"b1", "a0"})) << "b kept its state when it moved";
}

TEST_F(StateTest, ForEachOverAReversedRangeKeysElementsByTheirInteger)
{
    auto model = std::make_shared<Model>();
    model->count = 3;
    struct Countdown {
        ObservedObject<Model> model;
        auto dynamicFields() { return std::tie(model); }
        View body() const
        {
            const int n = model->count.get();
            // Each row remembers the count it was first shown with.
            return VStack(HorizontalAlignment::leading, 0,
                          {ForEach(Range{0, n}.reversed(), [n](int i) { return View(Remembering(100 * n + i)); })});
        }
    };
    ViewHost host(Countdown{model}, {100, 100});
    auto texts = [&] {
        std::vector<std::string> t;
        for (const auto& item : host.displayList().itemsOfKind(DisplayItem::Kind::text))
            t.push_back(item->lines.front().text);
        return t;
    };
    EXPECT_EQ(texts(), (std::vector<std::string>{"302", "301", "300"})) << "from the top: the highest first";
    model->count = 4;
    runUntilIdle();
    EXPECT_EQ(texts(), (std::vector<std::string>{"403", "302", "301", "300"}))
        << "a new integer goes first, the rest keep their state";
    model->count = 2;
    runUntilIdle();
    EXPECT_EQ(texts(), (std::vector<std::string>{"301", "300"}));
    model->count = 0;
    runUntilIdle();
    EXPECT_TRUE(texts().empty());
}

TEST_F(StateTest, StateObjectIsMadeOnceAndLivesWithItsNode)
{
    auto made = std::make_shared<int>(0);
    std::weak_ptr<Model> object;
    struct Owner {
        StateObject<Model> model;
        std::shared_ptr<std::weak_ptr<Model>> seen;
        auto dynamicFields() { return std::tie(model); }
        View body() const
        {
            *seen = model.object();
            return Text(Verbatim{std::to_string(model->count.get())});
        }
    };
    auto seen = std::make_shared<std::weak_ptr<Model>>();
    auto toggle = std::make_shared<Model>();
    struct Parent {
        ObservedObject<Model> toggle;
        std::shared_ptr<int> made;
        std::shared_ptr<std::weak_ptr<Model>> seen;
        auto dynamicFields() { return std::tie(toggle); }
        View body() const
        {
            auto m = made;
            return If(toggle->count.get() < 2, View(Owner{StateObject<Model>([m] {
                                                              ++*m;
                                                              return std::make_shared<Model>();
                                                          }),
                                                          seen}));
        }
    };
    ViewHost host(Parent{toggle, made, seen}, {100, 50});
    host.update();
    EXPECT_EQ(*made, 1);
    seen->lock()->count = 3; // the owned object is observed
    runUntilIdle();
    EXPECT_TRUE(host.displayList().textItem("3"));
    toggle->count = 1;
    runUntilIdle();
    EXPECT_EQ(*made, 1) << "later view values' factories never run";
    toggle->count = 2;
    runUntilIdle();
    EXPECT_TRUE(seen->expired()) << "the object died with its node";
}

TEST_F(StateTest, BindingsWriteThroughToState)
{
    struct Child {
        Binding<int> value;
        View body() const
        {
            return Text(Verbatim{std::to_string(*value)}).font(Font::system(10)).onTapGesture([v = value] {
                v = *v + 10;
            });
        }
    };
    struct Parent {
        State<int> value{1};
        auto dynamicFields() { return std::tie(value); }
        View body() const { return Child{value.binding()}; }
    };
    ViewHost host(Parent{}, {100, 50});
    EXPECT_TRUE(host.displayList().textItem("1"));
    host.pointerPressed({50, 25});
    host.pointerReleased({50, 25});
    runUntilIdle();
    EXPECT_TRUE(host.displayList().textItem("11"));
    EXPECT_EQ(*Binding<int>::constant(4), 4);
}
