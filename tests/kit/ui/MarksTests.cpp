// Many marks in one view: drawn as their areas and shapes would be, moving
// with the transaction or their change's animation, entering from their
// entrance, fading in and out in animated updates, with their colours, and
// standing in the accessibility tree one element each.

#include "UiTest.h"

#include "kit/base/Published.h"

using namespace kit;

namespace {

using MarksTest = UiTest;

const Color shapeColour = Color::rgb(0, 0, 1);
const Color areaColour = Color::rgb(1, 0, 0, 0.5);

// The marks' figures: mark i stands in the slot 100 × `scale` wide at
// x = 100 i, its shape 50 × `scale` wide, 25 in from the slot's left,
// heights[i] high on the bottom edge of a 100 high view, entering from
// height 0 there.
struct Series : ObservableObject {
    Published<std::vector<double>> heights{this, {20, 50, 100}};
    Published<double> scale{this, 1.0};
    Published<std::vector<Paint>> paints{this, {}}; // per mark, when given (else blue)
};

struct Options {
    bool entrance = false;
    std::optional<Animation> entranceAnimation;
    bool change = false; // shapes move with linear(1) when the heights change
    std::shared_ptr<int> elementCalls;
};

struct Bars {
    ObservedObject<Series> series;
    Options options;
    auto dynamicFields() { return std::tie(series); }

