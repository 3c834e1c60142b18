// Children keep their nodes by identity whether they stay in place, move,
// come or go, and the layout always follows the children of the latest
// pass, also when a pass changes nothing in the tree's shape.

#include "UiTest.h"

#include "kit/base/Published.h"

#include <map>

using namespace kit;

namespace {

struct Rows : ObservableObject {
    Published<std::vector<int>> ids{this, {1, 2, 3}};
    Published<int> tall{this, 0};        // the row drawn 20 high instead of 10
    Published<bool> spacer{this, false}; // row 2 as a spacer in place of a shape
};

struct Item {
    int id;
};

// A column of rows keyed by id, each 10 wide and 10 high (the `tall` row
// 20); row 2 becomes a Spacer 5 high when `spacer`.
struct Column {
    ObservedObject<Rows> rows;
    auto dynamicFields() { return std::tie(rows); }
    View body() const
    {
        std::vector<Item> items;
        for (int id : rows->ids.get())
            items.push_back({id});
        const int tall = rows->tall.get();
        const bool spacer = rows->spacer.get();
        return VStack(HorizontalAlignment::leading, 0,
                      {ForEach(
                          items, [](const Item& i) { return i.id; },
                          [tall, spacer](const Item& i) {
                              if (spacer && i.id == 2)
                                  return View(Spacer()).frame(10, 5).id(i.id);
                              return View(Rectangle()).frame(10, i.id == tall ? 20 : 10).id(i.id);
                          })})
            .frame(100, 100, Alignment::topLeading());
    }
};

class IdentityMatching : public UiTest {};

TEST_F(IdentityMatching, RowsKeepTheirNodesAndTheColumnFollowsEveryPass)
{
    struct Step {
        const char* what;
        std::function<void(Rows&)> change;
        std::vector<int> order;   // ids from the top
        std::vector<double> tops; // their tops
    };
    // Rows 10 high stack from 0; a tall row takes 20, a spacer row 5.
    const std::vector<Step> steps{
        {"as built", [](Rows&) {}, {1, 2, 3}, {0, 10, 20}},
        {"a row grows, nothing moves", [](Rows& r) { r.tall = 1; }, {1, 2, 3}, {0, 20, 30}},
        {"and shrinks", [](Rows& r) { r.tall = 0; }, {1, 2, 3}, {0, 10, 20}},
        {"reversed",
         [](Rows& r) {
             r.ids = {3, 2, 1};
         },
         {3, 2, 1},
         {0, 10, 20}},
        {"one more in the middle",
         [](Rows& r) {
             r.ids = {3, 4, 2, 1};
         },
         {3, 4, 2, 1},
         {0, 10, 20, 30}},
        {"the first gone",
         [](Rows& r) {
             r.ids = {4, 2, 1};
         },
         {4, 2, 1},
         {0, 10, 20}},
        {"a spacer in place of row 2", [](Rows& r) { r.spacer = true; }, {4, 2, 1}, {0, 10, 15}},
        {"a shape again", [](Rows& r) { r.spacer = false; }, {4, 2, 1}, {0, 10, 20}},
    };
    auto rows = std::make_shared<Rows>();
    ViewHost host(Column{rows}, {100, 100});
    host.update();
    std::map<int, NodeId> nodes; // the node each id first had: it keeps it while it stays
    for (const Step& step : steps) {
        step.change(*rows);
        runUntilIdle();
        for (std::size_t i = 0; i < step.order.size(); ++i) {
            const int id = step.order[i];
            const auto node = host.nodeWithId(AnyKey(id));
            ASSERT_TRUE(node) << step.what << ", row " << id;
            const Rect frame = host.layoutFrame(*node).value();
            EXPECT_DOUBLE_EQ(frame.minY(), step.tops[i]) << step.what << ", row " << id;
            if (!nodes.contains(id))
                nodes[id] = *node;
            EXPECT_EQ(*node, nodes[id]) << step.what << ": row " << id << " keeps its node";
        }
    }
}

// A shape keyed 1 on a decoration, in one branch or the other of an If.
struct Switches : ObservableObject {
    Published<double> width{this, 10};
    Published<bool> circle{this, false}; // the decoration a circle instead of a colour
    Published<bool> first{this, true};   // the If's branch
};

struct Dressed {
    ObservedObject<Switches> switches;
    auto dynamicFields() { return std::tie(switches); }
    View body() const
    {
        const View content = Rectangle().frame(switches->width.get(), 10).id(1);
        const View decoration = switches->circle.get() ? View(Circle()) : View(Color::red());
        return If(switches->first.get(), content.background(decoration), content.background(decoration))
            .frame(100, 100, Alignment::topLeading());
    }
};

TEST_F(IdentityMatching, ChildrenUpdatedInPlaceKeepTheirNodesUntilTheirIdentityChanges)
{
    struct Step {
        const char* what;
        std::function<void(Switches&)> change;
        bool sameNode; // the shape keeps the node it had in the step before
        double width;
    };
    const std::vector<Step> steps{
        {"wider", [](Switches& s) { s.width = 20; }, true, 20},
        {"the decoration changes its type", [](Switches& s) { s.circle = true; }, true, 20},
        {"and back", [](Switches& s) { s.circle = false; }, true, 20},
        {"the other branch", [](Switches& s) { s.first = false; }, false, 20},
        {"narrower there", [](Switches& s) { s.width = 5; }, true, 5},
        {"the first branch again", [](Switches& s) { s.first = true; }, false, 5},
    };
    auto switches = std::make_shared<Switches>();
    ViewHost host(Dressed{switches}, {100, 100});
    host.update();
    NodeId before = host.nodeWithId(AnyKey(1)).value();
    const std::size_t nodes = host.nodeCount();
    for (const Step& step : steps) {
        step.change(*switches);
        runUntilIdle();
        const auto node = host.nodeWithId(AnyKey(1));
        ASSERT_TRUE(node) << step.what;
        EXPECT_EQ(*node == before, step.sameNode) << step.what;
        EXPECT_DOUBLE_EQ(host.layoutFrame(*node)->width(), step.width) << step.what;
        EXPECT_EQ(host.nodeCount(), nodes) << step.what << ": nothing left behind";
        before = *node;
    }
}

struct Shown : ObservableObject {
    Published<bool> middle{this, false};
};

// Three cells 10, 20 and 10 wide in a row without spacing; the middle
// one only while `middle`, an empty view otherwise.
struct Row {
    ObservedObject<Shown> shown;
    auto dynamicFields() { return std::tie(shown); }
    View body() const
    {
        return HStack(VerticalAlignment::top, 0.0,
                      {View(Color::red()).frame(10, 10).id(1),
                       If(shown->middle.get(), View(Color::green()).frame(20, 10).id(2)),
                       View(Color::blue()).frame(10, 10).id(3)})
            .frame(100, 10, Alignment::topLeading());
    }
};

TEST_F(IdentityMatching, EmptyViewsTakeNoPlaceWheneverTheyComeAndGo)
{
    EXPECT_TRUE(View().isEmptyView());
    EXPECT_TRUE(EmptyView().isEmptyView());
    EXPECT_FALSE(View(Color::red()).isEmptyView());

    struct Step {
        bool middle;
        double third; // where the third cell starts
    };
    const std::vector<Step> steps{{false, 10}, {true, 30}, {false, 10}, {false, 10}, {true, 30}};
    auto shown = std::make_shared<Shown>();
    ViewHost host(Row{shown}, {100, 10});
    host.update();
    const NodeId third = host.nodeWithId(AnyKey(3)).value();
    for (const Step& step : steps) {
        shown->middle = step.middle;
        runUntilIdle();
        EXPECT_EQ(host.nodeWithId(AnyKey(2)).has_value(), step.middle);
        EXPECT_EQ(host.nodeWithId(AnyKey(3)), third) << "the last cell keeps its node";
        EXPECT_DOUBLE_EQ(host.layoutFrame(third)->minX(), step.third) << "middle " << step.middle;
    }
}

TEST(AnyKeyIdentity, IntegersOfEveryTypeAreOneKeyAndDifferFromOtherValues)
{
    struct Case {
        const char* what;
        AnyKey a, b;
        bool equal;
    };
    const std::vector<Case> cases{
        {"int and int", AnyKey(3), AnyKey(3), true},
        {"int and size_t", AnyKey(3), AnyKey(std::size_t(3)), true},
        {"short and long long", AnyKey(short(-7)), AnyKey(-7LL), true},
        {"different integers", AnyKey(3), AnyKey(4), false},
        {"integer and text", AnyKey(3), AnyKey("3"), false},
        {"integer and double", AnyKey(3), AnyKey(3.0), false},
        {"integer and no key", AnyKey(0), AnyKey(), false},
        {"no key and no key", AnyKey(), AnyKey(), true},
        {"text and text", AnyKey("a"), AnyKey(std::string("a")), true},
        {"bool and integer", AnyKey(true), AnyKey(1), false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.a == c.b, c.equal) << c.what;
        EXPECT_EQ(c.b == c.a, c.equal) << c.what;
        if (c.equal) {
            EXPECT_EQ(c.a.hash(), c.b.hash()) << c.what;
        }
    }
    const AnyKey key(std::uint8_t(42));
    EXPECT_FALSE(key.isEmpty());
    EXPECT_EQ(key.description(), "42");
    EXPECT_EQ(AnyKey(-5).description(), "-5");
    ASSERT_NE(key.as<std::int64_t>(), nullptr);
    EXPECT_EQ(*key.as<std::int64_t>(), 42);
    EXPECT_EQ(key.as<std::string>(), nullptr);
    EXPECT_EQ(AnyKey("42").as<std::int64_t>(), nullptr);
    EXPECT_EQ(AnyKey(3).hash(), std::hash<std::int64_t>{}(3));
}

} // namespace
