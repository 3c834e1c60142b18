// Animations of the view layer: the curves, and animated changes in a host's passes.
//
// Sections:
//   fixtures             Toggle and Box (a box following a flag), Tracked (a value counting its copies)
//   curves               AnimationCurves: reference progress, springs, delay, speed and repeat
//   animated changes     Animating: withAnimation, a hidden host, retargeting, implicit
//                        animations and what they compare, transactions, springs' velocity
//   shapes               Bars, CountedLine, Line: animatable shape data and trims
//   passes               insertions and removals, an idle host, shadows, a geometry reader

#include "UiTest.h"

#include "kit/base/Published.h"

#include <cmath>
#include <numbers>

using namespace kit;

namespace {

// Progress of an animation of a change from 0 to 1, at `t`.
double progress(const Animation& a, double t)
{
    const double settle = a.settleTime();
    return 1 - a.sample(t, settle).displacement;
}

struct Toggle : ObservableObject {
    Published<bool> on{this, false};
};

// A box whose width, offset, opacity and colour follow a flag.
struct Box {
    State<bool> on{false};
    std::optional<Animation> implicit;
    auto dynamicFields() { return std::tie(on); }
    View body() const
    {
        View v = View(*on ? Color::rgb(0, 0, 1) : Color::rgb(1, 0, 0)).frame(*on ? 100 : 0, 10).id("box");
        v = v.opacity(*on ? 1 : 0.5).offset(*on ? 10 : 0, 0);
        if (implicit)
            v = v.animation(implicit, *on);
        return v.frame(200, 20).contentShape().onTapGesture([on = on] { on = !*on; });
    }
};

double boxWidth(ViewHost& host)
{
    const auto node = host.nodeWithId("box");
    for (const auto& item : host.displayList().items)
        if (host.isDescendant(item.node, *node))
            return item.path.boundingRect().width();
    return -1;
}

const DisplayItem* boxItem(ViewHost& host)
{
    const auto node = host.nodeWithId("box");
    for (const auto& item : host.displayList().items)
        if (host.isDescendant(item.node, *node))
            return &item;
    return nullptr;
}

// A value that counts its copies.
struct Tracked {
    int value = 0;
    std::shared_ptr<int> copies;
    Tracked(int v, std::shared_ptr<int> c) : value(v), copies(std::move(c)) {}
    Tracked(const Tracked& other) : value(other.value), copies(other.copies) { ++*copies; }
    Tracked& operator=(const Tracked&) = default;
    friend bool operator==(const Tracked& a, const Tracked& b) { return a.value == b.value; }
};

} // namespace

template <>
struct std::hash<Tracked> {
    std::size_t operator()(const Tracked& t) const { return std::hash<int>{}(t.value); }
};

TEST(AnimationCurves, ReferenceProgress)
{
    const double xs[] = {0.25, 0.5, 0.75};
    const double easeIn[] = {0.0935, 0.3154, 0.6219};
    const double easeOut[] = {0.3781, 0.6846, 0.9065};
    const double easeInOut[] = {0.1292, 0.5, 0.8708};
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(Animation::linear(1).curveProgress(xs[i]), xs[i], 1e-12);
        EXPECT_NEAR(Animation::easeIn(1).curveProgress(xs[i]), easeIn[i], 1e-4);
        EXPECT_NEAR(Animation::easeOut(1).curveProgress(xs[i]), easeOut[i], 1e-4);
        EXPECT_NEAR(Animation::easeInOut(1).curveProgress(xs[i]), easeInOut[i], 1e-4);
    }
    EXPECT_NEAR(progress(Animation::linear(6), 1.5), 0.25, 1e-12);
    EXPECT_NEAR(progress(Animation::defaultAnimation(), 0.175), 0.5, 1e-6);
    EXPECT_EQ(Animation::defaultAnimation(), Animation::easeInOut(0.35));
    EXPECT_TRUE(Animation::linear(1).sample(1.0, 1.0).finished);
}

