#include "UiTest.h"

using namespace kit;

namespace {

struct DragLog {
    std::vector<DragGesture::Value> changed;
    std::vector<DragGesture::Value> ended;
};

View draggable(std::shared_ptr<DragLog> log, double minimumDistance, CoordinateSpace space = CoordinateSpace::local())
{
    return View(Color::red())
        .frame(100, 100)
        .gesture(DragGesture(minimumDistance, space)
                     .onChanged([log](const DragGesture::Value& v) { log->changed.push_back(v); })
                     .onEnded([log](const DragGesture::Value& v) { log->ended.push_back(v); }));
}

} // namespace

using Input = UiTest;

TEST_F(Input, DragWithMinimumDistanceZeroStartsAtThePress)
{
    auto log = std::make_shared<DragLog>();
    // The view sits at (50, 50) in a 200 x 200 host.
    ViewHost host(draggable(log, 0), {200, 200});
    host.pointerPressed({55, 57});
    ASSERT_EQ(log->changed.size(), 1u);
    EXPECT_EQ(log->changed[0].location, (Point{5, 7}));
    EXPECT_EQ(log->changed[0].translation, (Point{0, 0}));
    host.pointerMoved({300, 57}); // captured: outside the view and the host
    EXPECT_EQ(log->changed.back().location, (Point{250, 7})) << "unclamped";
    EXPECT_EQ(log->changed.back().translation, (Point{245, 0}));
    host.pointerReleased({300, 57});
    ASSERT_EQ(log->ended.size(), 1u);
    EXPECT_EQ(log->ended[0].startLocation, (Point{5, 7}));
}

TEST_F(Input, DragStartsAtItsMinimumDistance)
{
    auto log = std::make_shared<DragLog>();
    ViewHost host(draggable(log, 10, CoordinateSpace::global()), {200, 200});
    host.pointerPressed({55, 57});
    host.pointerMoved({61, 57});
    EXPECT_TRUE(log->changed.empty());
    host.pointerMoved({65, 57});
    ASSERT_EQ(log->changed.size(), 1u);
    EXPECT_EQ(log->changed[0].location, (Point{65, 57})) << "global coordinates";
    EXPECT_EQ(log->changed[0].startLocation, (Point{55, 57}));

    // A release before the threshold produces nothing; a cancel ends without onEnded.
    auto quiet = std::make_shared<DragLog>();
    ViewHost other(draggable(quiet, 10), {200, 200});
    other.pointerPressed({55, 57});
    other.pointerReleased({58, 57});
    EXPECT_TRUE(quiet->changed.empty());
    EXPECT_TRUE(quiet->ended.empty());
    other.pointerPressed({55, 57});
    other.pointerMoved({90, 57});
    other.cancelPointer();
    other.pointerReleased({90, 57});
    EXPECT_EQ(quiet->changed.size(), 1u);
    EXPECT_TRUE(quiet->ended.empty());
}

TEST_F(Input, LocalCoordinatesUndoRenderTransforms)
{
    auto log = std::make_shared<DragLog>();
    ViewHost host(draggable(log, 0).scaleEffect(2, 2, UnitPoint::topLeading()).offset(10, 0), {200, 200});
    // Laid out at (50, 50), drawn from (60, 50) at twice the size.
    host.pointerPressed({80, 70});
    ASSERT_EQ(log->changed.size(), 1u);
    EXPECT_EQ(log->changed[0].location, (Point{10, 10}));
}

