// Colour styles as paints, and how their gradients and the chart strokes'
// dashes come out on screen.

#include "ChartViewTest.h"

#include "charts/core/ColourStylePaint.h"
#include "charts/core/Stroke.h"

#include <QImage>

#include <functional>

namespace {

using namespace charts;
using namespace charts::testing;

const kit::Color red = kit::Color::rgb(1, 0, 0);
const kit::Color green = kit::Color::rgb(0, 1, 0);
const kit::Color blue = kit::Color::rgb(0, 0, 1);
const kit::UnitPoint leading = kit::UnitPoint::leading();
const kit::UnitPoint trailing = kit::UnitPoint::trailing();

ColourStyle gradientOf(std::vector<kit::Color> colours)
{
    return ColourStyle(std::move(colours), leading, trailing);
}
ColourStyle stopsOf(std::vector<GradientStop> stops)
{
    return ColourStyle(std::move(stops), leading, trailing);
}

// A style with one member changed after it was made.
ColourStyle changed(ColourStyle style, const std::function<void(ColourStyle&)>& change)
{
    change(style);
    return style;
}

kit::Paint linear(std::vector<kit::Gradient::Stop> stops, kit::UnitPoint start = leading, kit::UnitPoint end = trailing)
{
    return kit::LinearGradient{kit::Gradient(std::move(stops)), start, end};
}

struct PaintCase {
    const char* name;
    ColourStyle style;
    std::optional<kit::Paint> byKind;       // colourStylePaint
    std::optional<kit::Paint> firstPresent; // firstPresentPaint
};

} // namespace

TEST(ColourStylePaint, EachKindNeedsItsMembers)
{
    const auto redToBlue = linear({{red, 0}, {blue, 1}});
    const PaintCase cases[] = {
        {"flat colour", ColourStyle(red), kit::Paint(red), kit::Paint(red)},
        {"colours, evenly spread", gradientOf({red, green, blue}), linear({{red, 0}, {green, 0.5}, {blue, 1}}),
         linear({{red, 0}, {green, 0.5}, {blue, 1}})},
        {"stops", stopsOf({{red, 0}, {blue, 1}}), redToBlue, redToBlue},
        {"the style's own points", ColourStyle({red, blue}, kit::UnitPoint::top(), kit::UnitPoint::bottom()),
         linear({{red, 0}, {blue, 1}}, kit::UnitPoint::top(), kit::UnitPoint::bottom()),
         linear({{red, 0}, {blue, 1}}, kit::UnitPoint::top(), kit::UnitPoint::bottom())},
        {"colour kind without its colour", changed(ColourStyle(red), [](auto& s) { s.colour.reset(); }), std::nullopt,
         std::nullopt},
        {"gradient without a start point", changed(gradientOf({red, blue}), [](auto& s) { s.startPoint.reset(); }),
         std::nullopt, std::nullopt},
        {"stops kind without its stops", changed(stopsOf({{red, 0}}), [](auto& s) { s.stops.reset(); }), std::nullopt,
         std::nullopt},
        // The kind decides for one; the members present, in order, for the other.
        {"colour kind holding colours",
         changed(gradientOf({red, blue}), [](auto& s) { s.colourType = ColourType::colour; }), std::nullopt, redToBlue},
        {"stops kind also holding a colour", changed(stopsOf({{blue, 0}}), [](auto& s) { s.colour = green; }),
         linear({{blue, 0}}), kit::Paint(green)},
    };
    for (const PaintCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(colourStylePaint(c.style), c.byKind);
        EXPECT_EQ(firstPresentPaint(c.style), c.firstPresent);
    }

    // A fixed direction replaces the style's points, and needs none of them.
    const ColourStyle pointless = changed(gradientOf({red, blue}), [](auto& s) { s.startPoint.reset(); });
    EXPECT_EQ(firstPresentPaint(pointless, kit::UnitPoint::top(), kit::UnitPoint::bottom()),
              linear({{red, 0}, {blue, 1}}, kit::UnitPoint::top(), kit::UnitPoint::bottom()));
}

using ColourStyleDrawing = UiTest;