TEST(AnimationCurves, CriticallyDampedSpring)
{
    const Animation s = Animation::spring(0.5, 1.0);
    const double w = 2 * std::numbers::pi / 0.5;
    for (double t : {0.1, 0.2, 0.3, 0.5})
        EXPECT_NEAR(progress(s, t), 1 - (1 + w * t) * std::exp(-w * t), 1e-12);
    EXPECT_NEAR(progress(s, 0.1), 0.3577, 1e-4);
    EXPECT_NEAR(progress(s, 0.2), 0.7154, 1e-4);
    EXPECT_NEAR(progress(s, 0.3), 0.8900, 1e-4);
    EXPECT_NEAR(progress(s, 0.5), 0.9864, 1e-4);
    EXPECT_NEAR(s.settleTime(), 0.735, 1e-3);
    EXPECT_FALSE(s.sample(0.73, s.settleTime()).finished);
    EXPECT_TRUE(s.sample(0.74, s.settleTime()).finished);
    // Ten items delayed by 0.06·i all settle by 1.275 s.
    const Animation last = s.delay(0.06 * 9);
    EXPECT_FALSE(last.sample(1.27, s.settleTime()).finished);
    EXPECT_TRUE(last.sample(1.28, s.settleTime()).finished);
    EXPECT_TRUE(Animation::spring(0).sample(0, 0).finished) << "a response of 0 snaps";
}

TEST(AnimationCurves, UnderAndOverdampedSpringsSettle)
{
    const Animation bouncy = Animation::spring(0.55, 0.3);
    double overshoot = 0;
    for (double t = 0; t < 1; t += 0.01)
        overshoot = std::max(overshoot, progress(bouncy, t));
    EXPECT_GT(overshoot, 1.2);
    const Animation slow = Animation::spring(0.5, 2.0);
    for (double t = 0; t < 2; t += 0.05)
        EXPECT_LE(progress(slow, t), 1.0) << "no overshoot";
    EXPECT_TRUE(std::isfinite(slow.settleTime()));
    const Animation undamped = Animation::spring(0.5, 0);
    EXPECT_TRUE(std::isinf(undamped.settleTime())) << "an undamped spring never settles";
    EXPECT_NEAR(progress(undamped, 0.25), 2, 1e-9) << "it swings to twice the change";
    EXPECT_NEAR(progress(undamped, 100.5), 0, 1e-6) << "and back, for ever";
    EXPECT_FALSE(undamped.sample(100.5, undamped.settleTime()).finished);
    EXPECT_EQ(Animation::spring(0.5, -1), Animation::spring(0.5, 0));
}

TEST(AnimationCurves, DelaySpeedAndRepeat)
{
    const Animation a = Animation::linear(1).delay(0.5);
    EXPECT_EQ(progress(a, 0.4), 0);
    EXPECT_NEAR(progress(a, 1.0), 0.5, 1e-12);
    const Animation fast = Animation::linear(1).delay(1).speed(2);
    EXPECT_EQ(fast.totalDelay(), 0.5) << "speed divides earlier delays";
    EXPECT_NEAR(progress(fast, 0.75), 0.5, 1e-12);
    EXPECT_TRUE(Animation::linear(1).speed(0).sample(0, 0).finished);

    const Animation twice = Animation::linear(1).repeatCount(2);
    EXPECT_NEAR(progress(twice, 0.5), 0.5, 1e-12);
    EXPECT_NEAR(progress(twice, 1.25), 0.75, 1e-12) << "the second run goes back";
    EXPECT_TRUE(twice.sample(2.0, 0).finished) << "then jumps to the target";
    const Animation endless = Animation::linear(1).repeatForever(false);
    EXPECT_NEAR(progress(endless, 100.25), 0.25, 1e-9);
    EXPECT_FALSE(endless.sample(1e6, 0).finished);
}

using Animating = UiTest;

TEST_F(Animating, WithAnimationMovesFromThePresentedValue)
{
    ViewHost host(Box{}, {200, 20});
    EXPECT_NEAR(boxWidth(host), 0, 1e-9);
    EXPECT_FALSE(host.isAnimating());
    withAnimation(Animation::linear(1), [&] {
        host.pointerPressed({100, 10});
        host.pointerReleased({100, 10});
    });
    runUntilIdle();
    EXPECT_TRUE(host.isAnimating());
    Clock::advance(0.25);
    EXPECT_NEAR(boxWidth(host), 25, 1e-6);
    const DisplayItem* item = boxItem(host);
    EXPECT_NEAR(item->opacity, 0.625, 1e-6);
    const RGBA c = std::get<Color>(item->paint).components();
    EXPECT_NEAR(c.red, 0.75, 1e-6);
    EXPECT_NEAR(c.blue, 0.25, 1e-6);
    Clock::advance(1.0);
    EXPECT_NEAR(boxWidth(host), 100, 1e-12) << "a finished animation lands exactly on the target";
    EXPECT_FALSE(host.isAnimating()) << "no ticking when nothing runs";
}