    View body() const
    {
        const std::vector<double> heights = series->heights.get();
        const double scale = series->scale.get();
        const std::vector<Paint> paints = series->paints.get();
        const bool entrance = options.entrance;
        MarksStyle style;
        style.areaColor = areaColour;
        style.entranceAnimation = options.entranceAnimation;
        if (options.change)
            style.change = MarksChange{Animation::linear(1), series->heights.version()};
        if (options.elementCalls)
            style.accessibility = [calls = options.elementCalls, heights](int i) {
                ++*calls;
                return AccessibilityElementContent{"bar", false, std::to_string(int(heights[std::size_t(i)])), false,
                                                   std::nullopt};
            };
        return Marks(
            [heights, scale, paints, entrance](Size size) {
                std::vector<Mark> marks;
                for (std::size_t i = 0; i < heights.size(); ++i) {
                    const double x = 100.0 * double(i);
                    Mark m;
                    m.id = i;
                    m.area = Rect(x, 0, 100 * scale, size.height);
                    m.frame = Rect(x + 25, size.height - heights[i], 50 * scale, heights[i]);
                    if (entrance)
                        m.entrance = Rect(x + 25, size.height, 50 * scale, 0);
                    m.paint = i < paints.size() ? paints[i] : Paint(shapeColour);
                    marks.push_back(m);
                }
                return marks;
            },
            std::move(style));
    }
};

bool painted(const DisplayItem& item, const Color& colour)
{
    const auto* c = std::get_if<Color>(&item.paint);
    return c && c->components() == colour.resolved();
}

std::vector<const DisplayItem*> itemsIn(ViewHost& host, const Color& colour)
{
    std::vector<const DisplayItem*> found;
    for (const DisplayItem& item : host.displayList().items)
        if (painted(item, colour))
            found.push_back(&item);
    return found;
}

std::vector<Rect> boundsIn(ViewHost& host, const Color& colour)
{
    std::vector<Rect> rects;
    for (const DisplayItem* item : itemsIn(host, colour))
        rects.push_back(item->hostBounds());
    return rects;
}

double heightOf(ViewHost& host, std::size_t mark)
{
    const auto rects = boundsIn(host, shapeColour);
    return mark < rects.size() ? rects[mark].height() : -1;
}

TEST_F(MarksTest, EachMarkIsDrawnAsItsAreaThenItsShapeInListOrderUnderTheTransformsAround)
{
    auto series = std::make_shared<Series>();
    int taps = 0;
    // The 300 × 100 view centred in a 400 × 200 host lies at (50, 50), drawn 10 right and 5 down.
    ViewHost host(View(Bars{series, {}}).frame(300, 100).onTapGesture([&taps] { ++taps; }).offset(10, 5), {400, 200});
    const auto& items = host.displayList().items;
    ASSERT_EQ(items.size(), 6u);
    const double heights[] = {20, 50, 100};
    for (std::size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const DisplayItem& area = items[2 * i];
        const DisplayItem& shape = items[2 * i + 1];
        EXPECT_TRUE(painted(area, areaColour));
        EXPECT_TRUE(painted(shape, shapeColour));
        expectRect(area.hostBounds(), {60 + 100.0 * double(i), 55, 100, 100});
        expectRect(shape.hostBounds(), {85 + 100.0 * double(i), 155 - heights[i], 50, heights[i]});
        expectRect(shape.frame, {0, 0, 50, heights[i]});
        EXPECT_EQ(area.node, shape.node) << "one node draws them all";
    }

    // A press on a mark's area or shape lands on the view.
    host.pointerPressed({70, 140});
    host.pointerReleased({70, 140});
    host.pointerPressed({290, 140});
    host.pointerReleased({290, 140});
    EXPECT_EQ(taps, 2);

    // A gradient is resolved over the shape's own frame: white at its top, blue at its bottom.
    struct GradientBars {
        View body() const
        {
            return Marks([](Size) {
                Mark m;
                m.area = Rect(0, 0, 100, 100);
                m.frame = Rect(25, 60, 50, 40);
                m.paint = LinearGradient{Gradient({Color::white(), Color::rgb(0, 0, 1)}), UnitPoint::top(),
                                         UnitPoint::bottom()};
                return std::vector<Mark>{m};
            });
        }
    };
    ViewHost gradientHost(View(GradientBars{}).frame(100, 100), {100, 100});
    const auto& fills = gradientHost.displayList().items;
    ASSERT_EQ(fills.size(), 1u) << "no area without an area colour";
    EXPECT_TRUE(std::holds_alternative<LinearGradient>(fills[0].paint));
    expectRect(fills[0].frame, {0, 0, 50, 40});
    const QImage image = gradientHost.renderImage();
    EXPECT_GT(qBlue(image.pixel(50, 61)), 240);
    EXPECT_GT(qRed(image.pixel(50, 61)), 200) << "white at the top of the shape";
    EXPECT_LT(qRed(image.pixel(50, 98)), 30) << "blue at its bottom";
}

TEST_F(MarksTest, MarksThatStayMoveWithTheTransactionTheirShapesWithTheChangesAnimation)
{
    auto series = std::make_shared<Series>();
    ViewHost host(View(Bars{series, {.change = true}}).frame(300, 100), {300, 100});
    host.update();

    // New heights, written plainly: the token changed, so the shapes move
    // with linear(1); the areas, unchanged, stay.
    series->heights = {40, 50, 100};
    host.update();
    EXPECT_DOUBLE_EQ(heightOf(host, 0), 20);
    Clock::advance(0.5);
    EXPECT_NEAR(heightOf(host, 0), 30, 1e-9);
    Clock::advance(0.5);
    EXPECT_NEAR(heightOf(host, 0), 40, 1e-9);

    // Narrower slots inside withAnimation(linear(2)), heights unchanged: the
    // areas and the shapes both follow the transaction.
    withAnimation(Animation::linear(2), [&] { series->scale = 0.5; });
    host.update();
    Clock::advance(1);
    EXPECT_NEAR(boundsIn(host, areaColour)[1].width(), 75, 1e-9);
    EXPECT_NEAR(boundsIn(host, shapeColour)[1].width(), 37.5, 1e-9);
    Clock::advance(1);

    // Heights changed inside withAnimation(linear(2)): the shapes take the
    // change's linear(1).
    withAnimation(Animation::linear(2), [&] { series->heights = {60, 50, 100}; });
    host.update();
    Clock::advance(0.5);
    EXPECT_NEAR(heightOf(host, 0), 50, 1e-9);

    // The areas move with the transaction, also when the token changes: a
    // plain write snaps them.
    series->heights = {60, 50, 90};
    series->scale = 1;
    host.update();
    EXPECT_NEAR(boundsIn(host, areaColour)[0].width(), 100, 1e-9);
}

TEST_F(MarksTest, NewMarksEnterFromTheirEntranceAndFadeInWhenAnimatedLeavingOnesFadeOut)
{
    auto series = std::make_shared<Series>();
    ViewHost host(View(Bars{series, {.entrance = true, .entranceAnimation = Animation::linear(1)}}).frame(500, 100),
                  {500, 100});
    // Growing from height 0 with the view itself.
    EXPECT_DOUBLE_EQ(heightOf(host, 2), 0);
    Clock::advance(0.5);
    EXPECT_NEAR(heightOf(host, 2), 50, 1e-9);
    Clock::advance(0.5);
    EXPECT_NEAR(heightOf(host, 2), 100, 1e-9);
    EXPECT_FALSE(host.isAnimating());

    // A mark added plainly: its area at once, its shape growing in, no fade.
    series->heights = {20, 50, 100, 80};
    host.update();
    ASSERT_EQ(itemsIn(host, areaColour).size(), 4u);
    expectRect(boundsIn(host, areaColour)[3], {300, 0, 100, 100});
    EXPECT_DOUBLE_EQ(heightOf(host, 3), 0);
    Clock::advance(0.5);
    EXPECT_NEAR(heightOf(host, 3), 40, 1e-9);
    EXPECT_DOUBLE_EQ(itemsIn(host, shapeColour)[3]->opacity, 1);
    Clock::advance(0.5);

    // One added inside withAnimation(linear(1)) also fades in.
    withAnimation(Animation::linear(1), [&] { series->heights = {20, 50, 100, 80, 60}; });
    host.update();
    Clock::advance(0.5);
    EXPECT_NEAR(itemsIn(host, shapeColour)[4]->opacity, 0.5, 1e-9);
    EXPECT_NEAR(itemsIn(host, areaColour)[4]->opacity, 0.5, 1e-9);
    EXPECT_DOUBLE_EQ(itemsIn(host, shapeColour)[0]->opacity, 1);
    Clock::advance(0.5);

    // Removed plainly: gone at once (ids 0 ... 3 stay, the last goes).
    series->heights = {20, 50, 100, 80};
    host.update();
    EXPECT_EQ(itemsIn(host, shapeColour).size(), 4u);

    // Removed inside withAnimation(linear(1)): it fades where it stood, takes no press, and is dropped.
    withAnimation(Animation::linear(1), [&] { series->heights = {20, 50, 100}; });
    host.update();
    Clock::advance(0.5);
    const auto shapes = itemsIn(host, shapeColour);
    ASSERT_EQ(shapes.size(), 4u);
    EXPECT_NEAR(shapes[3]->opacity, 0.5, 1e-9);
    EXPECT_FALSE(shapes[3]->hittable);
    expectRect(shapes[3]->hostBounds(), {325, 20, 50, 80});
    Clock::advance(0.5);
    EXPECT_EQ(itemsIn(host, shapeColour).size(), 3u);
    EXPECT_FALSE(host.isAnimating());
}

TEST_F(MarksTest, FlatColoursMoveWithTheTransactionGradientsChangeAtOnce)
{
    auto series = std::make_shared<Series>();
    const Paint red = Color::rgb(1, 0, 0);
    series->paints = {red, red, red};
    ViewHost host(View(Bars{series, {}}).frame(300, 100), {300, 100});
    host.update();
    const Paint gradient = LinearGradient{Gradient({Color::rgb(0, 1, 0), Color::rgb(0, 0, 1)})};
    withAnimation(Animation::linear(1), [&] { series->paints = {Paint(Color::rgb(0, 0, 1)), red, gradient}; });
    host.update();
    Clock::advance(0.5);
    const auto& items = host.displayList().items;
    ASSERT_EQ(items.size(), 6u);
    // Halfway from red to blue (premultiplied, both opaque): 0.5, 0, 0.5.
    const auto* halfway = std::get_if<Color>(&items[1].paint);
    ASSERT_TRUE(halfway);
    EXPECT_NEAR(halfway->components().red, 0.5, 1e-9);
    EXPECT_NEAR(halfway->components().blue, 0.5, 1e-9);
    EXPECT_TRUE(painted(items[3], Color::rgb(1, 0, 0)));
    EXPECT_EQ(items[5].paint, gradient) << "a gradient at once";
}

TEST_F(MarksTest, EachMarkIsAnElementFramedByItsAreaMadeOnlyWhenAskedFor)
{
    auto calls = std::make_shared<int>(0);
    auto series = std::make_shared<Series>();
    const View bars = View(Bars{series, {.elementCalls = calls}}).frame(300, 100);
    ViewHost host(bars, {300, 200}); // the view lies at (0, 50)
    host.displayList();
    EXPECT_EQ(*calls, 0);
    const auto elements = host.accessibilityElements();
    ASSERT_EQ(elements.size(), 3u);
    EXPECT_EQ(*calls, 3);
    const char* values[] = {"20", "50", "100"};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(elements[i].label, "bar");
        EXPECT_EQ(elements[i].value, values[i]);
        expectRect(elements[i].frame, {100.0 * double(i), 50, 100, 100});
    }

    ViewHost combined(
        bars.accessibilityLabel(Verbatim{"chart"}).accessibilityElement(AccessibilityChildBehavior::combine),
        {300, 200});
    ASSERT_EQ(combined.accessibilityElements().size(), 1u);
    EXPECT_EQ(combined.accessibilityElements()[0].label, "chart, bar, bar, bar");
    ViewHost contained(
        bars.accessibilityLabel(Verbatim{"chart"}).accessibilityElement(AccessibilityChildBehavior::contain),
        {300, 200});
    ASSERT_EQ(contained.accessibilityElements().size(), 1u);
    EXPECT_EQ(contained.accessibilityElements()[0].children.size(), 3u);
    ViewHost hidden(bars.accessibilityHidden(true), {300, 200});
    EXPECT_TRUE(hidden.accessibilityElements().empty());
}

} // namespace
