// Small scenes rendered offscreen, checked by geometry from the display list
// and by pixels from the image.

#include "UiTest.h"
#include "Wedge.h"

#include <cmath>
#include <numbers>

using namespace kit;

namespace {

constexpr double pi = std::numbers::pi;

QRgb px(const QImage& image, double x, double y)
{
    return image.pixel(int(x), int(y));
}

const QRgb red = qRgb(255, 0, 0), green = qRgb(0, 255, 0), blue = qRgb(0, 0, 255), none = qRgba(0, 0, 0, 0);

View solid(QRgb c)
{
    return View(Color::rgb(qRed(c) / 255.0, qGreen(c) / 255.0, qBlue(c) / 255.0));
}

} // namespace

using Gallery = UiTest;

TEST_F(Gallery, StackWithSpacerPushesToTheEdges)
{
    ViewHost host(HStack({solid(red).frame(20, 20), Spacer(), solid(blue).frame(20, 20)}), {100, 20});
    const QImage image = host.renderImage();
    EXPECT_EQ(px(image, 1, 10), red);
    EXPECT_EQ(px(image, 50, 10), none);
    EXPECT_EQ(px(image, 98, 10), blue);
}

TEST_F(Gallery, FramesAlignTheirContent)
{
    const QImage image = renderImage(solid(green).frame(10, 10).frame(50, 50, Alignment::bottomTrailing()), {50, 50});
    EXPECT_EQ(px(image, 45, 45), green);
    EXPECT_EQ(px(image, 5, 5), none);
    EXPECT_EQ(px(image, 39, 45), none);
}

TEST_F(Gallery, OverlayOnTopBackgroundBelow)
{
    View v = solid(red).frame(40, 40).overlay(solid(green).frame(10, 10)).background(solid(blue).frame(60, 60));
    const QImage image = renderImage(v, {60, 60});
    EXPECT_EQ(px(image, 30, 30), green);
    EXPECT_EQ(px(image, 12, 30), red);
    EXPECT_EQ(px(image, 5, 30), blue) << "the background overflows the 40 x 40 base";
}

TEST_F(Gallery, GridColumnsAt0And154)
{
    std::vector<View> cells{solid(red).frame(20, 20), solid(blue).frame(20, 20)};
    ViewHost host(
        LazyVGrid({GridItem::flexible(), GridItem::flexible()}, HorizontalAlignment::leading, cells).frame(300, 20),
        {300, 20});
    const QImage image = host.renderImage();
    EXPECT_EQ(px(image, 1, 10), red);
    EXPECT_EQ(px(image, 153, 10), none);
    EXPECT_EQ(px(image, 155, 10), blue);
}

TEST_F(Gallery, PaddingAndPosition)
{
    ViewHost padded(solid(red).padding(Edge::top, 18.0).frame(100, 50), {100, 50});
    const QImage a = padded.renderImage();
    EXPECT_EQ(px(a, 50, 17), none);
    EXPECT_EQ(px(a, 50, 19), red);
    ViewHost positioned(solid(blue).frame(20, 10).position(30, 40), {300, 200});
    const QImage b = positioned.renderImage();
    EXPECT_EQ(px(b, 21, 36), blue);
    EXPECT_EQ(px(b, 19, 36), none);
    EXPECT_EQ(px(b, 39, 44), blue);
    EXPECT_EQ(px(b, 41, 44), none);
}

TEST_F(Gallery, LinearRadialAndAngularGradients)
{
    const Gradient rb(std::vector{Color::rgb(1, 0, 0), Color::rgb(0, 0, 1)});
    const QImage linear = renderImage(Rectangle().fill(LinearGradient{rb, UnitPoint::top(), UnitPoint::bottom()}),
                                      {10, 100});
    EXPECT_GT(qRed(px(linear, 5, 1)), 245);
    EXPECT_NEAR(qRed(px(linear, 5, 50)), 127, 4);
    const QImage radial = renderImage(Circle().fill(RadialGradient{rb, UnitPoint::center(), 0, 50}), {100, 100});
    EXPECT_GT(qRed(px(radial, 50, 50)), 245);
    EXPECT_GT(qBlue(px(radial, 50, 2)), 230);
    const QImage angular = renderImage(Circle().fill(AngularGradient{rb, UnitPoint::center()}), {100, 100});
    EXPECT_GT(qRed(px(angular, 95, 51)), 240) << "3 o'clock, just after the start";
    EXPECT_NEAR(qRed(px(angular, 50, 95)), 191, 6) << "6 o'clock: a quarter of the way round";
}

