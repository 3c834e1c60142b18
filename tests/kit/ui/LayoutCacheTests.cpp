// Sizes measured in one pass are kept for the passes after it: a view whose
// description, environment and subtree did not change is not measured
// again, and one whose font, own lengths, proposal or subtree changed is.
// Views counting their own measurements tell which were measured; the
// frames stay those a host laid out from scratch would give.

#include "UiTest.h"

#include "kit/base/Localization.h"
#include "kit/base/Published.h"
#include "kit/ui/engine/Primitive.h"

#include <map>
#include <memory>
#include <string>

using namespace kit;

namespace {

// How many times each counted view was measured.
using Measurements = std::map<std::string, int>;

// A leaf of a fixed size that counts its measurements under its name.
class CountedLeaf final : public detail::Primitive {
public:
    CountedLeaf(std::string name, Size size, std::shared_ptr<Measurements> log)
        : name_(std::move(name)), size_(size), log_(std::move(log))
    {
    }
    detail::NodeRole role() const override { return detail::NodeRole::leaf; }
    Size sizeThatFits(detail::Node&, ProposedSize) const override
    {
        ++(*log_)[name_];
        return size_;
    }
    bool sameLayout(const Primitive& other) const override
    {
        const auto& o = static_cast<const CountedLeaf&>(other);
        return o.name_ == name_ && o.size_ == size_;
    }

private:
    std::string name_;
    Size size_;
    std::shared_ptr<Measurements> log_;
};

// A modifier laying its content out as it is, counting its measurements
// and, under "placed" and its name, its placements.
class CountedModifier final : public detail::ModifierPrimitive {
public:
    CountedModifier(View content, std::string name, std::shared_ptr<Measurements> log)
        : ModifierPrimitive(std::move(content)), name_(std::move(name)), log_(std::move(log))
    {
    }
    Size sizeThatFits(detail::Node& node, ProposedSize p) const override
    {
        ++(*log_)[name_];
        return ModifierPrimitive::sizeThatFits(node, p);
    }
    void placeChildren(detail::Node& node, ProposedSize p, Size size) const override
    {
        ++(*log_)["placed " + name_];
        ModifierPrimitive::placeChildren(node, p, size);
    }
    bool sameLayout(const Primitive& other) const override
    {
        return static_cast<const CountedModifier&>(other).name_ == name_;
    }

private:
    std::string name_;
    std::shared_ptr<Measurements> log_;
};

View leaf(const std::string& name, Size size, const std::shared_ptr<Measurements>& log)
{
    return View(std::make_shared<CountedLeaf>(name, size, log)).id(name);
}

View counted(const View& content, const std::string& name, const std::shared_ptr<Measurements>& log)
{
    return View(std::make_shared<CountedModifier>(content, name, log)).id(name);
}

struct Model : ObservableObject {
    Published<int> value{this, 0};      // the number shown
    Published<bool> bold{this, false};  // the header's font
    Published<double> width{this, 40};  // the left box's width
    Published<bool> extra{this, false}; // a row more
    Published<int> unrelated{this, 0};  // read by the body only
};

// A row of its own state, which a press on it bumps.
struct Tally {
    std::shared_ptr<Measurements> log;
    State<int> count{0};
    auto dynamicFields() { return std::tie(count); }
    View body() const
    {
        return counted(leaf("tally", {10.0 + 5 * *count, 10}, log), "tally row", log)
            .contentShape(Rectangle())
            .onTapGesture([c = count] { c = *c + 1; });
    }
};

// A column: a header, a row of a box and the value, a tally, maybe an extra row.
struct Scene {
    ObservedObject<Model> model;
    std::shared_ptr<Measurements> log;
    auto dynamicFields() { return std::tie(model); }
    View body() const
    {
        (void)model->unrelated.get();
        std::vector<View> rows{counted(leaf("header", {100, 20}, log), "header box", log)
                                   .font(model->bold.get() ? Font::headline() : Font::body()),
                               counted(HStack({leaf("left", {model->width.get(), 10}, log),
                                               Text(Verbatim{std::to_string(model->value.get())}).id("value")}),
                                       "row", log),
                               Tally{log}};
        if (model->extra.get())
            rows.push_back(leaf("extra", {30, 30}, log));
        return counted(VStack(HorizontalAlignment::leading, 4, rows), "column", log);
    }
};

class LayoutCache : public UiTest {
protected:
    std::shared_ptr<Model> model = std::make_shared<Model>();
    std::shared_ptr<Measurements> log = std::make_shared<Measurements>();

