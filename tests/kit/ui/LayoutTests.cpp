#include "UiTest.h"

using namespace kit;

namespace {

// 5 clusters of 0.6·10 = 30 wide, 12 high under the fixed metrics.
View text30(const char* id)
{
    return Text(Verbatim{"abcde"}).font(Font::system(10)).id(id);
}

View reader(int id)
{
    return GeometryReader([](const GeometryProxy&) { return EmptyView(); }).id(id);
}

View line(double width)
{
    return View(Color::black()).frame(width, 1);
}

} // namespace

using Layout = UiTest;

TEST_F(Layout, HStackSharesSpaceByFlexibility)
{
    // Spacing 8, width 200: the texts take 30 each, the spacer the remaining 124.
    ViewHost host(HStack({text30("a"), Spacer().id("s"), text30("b")}).frame(200, 50), {200, 50});
    expectRect(frameOf(host, "a"), Rect(0, 19, 30, 12));
    expectRect(frameOf(host, "s"), Rect(38, 25, 124, 0));
    expectRect(frameOf(host, "b"), Rect(170, 19, 30, 12));
}

TEST_F(Layout, EqualFlexibleChildrenGetEqualSlots)
{
    ViewHost host(HStack(VerticalAlignment::center, 0, {reader(0), reader(1), reader(2), reader(3)}), {400, 100});
    for (int i = 0; i < 4; ++i)
        expectRect(frameOf(host, AnyKey(i)), Rect(100 * i, 0, 100, 100));

    ViewHost spaced(HStack(VerticalAlignment::center, 10, {reader(0), reader(1), reader(2)}), {620, 100});
    for (int i = 0; i < 3; ++i)
        expectRect(frameOf(spaced, AnyKey(i)), Rect(210 * i, 0, 200, 100));

    // Three infinitely flexible children split W in thirds whatever they contain.
    auto flexible = [](View v) { return v.frame({.minWidth = 0, .maxWidth = infinity}); };
    ViewHost thirds(HStack(VerticalAlignment::center, 0,
                           {flexible(text30("l")).id("left"), Spacer().id("mid"), flexible(text30("r")).id("right")}),
                    {300, 40});
    EXPECT_NEAR(frameOf(thirds, "left").width(), 100, 1e-9);
    EXPECT_NEAR(frameOf(thirds, "mid").width(), 100, 1e-9);
    EXPECT_NEAR(frameOf(thirds, "right").minX(), 200, 1e-9);
}

TEST_F(Layout, SpacersFramedToAMaximumAreCentredByTheirParent)
{
    auto gap = [] { return Spacer().frame({.minWidth = 0, .maxWidth = 500}); };
    View row = HStack(VerticalAlignment::center, 0,
                      {line(10), gap().id("g0"), line(10), gap(), line(10), gap(), line(10), gap(), line(10)})
                   .id("row");
    ViewHost host(ZStack({row}), {3000, 100});
    EXPECT_NEAR(frameOf(host, "g0").width(), 500, 1e-9);
    const Rect r = frameOf(host, "row");
    EXPECT_NEAR(r.width(), 2050, 1e-9);
    EXPECT_NEAR(r.minX(), (3000 - 2050) / 2.0, 1e-9);
}

TEST_F(Layout, PriorityIsOfferedSpaceFirst)
{
    // Both texts want 90; the prioritised one gets it, the other takes what is left.
    auto t = [](const char* id) {
        return Text(Verbatim{"abcdefghijklmno"}).font(Font::system(10)).lineLimit(1).id(id);
    };
    ViewHost host(HStack(VerticalAlignment::center, 0, {t("low"), t("high").layoutPriority(1)}), {120, 40});
    EXPECT_NEAR(frameOf(host, "high").width(), 90, 1e-9);
    EXPECT_LE(frameOf(host, "low").width(), 30 + 1e-9);
}

TEST_F(Layout, VStackAlignsAndEmptyViewsTakeNoSpacing)
{
    View stack = VStack(HorizontalAlignment::leading, {text30("a"), EmptyView(), If(false, Text("hidden")),
                                                       Text(Verbatim{"ab"}).font(Font::system(10)).id("b")})
                     .id("stack");
    ViewHost host(stack, {200, 200});
    const Rect s = frameOf(host, "stack");
    EXPECT_NEAR(s.height(), 12 + 8 + 12, 1e-9) << "one spacing between the two real children";
    EXPECT_NEAR(frameOf(host, "b").minX(), s.minX(), 1e-9) << "leading alignment";
    EXPECT_NEAR(s.width(), 30, 1e-9);
}