TEST_F(Gallery, DashedRoundedBorder)
{
    const QImage image = renderImage(RoundedRectangle(10).strokeBorder(Color::rgb(0, 0, 1),
                                                                       StrokeStyle{.lineWidth = 4, .dash = {10, 10}}),
                                     {100, 60});
    // The border lies inside the frame: the top edge starts at x 10 with a dash.
    EXPECT_EQ(px(image, 15, 1), blue);
    EXPECT_EQ(px(image, 25, 1), none);
    EXPECT_EQ(px(image, 50, 30), none);
}

TEST_F(Gallery, TrimmedCircleDrawsTheQuarterFrom3To6)
{
    const QImage image = renderImage(Circle().trim(0, 0.25).stroke(Color::rgb(1, 0, 0), 6), {100, 100});
    const double a = pi / 4;
    EXPECT_EQ(px(image, 50 + 49 * std::cos(a), 50 + 49 * std::sin(a)), red);
    EXPECT_EQ(px(image, 50 - 48, 50), none) << "9 o'clock is not drawn";
    EXPECT_EQ(px(image, 50, 50 - 48), none) << "nor 12 o'clock";
}

TEST_F(Gallery, RoundedBarRadiiAreClamped)
{
    ViewHost host(RoundedRectangle(20).fill(Color::rgb(0, 1, 0)).frame(10, 100).id("bar"), {10, 100});
    const Rect box = itemsOf(host, "bar").front()->path.boundingRect();
    expectRect(box, Rect(0, 0, 10, 100));
    const QImage image = host.renderImage(4);
    EXPECT_EQ(qAlpha(px(image, 1, 1)), 0) << "a corner of radius 5";
    EXPECT_EQ(px(image, 20, 20), green);
}

TEST_F(Gallery, PieWedgeWithItsLabel)
{
    const double start = -pi / 2, amount = pi / 2;
    View label = Text(Verbatim{"A"}).font(Font::system(10)).id("label");
    View pie = GeometryReader([=](const GeometryProxy& geo) {
        const double mid = start + amount / 2, r = std::min(geo.size.width, geo.size.height) * 0.5 * 0.5;
        return Wedge(start, amount)
            .fill(Color::rgb(1, 0, 0))
            .overlay(label.position(geo.size.width / 2 + std::cos(mid) * r, geo.size.height / 2 + std::sin(mid) * r));
    });
    ViewHost host(pie, {200, 200});
    const Rect text = frameOf(host, "label");
    EXPECT_NEAR(text.midX(), 135.36, 0.01);
    EXPECT_NEAR(text.midY(), 64.64, 0.01);
    const QImage image = host.renderImage();
    EXPECT_EQ(px(image, 180, 60), red);
    EXPECT_EQ(px(image, 60, 60), none);
}

TEST_F(Gallery, MidAnimationFrameAtAHandDrivenTime)
{
    // A bar rising from the bottom with a critically damped spring.
    struct Rising {
        State<bool> up{false};
        auto dynamicFields() { return std::tie(up); }
        View body() const
        {
            return Rectangle()
                .scale(1, *up ? 1 : 0, UnitPoint::bottom())
                .fill(Color::rgb(0, 0, 1))
                .frame(20, 100)
                .id("bar")
                .onAppear([up = up] { withAnimation(Animation::spring(0.5, 1), [&] { up = true; }); });
        }
    };
    ViewHost host(Rising{}, {20, 100});
    EXPECT_EQ(px(host.renderImage(), 10, 99), none) << "the first frame starts from the old value";
    Clock::advance(0.2);
    const double height = 100 * 0.7154;
    const Rect bar = itemsOf(host, "bar").front()->path.boundingRect();
    EXPECT_NEAR(bar.height(), height, 0.01);
    const QImage image = host.renderImage();
    EXPECT_EQ(px(image, 10, 100 - height + 1), blue);
    EXPECT_EQ(px(image, 10, 100 - height - 1), none);
    Clock::advance(1);
    EXPECT_EQ(px(host.renderImage(), 10, 1), blue);
}

TEST_F(Gallery, ScaleAboutTheLeadingEdge)
{
    const QImage image = renderImage(
        solid(red).frame(100, 20).scaleEffect(1.2, UnitPoint::leading()).frame(120, 24, Alignment::leading()),
        {120, 24});
    EXPECT_EQ(px(image, 118, 12), red);
    EXPECT_EQ(px(image, 1, 1), red) << "y from −2 to 22 inside a 24-high frame at 2";
}