TEST_F(Input, TapsAndTheirTolerance)
{
    int taps = 0, doubles = 0;
    ViewHost host(HStack({View(Color::red()).frame(50, 50).onTapGesture([&] { ++taps; }),
                          View(Color::blue()).frame(50, 50).onTapGesture(2, [&] { ++doubles; })}),
                  {108, 50});
    host.pointerPressed({20, 20});
    host.pointerReleased({25, 25});
    EXPECT_EQ(taps, 1);
    host.pointerPressed({20, 20});
    host.pointerReleased({35, 20});
    EXPECT_EQ(taps, 1) << "moved 15 points: no tap";
    host.pointerPressed({80, 20});
    host.pointerReleased({80, 20});
    EXPECT_EQ(doubles, 0);
    host.pointerPressed({80, 20});
    host.pointerReleased({80, 20});
    EXPECT_EQ(doubles, 1);
    Clock::advance(5);
    host.pointerPressed({80, 20});
    host.pointerReleased({80, 20});
    EXPECT_EQ(doubles, 1) << "too slow for a double tap";
}

TEST_F(Input, InnerGesturesWinAndMasksFilter)
{
    std::vector<std::string> log;
    auto tapper = [&](const char* name) { return [&log, name] { log.push_back(name); }; };
    View inner = View(Color::red()).frame(50, 50).onTapGesture(tapper("inner"));
    ViewHost all(inner.padding(20).background(Color::gray()).onTapGesture(tapper("outer")), {90, 90});
    all.pointerPressed({45, 45});
    all.pointerReleased({45, 45});
    all.pointerPressed({5, 5});
    all.pointerReleased({5, 5});
    EXPECT_EQ(log, (std::vector<std::string>{"inner", "outer"}));

    log.clear();
    ViewHost gestureOnly(inner.padding(20)
                             .background(Color::gray())
                             .gesture(TapGesture().onEnded(tapper("outer")), GestureMask::gesture),
                         {90, 90});
    gestureOnly.pointerPressed({45, 45});
    gestureOnly.pointerReleased({45, 45});
    EXPECT_EQ(log, (std::vector<std::string>{"outer"})) << "subviews' gestures disabled";

    log.clear();
    ViewHost subviewsOnly(inner.padding(20)
                              .background(Color::gray())
                              .gesture(TapGesture().onEnded(tapper("outer")), GestureMask::subviews),
                          {90, 90});
    subviewsOnly.pointerPressed({5, 5});
    subviewsOnly.pointerReleased({5, 5});
    subviewsOnly.pointerPressed({45, 45});
    subviewsOnly.pointerReleased({45, 45});
    EXPECT_EQ(log, (std::vector<std::string>{"inner"}));
}

TEST_F(Input, HitTestingOpacityRule)
{
    auto hitsWith = [&](double opacity) {
        int taps = 0;
        ViewHost host(ZStack({View(Color::grayFixed().opacity(opacity)).frame(100, 100), HStack({})}).onTapGesture([&] {
            ++taps;
        }),
                      {100, 100});
        host.pointerPressed({50, 50});
        host.pointerReleased({50, 50});
        return taps;
    };
    EXPECT_EQ(hitsWith(1e-9), 1) << "nearly transparent is still touchable";
    EXPECT_EQ(hitsWith(0), 0);
    const QImage faint = renderImage(View(Color::grayFixed().opacity(1e-9)).frame(100, 100), {100, 100});
    EXPECT_EQ(faint.pixelColor(50, 50).alpha(), 0) << "... and paints nothing";

    ViewHost hidden(View(Color::red()).frame(100, 100).opacity(0), {100, 100});
    EXPECT_TRUE(hidden.hitTest({50, 50}).empty());
    ViewHost disabled(View(Color::red()).frame(100, 100).allowsHitTesting(false), {100, 100});
    EXPECT_TRUE(disabled.hitTest({50, 50}).empty());
    ViewHost shaped(Circle().stroke(Color::red(), 4).frame(100, 100).contentShape(), {100, 100});
    EXPECT_FALSE(shaped.hitTest({50, 50}).empty()) << "the content shape fills the frame";
    ViewHost stroked(Circle().stroke(Color::red(), 4).frame(100, 100), {100, 100});
    EXPECT_TRUE(stroked.hitTest({50, 50}).empty()) << "a stroke is hit on its outline only";
    EXPECT_FALSE(stroked.hitTest({99, 50}).empty());
    ViewHost clippedView(View(Color::red()).frame(100, 100).frame(50, 50).clipped(), {50, 50});
    EXPECT_TRUE(clippedView.hitTest({-10, 25}).empty());
}