TEST_F(Animating, AHiddenHostStopsTickingAndResumesWhenShown)
{
    ViewHost host(Box{}, {200, 20});
    withAnimation(Animation::linear(1), [&] {
        host.pointerPressed({100, 10});
        host.pointerReleased({100, 10});
    });
    runUntilIdle();
    ASSERT_TRUE(host.isAnimating());
    host.setVisible(false);
    EXPECT_FALSE(host.isAnimating()) << "no timer for a host nobody sees";
    const auto repaints = host.repaintCount();
    Clock::advance(0.25);
    EXPECT_EQ(host.repaintCount(), repaints);
    host.setVisible(true);
    runUntilIdle();
    EXPECT_TRUE(host.isAnimating()) << "the animation still in flight ticks again";
    Clock::advance(1.0);
    EXPECT_NEAR(boxWidth(host), 100, 1e-12);
    EXPECT_FALSE(host.isAnimating());
}

TEST_F(Animating, RetargetingStartsFromWhatIsOnScreen)
{
    ViewHost host(Box{}, {200, 20});
    host.update();
    auto tap = [&] {
        host.pointerPressed({100, 10});
        host.pointerReleased({100, 10});
        runUntilIdle();
    };
    withAnimation(Animation::linear(1), [&] { host.pointerPressed({100, 10}); });
    withAnimation(Animation::linear(1), [&] { host.pointerReleased({100, 10}); });
    runUntilIdle();
    Clock::advance(0.5);
    EXPECT_NEAR(boxWidth(host), 50, 1e-6);
    // Back again, without animation: it snaps.
    tap();
    EXPECT_NEAR(boxWidth(host), 0, 1e-12);
    EXPECT_FALSE(host.isAnimating());
}

TEST_F(Animating, ImplicitAnimationAppliesWhenItsValueChanges)
{
    ViewHost host(Box{{false}, Animation::linear(2)}, {200, 20});
    host.update();
    host.pointerPressed({100, 10});
    host.pointerReleased({100, 10});
    runUntilIdle();
    Clock::advance(0.5);
    EXPECT_NEAR(boxWidth(host), 25, 1e-6) << "animated by the modifier although the write was not";

    // Disabling animations stops the implicit override.
    Transaction t;
    t.disablesAnimations = true;
    Clock::advance(2);
    withTransaction(t, [&] {
        host.pointerPressed({100, 10});
        host.pointerReleased({100, 10});
    });
    runUntilIdle();
    EXPECT_NEAR(boxWidth(host), 0, 1e-12);
}

TEST_F(Animating, ImplicitAnimationComparesAHashOrAVersion)
{
    struct Series : ObservableObject {
        Published<std::vector<double>> values{this, {1}};
        Published<double> scale{this, 10};
    };
    // The bar is values[0] × scale wide; only changes of `values` animate.
    using Attach = std::function<View(const View&, const Series&)>;
    struct Bar {
        ObservedObject<Series> series;
        Attach attach;
        auto dynamicFields() { return std::tie(series); }
        View body() const
        {
            const View bar = View(Color::red()).frame(series->values->front() * series->scale.get(), 10).id("box");
            return attach(bar, *series).frame(200, 10, Alignment::leading());
        }
    };
    const Animation linear = Animation::linear(2);
    const std::pair<const char*, Attach> cases[] = {
        {"the value's hash", [linear](const View& v, const Series& s) { return v.animation(linear, s.values.get()); }},
        {"the property's version", [linear](const View& v, const Series& s) { return v.animation(linear, s.values); }},
    };
    for (const auto& [name, attach] : cases) {
        SCOPED_TRACE(name);
        auto series = std::make_shared<Series>();
        ViewHost host(Bar{series, attach}, {200, 10});
        host.update();
        series->values = {3};
        runUntilIdle();
        Clock::advance(0.5);
        EXPECT_NEAR(boxWidth(host), 10 + 20 * 0.25, 1e-9) << "a quarter of the way from 10 to 30";
        Clock::advance(2);
        series->scale = 20;
        runUntilIdle();
        EXPECT_NEAR(boxWidth(host), 60, 1e-9) << "another property's change snaps";
        EXPECT_FALSE(host.isAnimating());
    }
}