namespace {

struct Pixel {
    int r, g, b, a;
};

Pixel at(const QImage& image, int x, int y)
{
    const QColor c = image.pixelColor(x, y);
    return {c.red(), c.green(), c.blue(), c.alpha()};
}

// A 100 × 10 bar filled with the style's paint.
QImage bar(const ColourStyle& style)
{
    return kit::renderImage(kit::Rectangle().fill(*colourStylePaint(style)), {100, 10});
}

} // namespace

TEST_F(ColourStyleDrawing, GradientsFromColoursAndStops)
{
    // No colour: nothing drawn, and nothing to hit.
    const QImage empty = bar(gradientOf({}));
    for (int x : {1, 50, 98})
        EXPECT_EQ(at(empty, x, 5).a, 0) << "x " << x;
    kit::ViewHost host(kit::Rectangle().fill(*colourStylePaint(stopsOf({}))), {100, 10});
    EXPECT_TRUE(host.hitTest({50, 5}).empty());

    // One colour: solid from end to end.
    for (const ColourStyle& one : {gradientOf({green}), stopsOf({{green, 0.7}})}) {
        const QImage solid = bar(one);
        for (int x : {1, 50, 98}) {
            const Pixel p = at(solid, x, 5);
            EXPECT_TRUE(p.r == 0 && p.g == 255 && p.b == 0 && p.a == 255) << "x " << x;
        }
    }

    // Stops out of order and beyond 0...1: sorted, then held to the ends.
    // Red at 0 (from -0.5), blue at 1 (from 2): the pixel at x 1 (centre 1.5)
    // is 98.5 % red, the one at x 98 (centre 98.5) 98.5 % blue.
    const QImage sorted = bar(stopsOf({{blue, 2}, {red, -0.5}}));
    const Pixel left = at(sorted, 1, 5), right = at(sorted, 98, 5);
    EXPECT_GT(left.r, 245);
    EXPECT_LT(left.b, 10);
    EXPECT_GT(right.b, 245);
    EXPECT_LT(right.r, 10);
    // Sorting keeps the order of stops at one place: red then blue at 0.5
    // make a hard edge at the middle.
    const QImage edge = bar(stopsOf({{blue, 1}, {red, 0.5}, {blue, 0.5}, {red, 0}}));
    EXPECT_GT(at(edge, 48, 5).r, 245);
    EXPECT_GT(at(edge, 51, 5).b, 245);
}

TEST_F(ColourStyleDrawing, ChartStrokeDashes)
{
    // A line 2 wide along y 5 from x 0 to 40, flat caps; the pixel at (x, 5)
    // spans x ... x + 1.
    auto render = [](std::vector<double> dash) {
        const Stroke stroke(2, kit::LineCap::butt, kit::LineJoin::miter, 10, std::move(dash), 0);
        kit::Path line;
        line.move({0, 5});
        line.addLine({40, 5});
        return kit::renderImage(kit::Shape::fromPath(line).stroke(kit::Color::black(), stroke.strokeStyle()), {40, 10});
    };
    struct Case {
        const char* name;
        std::vector<double> dash;
        std::vector<int> on, off; // pixels drawn and left empty along the line
    };
    const Case cases[] = {
        {"4 on, 4 off", {4, 4}, {1, 9, 17}, {5, 13}},
        {"an odd list is used twice: 4 on 2 off 2 on | 4 off 2 on 2 off", {4, 2, 2}, {1, 6, 12, 17}, {4, 9, 14}},
        {"one length: on and off alike", {4}, {1, 9}, {5, 13}},
        {"no dash: solid", {}, {1, 5, 13, 38}, {}},
        {"all zero: solid", {0, 0}, {1, 5, 13, 38}, {}},
        {"a negative length: solid", {4, -2}, {1, 5, 13, 38}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QImage image = render(c.dash);
        for (int x : c.on)
            EXPECT_EQ(at(image, x, 5).a, 255) << "x " << x;
        for (int x : c.off)
            EXPECT_EQ(at(image, x, 5).a, 0) << "x " << x;
    }
}