TEST_F(Layout, ForEachAndGroupFlattenIntoTheStack)
{
    std::vector<int> values{1, 2, 3};
    View stack = HStack(VerticalAlignment::center, 0,
                        {ForEach(
                             values, [](int v) { return v; },
                             [](int v) { return View(Color::blue()).frame(10.0 * v, 10).id(v); }),
                         Group({View(Color::red()).frame(5, 5).id("g1"), View(Color::red()).frame(5, 5).id("g2")})});
    ViewHost host(stack, {100, 20});
    // 10 + 20 + 30 + 5 + 5 = 70, centred in 100.
    EXPECT_NEAR(frameOf(host, AnyKey(1)).minX(), 15, 1e-9);
    EXPECT_NEAR(frameOf(host, AnyKey(3)).minX(), 45, 1e-9);
    EXPECT_NEAR(frameOf(host, "g2").minX(), 80, 1e-9);
}

TEST_F(Layout, FlexibleFrameRules)
{
    struct Case {
        FlexFrame frame;
        double proposed;
        double child;
        double expected;
    };
    const Case cases[] = {
        {{.minWidth = 0, .maxWidth = infinity}, 300, 50, 300},
        {{.minWidth = 0, .maxWidth = infinity}, 30, 50, 30},
        {{.minWidth = 100, .maxWidth = 200}, 300, 50, 200},
        {{.minWidth = 100}, 300, 50, 100},
        {{.minWidth = 100}, 50, 80, 100},
        {{.maxWidth = 200}, 150, 50, 150},
        {{.minWidth = 300, .maxWidth = 100}, 50, 50, 300}, // contradiction: max raised to min
    };
    for (const Case& c : cases) {
        // A child that refuses to change its width.
        View child = View(Color::red()).frame(c.child, 10).id("child");
        ViewHost host(ZStack({child.frame(c.frame).id("frame")}).frame(c.proposed, 10), {1000, 100});
        EXPECT_NEAR(frameOf(host, "frame").width(), c.expected, 1e-9) << "proposed " << c.proposed;
        EXPECT_NEAR(frameOf(host, "child").midX(), frameOf(host, "frame").midX(), 1e-9) << "centred";
    }
}

TEST_F(Layout, FixedFrameAlignsItsChild)
{
    ViewHost host(text30("t").frame(100, 40, Alignment::bottomTrailing()).id("f"), {100, 40});
    expectRect(frameOf(host, "t"), Rect(70, 28, 30, 12));
    ViewHost over(View(Color::red()).frame(50, 10).id("c").frame(30, 10).id("f"), {30, 10});
    expectRect(frameOf(over, "c"), Rect(-10, 0, 50, 10)); // a wider child overflows on both sides
}

TEST_F(Layout, PaddingPositionAndOffset)
{
    ViewHost padded(GeometryReader([](const GeometryProxy&) { return EmptyView(); }).id("r").padding(Edge::top, 18.0),
                    {100, 50});
    expectRect(frameOf(padded, "r"), Rect(0, 18, 100, 32));

    ViewHost negative(View(Color::red()).frame(40, 40).id("c").padding(-5).id("p"), {100, 100});
    EXPECT_NEAR(frameOf(negative, "p").width(), 30, 1e-9);
    EXPECT_NEAR(frameOf(negative, "c").minX(), frameOf(negative, "p").minX() - 5, 1e-9);

    ViewHost positioned(View(Color::red()).frame(20, 10).id("c").position(30, 40).id("p"), {300, 200});
    expectRect(frameOf(positioned, "p"), Rect(0, 0, 300, 200));
    expectRect(frameOf(positioned, "c"), Rect(20, 35, 20, 10));
    ViewHost shifted(View(Color::red()).frame(20, 10).id("c").position(30, 40).padding(Edge::horizontal, 6.0),
                     {300, 200});
    EXPECT_NEAR(frameOf(shifted, "c").midX(), 36, 1e-9);

    // An offset moves the drawing only.
    ViewHost offset(HStack(VerticalAlignment::center, 0,
                           {View(Color::red()).frame(10, 10).id("a").offset(5, 7),
                            View(Color::blue()).frame(10, 10).id("b")}),
                    {20, 10});
    EXPECT_NEAR(frameOf(offset, "b").minX(), 10, 1e-9);
    const Rect drawn = itemsOf(offset, "a").front()->hostBounds();
    expectRect(drawn, Rect(5, 7, 10, 10));
}