    // The measurements of the next pass.
    Measurements pass(ViewHost& host)
    {
        log->clear();
        runUntilIdle();
        host.update();
        return *log;
    }
    static int count(const Measurements& m, const std::string& name)
    {
        const auto it = m.find(name);
        return it == m.end() ? 0 : it->second;
    }
    // Every counted view but the tally (whose state a new host does not
    // have) and the value laid out where a new host puts them.
    void expectFramesAsFromScratch(ViewHost& host, Size size)
    {
        auto scratchLog = std::make_shared<Measurements>();
        ViewHost fresh(Scene{model, scratchLog}, size);
        fresh.update();
        for (const char* key : {"header", "header box", "left", "value", "row", "column"}) {
            SCOPED_TRACE(key);
            expectRect(frameOf(host, key), frameOf(fresh, key));
        }
    }
};

} // namespace

// A pass in which the body runs again but nothing it shows changed measures
// nothing; one in which the value changes measures the value's text and the
// stacks holding it, not the header, the box or the tally beside it.
TEST_F(LayoutCache, WhatDidNotChangeIsNotMeasuredAgain)
{
    ViewHost host(Scene{model, log}, {300, 200});
    const Measurements first = pass(host);
    EXPECT_GT(count(first, "header"), 0);
    EXPECT_GT(count(first, "tally"), 0);

    model->unrelated = 1;
    const Measurements same = pass(host);
    EXPECT_TRUE(same.empty()) << "measured " << same.size() << " views again";
    EXPECT_EQ(host.measuredCount(), 0u);

    model->value = 12345;
    const Measurements changed = pass(host);
    EXPECT_EQ(count(changed, "header"), 0);
    EXPECT_EQ(count(changed, "header box"), 0);
    EXPECT_EQ(count(changed, "left"), 0);
    EXPECT_EQ(count(changed, "tally"), 0);
    EXPECT_GT(count(changed, "row"), 0);
    EXPECT_GT(count(changed, "column"), 0);
    // Five digits of the body font (13 pt, advances 0.6 of it) after the box.
    EXPECT_NEAR(frameOf(host, "value").width(), 5 * 7.8, 1e-9);
    expectFramesAsFromScratch(host, {300, 200});
}

// A view is measured again when its environment measures otherwise (a
// font), when its own lengths change, when it is offered another size, and
// when something below it changes: a row's own state, a row inserted.
TEST_F(LayoutCache, ChangesOfFontLengthProposalOrSubtreeMeasureAgain)
{
    ViewHost host(Scene{model, log}, {300, 200});
    pass(host);

    model->bold = true;
    Measurements m = pass(host);
    EXPECT_GT(count(m, "header"), 0) << "its font changed";
    EXPECT_GT(count(m, "column"), 0);
    EXPECT_EQ(count(m, "left"), 0);
    EXPECT_EQ(count(m, "tally"), 0);

    model->width = 70;
    m = pass(host);
    EXPECT_GT(count(m, "left"), 0) << "its width changed";
    EXPECT_GT(count(m, "row"), 0);
    EXPECT_EQ(count(m, "header"), 0);
    EXPECT_NEAR(frameOf(host, "left").width(), 70, 1e-9);

    host.setSize({250, 180});
    m = pass(host);
    EXPECT_GT(count(m, "column"), 0) << "offered another size";
    EXPECT_GT(count(m, "header"), 0);

    // A press on the tally (the third row, below the header's 20 and the
    // row's 15.6 with 4 between): its own state widens it by 5.
    const Rect tally = frameOf(host, "tally");
    host.pointerPressed({tally.midX(), tally.midY()});
    host.pointerReleased({tally.midX(), tally.midY()});
    m = pass(host);
    EXPECT_GT(count(m, "tally"), 0);
    EXPECT_GT(count(m, "tally row"), 0);
    EXPECT_GT(count(m, "column"), 0) << "a child's state changed its size";
    EXPECT_EQ(count(m, "header"), 0);
    EXPECT_EQ(count(m, "left"), 0);
    EXPECT_NEAR(frameOf(host, "tally").width(), 15, 1e-9);

    model->extra = true;
    m = pass(host);
    EXPECT_GT(count(m, "extra"), 0);
    EXPECT_GT(count(m, "column"), 0) << "a row was inserted";
    EXPECT_NEAR(frameOf(host, "column").height(), 20 + 4 + 15.6 + 4 + 10 + 4 + 30, 1e-9);
    expectFramesAsFromScratch(host, {250, 180});

    model->extra = false;
    pass(host);
    EXPECT_NEAR(frameOf(host, "column").height(), 20 + 4 + 15.6 + 4 + 10, 1e-9) << "and removed";
}