TEST_F(Animating, ImplicitAnimationKeepsNoCopyOfItsValue)
{
    auto copies = std::make_shared<int>(0);
    struct Body {
        std::shared_ptr<const Tracked> value; // copies of the view do not copy it
        View body() const { return View(Color::red()).frame(10, 10).animation(Animation::linear(1), *value); }
    };
    ViewHost host(Body{std::make_shared<Tracked>(7, copies)}, {20, 20});
    host.update();
    host.setRoot(Body{std::make_shared<Tracked>(8, copies)});
    host.update();
    EXPECT_EQ(*copies, 0);
}

TEST_F(Animating, TransactionModifierReplacesTheAnimationOfItsSubtree)
{
    auto toggle = std::make_shared<Toggle>();
    struct Segments {
        ObservedObject<Toggle> toggle;
        auto dynamicFields() { return std::tie(toggle); }
        View body() const
        {
            const double s = toggle->on.get() ? 1.0 : 0.001;
            std::vector<View> items;
            for (int i = 0; i < 3; ++i)
                items.push_back(View(Color::red()).frame(10, 10).id(i).scaleEffect(s).transaction([i](Transaction& t) {
                    if (!t.disablesAnimations)
                        t.animation = Animation::spring(0.5, 1).delay(0.06 * i);
                }));
            return HStack(items);
        }
    };
    ViewHost host(Segments{toggle}, {100, 20});
    host.update();
    toggle->on = true; // no withAnimation: the transaction closure still animates it
    runUntilIdle();
    Clock::advance(0.1);
    auto scale = [&](int i) { return itemsOf(host, AnyKey(i)).front()->transform.a; };
    const double w = 4 * std::numbers::pi;
    EXPECT_NEAR(scale(0), 0.001 + 0.999 * (1 - (1 + w * 0.1) * std::exp(-w * 0.1)), 1e-6);
    EXPECT_NEAR(scale(2), 0.001, 1e-9) << "still in its delay";
    Clock::advance(1.2);
    EXPECT_NEAR(scale(2), 1, 1e-12);
    EXPECT_FALSE(host.isAnimating());
}

TEST_F(Animating, SpringsCarryTheirVelocity)
{
    auto toggle = std::make_shared<Toggle>();
    struct Mover {
        ObservedObject<Toggle> toggle;
        auto dynamicFields() { return std::tie(toggle); }
        View body() const { return View(Color::red()).frame(10, 10).offset(toggle->on.get() ? 100 : 0, 0).id("m"); }
    };
    ViewHost host(Mover{toggle}, {300, 20});
    host.update();
    withAnimation(Animation::spring(0.5, 1), [&] { toggle->on = true; });
    runUntilIdle();
    Clock::advance(0.1);
    const double before = itemsOf(host, "m").front()->hostBounds().minX();
    // Retarget to the same place the spring is heading: it keeps moving forward.
    withAnimation(Animation::spring(0.5, 1), [&] { toggle->on = false; });
    withAnimation(Animation::spring(0.5, 1), [&] { toggle->on = true; });
    runUntilIdle();
    Clock::advance(1.0 / 60);
    EXPECT_GT(itemsOf(host, "m").front()->hostBounds().minX(), before);
}

namespace {

// A shape whose animatable data is its bar heights.
struct Bars : ShapeBase<Bars> {
    std::vector<double> heights;
    explicit Bars(std::vector<double> h) : heights(std::move(h)) {}
    Path path(const Rect& r) const
    {
        Path p;
        for (std::size_t i = 0; i < heights.size(); ++i)
            p.addRect(Rect(10.0 * double(i), r.height() - heights[i], 5, heights[i]));
        return p;
    }
    AnimatableData animatableData() const { return {heights}; }
    void setAnimatableData(const AnimatableData& d) { heights = d.first; }
};

} // namespace