TEST_F(Input, APressPassesThroughAViewLeftOutOfHitTesting)
{
    // A label over a tappable area: it takes the press unless it is left out
    // of hit-testing, and then the area under it gets the tap.
    const auto tapsThrough = [&](bool labelHittable) {
        int taps = 0;
        ViewHost host(View(Color::gray())
                          .frame(100, 100)
                          .onTapGesture([&] { ++taps; })
                          .overlay(Text(Verbatim{"label"}).background(Color::white()).allowsHitTesting(labelHittable)),
                      {100, 100});
        host.pointerPressed({50, 50});
        host.pointerReleased({50, 50});
        return taps;
    };
    EXPECT_EQ(tapsThrough(true), 0);
    EXPECT_EQ(tapsThrough(false), 1);
}

TEST_F(Input, HoverEntersAndLeaves)
{
    std::vector<bool> events;
    ViewHost host(HStack(VerticalAlignment::center, 0,
                         {View(Color::red()).frame(50, 50).onHover([&](bool inside) { events.push_back(inside); }),
                          View(Color::blue()).frame(50, 50)}),
                  {100, 50});
    host.pointerHovered({10, 10});
    host.pointerHovered({20, 10});
    host.pointerHovered({70, 10});
    host.pointerHovered({10, 10});
    host.pointerExited();
    EXPECT_EQ(events, (std::vector<bool>{true, false, true, false}));
}

TEST_F(Input, AccessibilityElementsInDrawingOrder)
{
    View chart = ZStack({View(Color::red()).frame(40, 40).accessibilityLabel("Slice").accessibilityValue("42"),
                         View(Color::blue()).frame(20, 20).accessibilityLabel(Verbatim{"Title"}).opacity(1e-9),
                         Text(Verbatim{"hidden"}).accessibilityLabel("Gone").accessibilityHidden(true)});
    ViewHost host(VStack({chart, Group({Text("a"), Text("b")}).accessibilityLabel("Each")}), {100, 100});
    const auto elements = host.accessibilityElements();
    ASSERT_EQ(elements.size(), 4u);
    EXPECT_EQ(elements[0].label, "Slice");
    EXPECT_EQ(elements[0].value, "42");
    EXPECT_EQ(elements[0].role, AccessibilityElement::Role::graphic);
    EXPECT_EQ(elements[1].label, "Title") << "nearly invisible nodes stay";
    EXPECT_EQ(elements[2].label, "Each") << "a label on a group labels each child";
    EXPECT_EQ(elements[3].label, "Each");
    EXPECT_EQ(elements[2].role, AccessibilityElement::Role::staticText);
    expectRect(elements[0].frame, Rect(30, (100 - (40 + 8 + 15.6 + 8 + 15.6)) / 2, 40, 40));

    ViewHost contained(VStack({Text("x").accessibilityLabel("inner")})
                           .accessibilityElement(AccessibilityChildBehavior::contain)
                           .accessibilityLabel("outer"),
                       {100, 100});
    const auto nested = contained.accessibilityElements();
    ASSERT_EQ(nested.size(), 1u);
    EXPECT_EQ(nested[0].label, "outer");
    ASSERT_EQ(nested[0].children.size(), 1u);
    EXPECT_EQ(nested[0].children[0].label, "inner");
}

TEST_F(Input, ADragFromThePressWinsOverATapOnTheSameView)
{
    int taps = 0, drags = 0;
    ViewHost host(View(Color::red())
                      .frame(50, 50)
                      .onTapGesture([&] { ++taps; })
                      .gesture(DragGesture(0).onChanged([&](const DragGesture::Value&) { ++drags; })),
                  {50, 50});
    host.pointerPressed({25, 25});
    host.pointerReleased({25, 25});
    EXPECT_EQ(drags, 1);
    EXPECT_EQ(taps, 0);
}