TEST_F(Layout, FixedSizeAndAspectRatio)
{
    ViewHost fixed(Text(Verbatim{"Hello world"}).font(Font::system(10)).fixedSize().id("t").frame(20, 20), {20, 20});
    EXPECT_NEAR(frameOf(fixed, "t").width(), 66, 1e-9) << "the ideal width whatever was proposed";

    ViewHost fit(View(Color::red()).id("c").aspectRatio(2.0, ContentMode::fit), {100, 100});
    expectRect(frameOf(fit, "c"), Rect(0, 25, 100, 50));
    ViewHost fill(View(Color::red()).id("c").aspectRatio(2.0, ContentMode::fill).frame(100, 100), {100, 100});
    EXPECT_NEAR(frameOf(fill, "c").width(), 200, 1e-9);
}

TEST_F(Layout, OverlaysAreSizedByTheirBase)
{
    View base = View(Color::red()).frame(100, 40).id("base");
    ViewHost host(base.overlay(GeometryReader([](const GeometryProxy&) { return EmptyView(); }).id("o"))
                      .background(text30("b"), Alignment::topLeading())
                      .id("whole"),
                  {300, 300});
    EXPECT_NEAR(frameOf(host, "whole").width(), 100, 1e-9);
    expectRect(frameOf(host, "o"), frameOf(host, "base"));
    EXPECT_NEAR(frameOf(host, "b").minX(), frameOf(host, "base").minX(), 1e-9);
    EXPECT_NEAR(frameOf(host, "b").minY(), frameOf(host, "base").minY(), 1e-9);
}

TEST_F(Layout, OneDecorationIsAlignedInItsBase)
{
    // A 20 × 10 decoration on a 100 × 40 base placed at (0, 0): each
    // alignment puts its guide on the base's.
    struct Case {
        const char* what;
        Alignment alignment;
        Rect expected;
        bool overlay;
    };
    const std::vector<Case> cases{
        {"centre", Alignment::center(), Rect(40, 15, 20, 10), true},
        {"top leading", Alignment::topLeading(), Rect(0, 0, 20, 10), false},
        {"bottom trailing", Alignment::bottomTrailing(), Rect(80, 30, 20, 10), true},
        {"top", Alignment::top(), Rect(40, 0, 20, 10), false},
        {"trailing", Alignment::trailing(), Rect(80, 15, 20, 10), false},
    };
    for (const Case& c : cases) {
        const View base = View(Color::red()).frame(100, 40);
        const View decoration = View(Color::blue()).frame(20, 10).id("d");
        ViewHost host(c.overlay ? base.overlay(decoration, c.alignment) : base.background(decoration, c.alignment),
                      {100, 40});
        expectRect(frameOf(host, "d"), c.expected);
    }
}

TEST_F(Layout, GridColumns)
{
    // 300 wide, two flexible columns (minimum 10), default spacing: 146 at 0 and 154.
    std::vector<View> cells;
    for (int i = 0; i < 3; ++i)
        cells.push_back(View(Color::red()).frame(20, 10 + 10.0 * i).id(i));
    ViewHost host(
        LazyVGrid({GridItem::flexible(), GridItem::flexible()}, HorizontalAlignment::leading, cells).id("grid"),
        {300, 200});
    const Rect grid = frameOf(host, "grid");
    EXPECT_NEAR(grid.width(), 300, 1e-9);
    EXPECT_NEAR(frameOf(host, AnyKey(0)).minX() - grid.minX(), 0, 1e-9);
    EXPECT_NEAR(frameOf(host, AnyKey(1)).minX() - grid.minX(), 154, 1e-9);
    EXPECT_NEAR(frameOf(host, AnyKey(2)).minY() - grid.minY(), 20 + 8, 1e-9) << "rows as high as their tallest cell";
    EXPECT_NEAR(frameOf(host, AnyKey(0)).minY() - grid.minY(), 5, 1e-9) << "cells centred vertically in the row";
    EXPECT_NEAR(grid.height(), 20 + 8 + 30, 1e-9);

    ViewHost rows(LazyHGrid({GridItem::flexible(), GridItem::flexible()}, cells).id("grid"), {300, 100});
    // Rows of (100 - 8) / 2 = 46: cells fill top to bottom, then left to right.
    EXPECT_NEAR(frameOf(rows, AnyKey(1)).midY() - frameOf(rows, "grid").minY(), 54 + 23, 1e-9);
    EXPECT_NEAR(frameOf(rows, AnyKey(2)).minX() - frameOf(rows, "grid").minX(), 20 + 8, 1e-9);

    ViewHost adaptive(LazyVGrid({GridItem::adaptive(50)}, cells).id("grid"), {230, 200});
    // floor((230 + 8) / (50 + 8)) = 4 columns of (230 - 24) / 4 = 51.5.
    EXPECT_NEAR(frameOf(adaptive, AnyKey(2)).midX() - frameOf(adaptive, "grid").minX(), 2 * 59.5 + 51.5 / 2, 1e-9);
}