TEST_F(Animating, ShapeDataAndTrimInterpolate)
{
    struct Chart {
        State<int> step{0};
        auto dynamicFields() { return std::tie(step); }
        View body() const
        {
            const std::vector<double> h = *step == 0   ? std::vector<double>{10, 20}
                                          : *step == 1 ? std::vector<double>{30, 40}
                                                       : std::vector<double>{1, 2, 3};
            return VStack({Bars(h).frame(100, 50).id("bars"),
                           Circle().trim(0, *step == 0 ? 0.0 : 1.0).stroke(Color::black(), 2).frame(20, 20).id("trim")})
                .contentShape()
                .onTapGesture([s = step] { s = *s + 1; });
        }
    };
    ViewHost host(Chart{}, {100, 100});
    host.update();
    withAnimation(Animation::linear(1), [&] {
        host.pointerPressed({50, 50});
        host.pointerReleased({50, 50});
    });
    runUntilIdle();
    Clock::advance(0.5);
    const Rect bars = itemsOf(host, "bars").front()->path.boundingRect();
    EXPECT_NEAR(bars.height(), 30, 1e-6) << "heights 20 and 30 halfway";
    const Path& arc = itemsOf(host, "trim").front()->path;
    EXPECT_NEAR(arc.length(), Path::ellipse(Rect(0, 0, 20, 20)).length() / 2, 1e-3);
    // Arrays of another length jump.
    Clock::advance(1);
    withAnimation(Animation::linear(1), [&] {
        host.pointerPressed({50, 50});
        host.pointerReleased({50, 50});
    });
    runUntilIdle();
    Clock::advance(0.1);
    EXPECT_NEAR(itemsOf(host, "bars").front()->path.boundingRect().height(), 3, 1e-9);
}

namespace {

// A line from the bottom-left corner up to `rise` below the top-right
// corner, counting how often its path is made.
struct CountedLine : ShapeBase<CountedLine> {
    double rise = 0;
    std::shared_ptr<int> made;
    Path path(const Rect& r) const
    {
        ++*made;
        Path p;
        p.addLines({{0, r.height()}, {r.width(), rise}});
        return p;
    }
    friend bool operator==(const CountedLine& a, const CountedLine& b) { return a.rise == b.rise; }
};

struct Line {
    ObservedObject<Toggle> toggle;
    std::shared_ptr<double> rise;
    std::shared_ptr<int> made;
    auto dynamicFields() { return std::tie(toggle); }
    View body() const
    {
        return CountedLine{{}, *rise, made}.trim(0, toggle->on.get() ? 1.0 : 0.0).stroke(Color::black(), 2).id("l");
    }
};

} // namespace

TEST_F(Animating, AnEqualShapeIsNotMadeAgainWhileItsTrimAnimates)
{
    auto toggle = std::make_shared<Toggle>();
    auto rise = std::make_shared<double>(0);
    auto made = std::make_shared<int>(0);
    ViewHost host(Line{toggle, rise, made}, {30, 40});
    host.update();
    EXPECT_TRUE(itemsOf(host, "l").front()->path.isEmpty());
    EXPECT_EQ(*made, 1);
    withAnimation(Animation::linear(1), [&] { toggle->on = true; });
    runUntilIdle();
    // From (0, 40) to (30, 0): 50 long, drawn in over a second.
    for (double t : {0.25, 0.5, 0.75}) {
        Clock::advance(0.25);
        EXPECT_NEAR(itemsOf(host, "l").front()->path.length(), 50 * t, 1e-9);
    }
    Clock::advance(0.5);
    EXPECT_NEAR(itemsOf(host, "l").front()->path.length(), 50, 1e-9);
    EXPECT_EQ(*made, 1) << "re-evaluated with an equal shape and trimmed each frame, made once";

    // Another shape, or another frame, makes the path again.
    *rise = 10;
    toggle->on = true;
    runUntilIdle();
    EXPECT_EQ(itemsOf(host, "l").front()->path.currentPoint(), (Point{30, 10}));
    EXPECT_EQ(*made, 2);
    host.setSize({60, 40});
    runUntilIdle();
    EXPECT_EQ(itemsOf(host, "l").front()->path.currentPoint(), (Point{60, 10}));
    EXPECT_EQ(*made, 3);
}