// A geometry reader takes what it is offered whatever its content, so a
// change inside it measures nothing around it again.
TEST_F(LayoutCache, AChangeInsideAGeometryReaderStaysInside)
{
    struct Reading {
        ObservedObject<Model> model;
        std::shared_ptr<Measurements> log;
        auto dynamicFields() { return std::tie(model); }
        View body() const
        {
            const double width = model->width.get();
            const auto l = log;
            return VStack({counted(leaf("above", {50, 10}, l), "above box", l),
                           counted(GeometryReader([width, l](const GeometryProxy&) {
                                       return counted(leaf("inside", {width, 10}, l), "inside box", l);
                                   }).frame(100, 50),
                                   "reader", l)});
        }
    };
    ViewHost host(Reading{model, log}, {200, 200});
    pass(host);
    model->width = 60;
    const Measurements m = pass(host);
    EXPECT_GT(count(m, "inside"), 0);
    EXPECT_EQ(count(m, "reader"), 0);
    EXPECT_EQ(count(m, "above"), 0);
    EXPECT_EQ(count(m, "above box"), 0);
    EXPECT_NEAR(frameOf(host, "inside").width(), 60, 1e-9);
}

// Other strings or text metrics change what every text measures: the next
// pass measures them again, though no text's view changed.
TEST_F(LayoutCache, OtherStringsOrMetricsMeasureTextAgain)
{
    struct Greeting {
        ObservedObject<Model> model;
        auto dynamicFields() { return std::tie(model); }
        View body() const
        {
            (void)model->unrelated.get();
            return HStack({Text("greeting.key").id("greeting"), Spacer()});
        }
    };
    StringTable::setActive({{"greeting.key", "Hello"}});
    ViewHost host(Greeting{model}, {300, 50});
    host.update();
    EXPECT_NEAR(frameOf(host, "greeting").width(), 5 * 7.8, 1e-9);

    StringTable::setActive({{"greeting.key", "Bonjour"}});
    model->unrelated = 1;
    runUntilIdle();
    EXPECT_NEAR(frameOf(host, "greeting").width(), 7 * 7.8, 1e-9);
    StringTable::setActive({});
    model->unrelated = 2;
    runUntilIdle();
    EXPECT_NEAR(frameOf(host, "greeting").width(), 12 * 7.8, 1e-9) << "the key itself, untranslated";

    model->unrelated = 3;
    runUntilIdle();
    EXPECT_EQ(host.measuredCount(), 0u);
    // A new set of metrics (measuring alike): the texts are measured again.
    FontMetrics::useFixed();
    model->unrelated = 4;
    runUntilIdle();
    EXPECT_GT(host.measuredCount(), 0u);
}

// A subtree offered what it was offered before, in which nothing changed,
// keeps the frames it was given: nothing in it is placed again, though what
// holds it moves.
TEST_F(LayoutCache, WhatDidNotChangeIsNotPlacedAgain)
{
    ViewHost host(Scene{model, log}, {300, 200});
    pass(host);
    model->unrelated = 1;
    pass(host);
    EXPECT_EQ(host.placedCount(), 0u);

    model->value = 42;
    Measurements m = pass(host);
    EXPECT_GT(count(m, "placed row"), 0);
    EXPECT_GT(count(m, "placed column"), 0);
    EXPECT_EQ(count(m, "placed header box"), 0);
    EXPECT_EQ(count(m, "placed tally row"), 0);

    // The box in the row widens and narrows again: the tally below keeps
    // its frame, and every frame is where a new host puts it.
    const Rect before = frameOf(host, "tally");
    model->width = 50;
    pass(host);
    model->width = 40;
    pass(host);
    expectRect(frameOf(host, "tally"), before);
    expectFramesAsFromScratch(host, {300, 200});
}

// What a geometry reader builds depends on where it sits in the host: when
// something before it moves it, it builds again, though nothing in it changed.
TEST_F(LayoutCache, AGeometryReaderSeesWhereItMoved)
{
    struct Below {
        ObservedObject<Model> model;
        auto dynamicFields() { return std::tie(model); }
        View body() const
        {
            return VStack(HorizontalAlignment::leading, 0.0,
                          {View(Rectangle().fill(Color::rgb(0, 0, 1))).frame(50, model->width.get()),
                           HStack({GeometryReader([](const GeometryProxy& proxy) {
                                       const double y = proxy.frame(CoordinateSpace::global()).minY();
                                       return Text(Verbatim{std::to_string(int(y))}).id("y");
                                   }).frame(100, 20)})})
                .frame(200, 200, Alignment::topLeading());
        }
    };
    ViewHost host(Below{model}, {200, 200});
    host.update();
    auto shown = [&] {
        const auto items = itemsOf(host, "y");
        return items.empty() || items[0]->lines.empty() ? std::string() : items[0]->lines[0].text;
    };
    EXPECT_EQ(shown(), "40");
    model->width = 65;
    runUntilIdle();
    EXPECT_EQ(shown(), "65");
}