TEST_F(Layout, AlignmentGuidesAndBaselines)
{
    View big = Text(Verbatim{"A"}).font(Font::system(20)).id("big");
    View small = Text(Verbatim{"a"}).font(Font::system(10)).id("small");
    ViewHost host(HStack(VerticalAlignment::firstTextBaseline, {big, small}), {200, 100});
    // Baselines at ascent 18 and 9 line up.
    EXPECT_NEAR(frameOf(host, "big").minY() + 18, frameOf(host, "small").minY() + 9, 1e-9);

    // Through frames and padding the baseline moves with the text, the same
    // in the first layout as in every later one.
    ViewHost wrapped(HStack(VerticalAlignment::firstTextBaseline,
                            {Text(Verbatim{"A"}).font(Font::system(20)).id("framed").frame(std::nullopt, 60),
                             Text(Verbatim{"a"}).font(Font::system(10)).id("padded").padding(Edge::top, 7)}),
                     {200, 100});
    for (double width : {200, 201}) {
        wrapped.setSize({width, 100});
        EXPECT_NEAR(frameOf(wrapped, "framed").minY() + 18, frameOf(wrapped, "padded").minY() + 9, 1e-9);
    }

    // A stack's first baseline is its first child's; its last baseline is its
    // bottom, like any view that is not a text.
    View pair = VStack(HorizontalAlignment::leading, 0,
                       {Text(Verbatim{"A"}).font(Font::system(20)), Text(Verbatim{"B"}).font(Font::system(20))})
                    .id("pair");
    ViewHost first(HStack(VerticalAlignment::firstTextBaseline, {pair, small}), {200, 100});
    EXPECT_NEAR(frameOf(first, "pair").minY() + 18, frameOf(first, "small").minY() + 9, 1e-9);
    ViewHost last(HStack(VerticalAlignment::lastTextBaseline, {pair, small}), {200, 100});
    EXPECT_NEAR(frameOf(last, "pair").maxY(), frameOf(last, "small").minY() + 9, 1e-9);

    ViewHost guided(VStack(HorizontalAlignment::leading,
                           {View(Color::red()).frame(40, 10).id("a"),
                            View(Color::red())
                                .frame(40, 10)
                                .alignmentGuide(HorizontalAlignment::leading,
                                                [](const ViewDimensions& d) { return d.width / 2; })
                                .id("b")}),
                    {200, 100});
    EXPECT_NEAR(frameOf(guided, "b").minX() + 20, frameOf(guided, "a").minX(), 1e-9);
}

TEST_F(Layout, GeometryReaderReportsItsFrames)
{
    std::optional<GeometryProxy> seen;
    View reader = GeometryReader([&](const GeometryProxy& p) {
        seen = p;
        return EmptyView();
    });
    ViewHost host(VStack(HorizontalAlignment::center, 0, {View(Color::red()).frame(10, 30), reader.frame(50, 40)})
                      .coordinateSpace("stack")
                      .offset(7, 0),
                  {100, 100});
    host.update();
    ASSERT_TRUE(seen);
    EXPECT_EQ(seen->size, (Size{50, 40}));
    expectRect(seen->frame(CoordinateSpace::local()), Rect(0, 0, 50, 40));
    expectRect(seen->frame(CoordinateSpace::named("stack")), Rect(0, 30, 50, 40));
    // The stack (50 x 70) is centred in 100 x 100 and offset by 7.
    expectRect(seen->frame(CoordinateSpace::global()), Rect(25 + 7, 15 + 30, 50, 40));
}