TEST_F(Animating, InsertionsAndRemovalsFadeInAnimatedPasses)
{
    auto toggle = std::make_shared<Toggle>();
    struct Maybe {
        ObservedObject<Toggle> toggle;
        auto dynamicFields() { return std::tie(toggle); }
        View body() const
        {
            return ZStack({View(Color::blue()).frame(50, 50),
                           If(toggle->on.get(), View(View(Color::red()).frame(20, 20).id("r")))});
        }
    };
    ViewHost host(Maybe{toggle}, {50, 50});
    host.update();
    withAnimation(Animation::linear(1), [&] { toggle->on = true; });
    runUntilIdle();
    Clock::advance(0.25);
    EXPECT_NEAR(itemsOf(host, "r").front()->opacity, 0.25, 1e-9);
    Clock::advance(1);
    withAnimation(Animation::linear(1), [&] { toggle->on = false; });
    runUntilIdle();
    Clock::advance(0.5);
    const auto fading = host.displayList().itemsOfKind(DisplayItem::Kind::fill);
    ASSERT_EQ(fading.size(), 2u) << "still drawn while it fades";
    EXPECT_NEAR(fading[1]->opacity, 0.5, 1e-9);
    EXPECT_FALSE(fading[1]->hittable);
    EXPECT_EQ(host.hitTest({25, 25}).size(), host.hitTest({2, 2}).size()) << "the fading view is not hit";
    Clock::advance(0.6);
    EXPECT_EQ(host.displayList().itemsOfKind(DisplayItem::Kind::fill).size(), 1u) << "dropped when the fade ends";
    EXPECT_FALSE(host.isAnimating());

    toggle->on = true; // without animation: immediate
    runUntilIdle();
    EXPECT_NEAR(itemsOf(host, "r").front()->opacity, 1, 1e-12);
}

TEST_F(Animating, IdleHostDoesNotTickOrRepaint)
{
    ViewHost host(Box{}, {200, 20});
    host.update();
    const std::size_t repaints = host.repaintCount();
    Clock::advance(5);
    runUntilIdle();
    EXPECT_EQ(host.repaintCount(), repaints);
    EXPECT_FALSE(host.isAnimating());
    withAnimation(Animation::linear(0.5), [&] {
        host.pointerPressed({100, 10});
        host.pointerReleased({100, 10});
    });
    runUntilIdle();
    Clock::advance(1);
    const std::size_t afterAnimation = host.repaintCount();
    EXPECT_GE(afterAnimation - repaints, 30u) << "about 60 ticks per second while animating";
    Clock::advance(5);
    EXPECT_EQ(host.repaintCount(), afterAnimation);
}

TEST_F(Animating, ShadowsInterpolate)
{
    auto toggle = std::make_shared<Toggle>();
    struct Lifted {
        ObservedObject<Toggle> toggle;
        auto dynamicFields() { return std::tie(toggle); }
        View body() const
        {
            const bool on = toggle->on.get();
            return View(Color::white())
                .frame(10, 10)
                .shadow(on ? Color::black() : Color::clear(), on ? 10 : 0, 0, on ? 4 : 0)
                .id("s");
        }
    };
    ViewHost host(Lifted{toggle}, {50, 50});
    host.update();
    withAnimation(Animation::linear(1), [&] { toggle->on = true; });
    runUntilIdle();
    Clock::advance(0.5);
    const auto& shadow = itemsOf(host, "s").front()->shadows.at(0);
    EXPECT_NEAR(shadow.radius, 5, 1e-9);
    EXPECT_NEAR(shadow.offset.y, 2, 1e-9);
    EXPECT_NEAR(shadow.color.alpha, 0.5, 1e-9);
    EXPECT_NEAR(shadow.color.red, 0, 1e-9) << "premultiplied: clear to black stays black";
}

TEST_F(Animating, AnAnimatedChangeKeepsItsAnimationUnderAGeometryReaderWhoseParentChangedPlainly)
{
    // In one round, the parent changes without animation (a model write when
    // its content appears) and the line inside the reader's content turns
    // itself on with animation. The reader hands the line a new value at
    // layout; the line's own change still animates.
    struct Line {
        State<bool> on{false};
        auto dynamicFields() { return std::tie(on); }
        View body() const
        {
            return Rectangle().trim(0, *on ? 1.0 : 0.0).stroke(Color::black(), 2).id("line").onAppear([on = on] {
                withAnimation(Animation::linear(1), [&] { on = true; });
            });
        }
    };
    struct Chart {
        ObservedObject<Toggle> model;
        auto dynamicFields() { return std::tie(model); }
        View body() const
        {
            const auto toggle = model.object();
            return GeometryReader(
                [toggle](const GeometryProxy&) { return ZStack({Line{}}).onAppear([toggle] { toggle->on = true; }); });
        }
    };
    ViewHost host(Chart{std::make_shared<Toggle>()}, {100, 50});
    host.update();
    EXPECT_TRUE(itemsOf(host, "line").front()->path.isEmpty()) << "the first frame shows the start";
    Clock::advance(0.5);
    EXPECT_NEAR(itemsOf(host, "line").front()->path.length(), 150, 1e-6) << "half of the 300 around";
    EXPECT_TRUE(host.isAnimating());
}