TEST_F(Layout, ShapesTakeTheProposalAndTenWhenUnspecified)
{
    ViewHost host(HStack(VerticalAlignment::center, 0, {View(Color::red()).frame(10, 30).id("r"), Circle().id("c")}),
                  {100, 100});
    expectRect(frameOf(host, "c"), Rect(10, 0, 90, 100));
    ViewHost ideal(Circle().id("c").fixedSize(), {100, 100});
    EXPECT_EQ(frameOf(ideal, "c").size, (Size{10, 10}));
}

TEST_F(Layout, DividersTakeTheDirectionOfTheNearestStack)
{
    // In a 200 x 100 host. A 100 x 50 block beside the divider in a depth
    // stack: the divider runs along its leading or top edge.
    auto block = [] { return View(Color::red()).frame(100, 50); };
    const View divider = Divider().id("d");
    struct Case {
        const char* name;
        View view;
        Rect expected;
    };
    const Case cases[] = {
        {"in an HStack", HStack(VerticalAlignment::center, 0, {divider}), Rect(99.5, 0, 1, 100)},
        {"in a depth stack in an HStack",
         HStack(VerticalAlignment::center, 0, {ZStack(Alignment::leading(), {block(), divider})}), Rect(50, 0, 1, 100)},
        {"through a modifier as well",
         HStack(VerticalAlignment::center, 0,
                {ZStack(Alignment::leading(), {block(), divider}).padding(Edge::leading, 10)}),
         Rect(55, 0, 1, 100)},
        {"in a depth stack in a VStack",
         VStack(HorizontalAlignment::center, 0, {ZStack(Alignment::top(), {block(), divider})}), Rect(0, 25, 200, 1)},
        {"outside any stack", ZStack({divider}), Rect(0, 49.5, 200, 1)},
        {"the nearest stack wins",
         HStack(VerticalAlignment::center, 0, {ZStack({VStack(HorizontalAlignment::center, 0, {divider})})}),
         Rect(0, 49.5, 200, 1)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ViewHost host(c.view, {200, 100});
        expectRect(frameOf(host, "d"), c.expected);
    }
}

TEST_F(Layout, TextWrapsAndTruncates)
{
    ViewHost host(Text(Verbatim{"Hello world again"}).font(Font::system(10)).id("t").frame(70, 100), {70, 100});
    EXPECT_NEAR(frameOf(host, "t").height(), 24, 1e-9) << "two lines";
    ViewHost limited(Text(Verbatim{"Hello world"}).font(Font::system(10)).lineLimit(1).id("t").frame(54, 20), {54, 20});
    ASSERT_TRUE(limited.displayList().textItem("Hello wo\u2026"));
    ViewHost empty(Text(Verbatim{""}).font(Font::system(10)).id("t"), {50, 50});
    EXPECT_EQ(frameOf(empty, "t").size, (Size{0, 12}));
}

TEST_F(Layout, ContainersOfAViewThatTakesAnUnlimitedProposalStayFlexible)
{
    // "100" can shrink to one digit (6 to 18 wide), so it is less flexible
    // than the depth or vertical stack around a colour and is offered space
    // first: the stack takes the remaining 382, as the colour alone would.
    const View digits = Text(Verbatim{"100"}).font(Font::system(10)).id("text");
    const View wrapped[] = {ZStack({View(Color::red()).id("content")}),
                            VStack({View(Color::black()).frame(std::nullopt, 1), View(Color::red()).id("content")}),
                            ZStack({VStack({View(Color::black()).frame(std::nullopt, 1), Spacer()}),
                                    View(Color::red()).id("content")})};
    for (const View& content : wrapped) {
        ViewHost host(HStack(VerticalAlignment::center, 0, {digits, content}), {400, 300});
        expectRect(frameOf(host, "text"), Rect(0, 144, 18, 12));
        EXPECT_EQ(frameOf(host, "content").minX(), 18);
        EXPECT_EQ(frameOf(host, "content").width(), 382);
    }
}
