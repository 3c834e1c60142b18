#include "kit/base/Color.h"
#include "kit/base/Paint.h"

#include <QBrush>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <unordered_set>

using namespace kit;

namespace {

void expectColor(const RGBA& c, double r, double g, double b, double a, double tolerance = 1e-9)
{
    EXPECT_NEAR(c.red, r, tolerance);
    EXPECT_NEAR(c.green, g, tolerance);
    EXPECT_NEAR(c.blue, b, tolerance);
    EXPECT_NEAR(c.alpha, a, tolerance);
}

// Paints `brush` over a w x h image and returns it.
QImage paint(const QBrush& brush, int w, int h)
{
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.fillRect(QRectF(0, 0, w, h), brush);
    return image;
}

} // namespace

TEST(Color, ConstructorsAndHex)
{
    expectColor(Color::white(0.5, 0.2).resolved(), 0.5, 0.5, 0.5, 0.2);
    expectColor(Color::hsb(1.0 / 3, 1, 1).resolved(), 0, 1, 0, 1);
    expectColor(Color::hex("#F80").resolved(), 1, 0x88 / 255.0, 0, 1);
    expectColor(Color::hex("#00FF0080").resolved(), 0, 1, 0, 128 / 255.0);
    EXPECT_EQ(*Color::parseHex("#ddDDdd"), Color::hex("#DDDDDD"));
    for (const char* bad : {"", "DDDDDD", "#DDDD", "#GG0000", "#1234567"})
        EXPECT_FALSE(Color::parseHex(bad)) << bad;
    EXPECT_EQ(Color::rgb(1, 0, 0.5).hexString(), "#FF0080");
    EXPECT_EQ(Color::grayFixed().hexString(), "#808080");
}

TEST(Color, EqualityHashingAndOpacity)
{
    EXPECT_NE(Color::primary(), Color::black().opacity(0.85)) << "semantic colours compare by name";
    EXPECT_EQ(Color::rgb(1, 2, 3), Color::rgb(1, 2, 3)) << "components outside 0...1 are kept";
    EXPECT_EQ(Color::red().opacity(0.5), Color::red().opacity(0.5));
    EXPECT_NE(Color::red(), Color::redFixed());
    std::unordered_set<Color> set{Color::primary(), Color::secondary(), Color::rgb(0, 0, 0), Color::rgb(-0.0, 0, 0)};
    EXPECT_EQ(set.size(), 3u) << "-0 and +0 hash alike";
    expectColor(Color::rgb(1, 0, 0, 0.5).opacity(0.5).resolved(), 1, 0, 0, 0.25);
    // On a semantic colour the factor applies after resolution.
    expectColor(Color::primary().opacity(0.5).resolved(ColorScheme::dark), 1, 1, 1, 0.425);
}

TEST(Color, SemanticTables)
{
    expectColor(Color::primary().resolved(ColorScheme::light), 0, 0, 0, 0.85);
    expectColor(Color::secondary().resolved(ColorScheme::dark), 1, 1, 1, 0.55);
    EXPECT_EQ(Color::accent().resolved(ColorScheme::light), Color::hex("#007AFF").resolved());
    EXPECT_EQ(Color::windowBackground().resolved(ColorScheme::dark), Color::hex("#323232").resolved());
    EXPECT_EQ(Color::gray().resolved(ColorScheme::dark), Color::hex("#98989D").resolved());
    EXPECT_EQ(Color::black().resolved(ColorScheme::dark), Color::black().resolved(ColorScheme::light));
    ColorPalette palette;
    palette.accent = RGBA{1, 0, 1, 1};
    expectColor(Color::accent().resolved(ColorScheme::light, &palette), 1, 0, 1, 1);
    expectColor(Color::red().resolved(ColorScheme::light, &palette), 1, 0x3B / 255.0, 0x30 / 255.0, 1);
}

TEST(Color, MixingIsPremultiplied)
{
    // Halfway from transparent to opaque red stays red, at half alpha.
    expectColor(RGBA::mix({0, 0, 0, 0}, {1, 0, 0, 1}, 0.5), 1, 0, 0, 0.5);
    expectColor(RGBA::mix({1, 0, 0, 1}, {0, 0, 1, 1}, 0.25), 0.75, 0, 0.25, 1);
}

TEST(Gradient, StopsAreSortedClampedAndPadded)
{
    const Gradient g(std::vector<Gradient::Stop>{{Color::rgb(0, 0, 1), 1.5}, {Color::rgb(1, 0, 0), -1}});
    EXPECT_EQ(g.stops()[0].location, 0);
    EXPECT_EQ(g.stops()[1].location, 1);
    const Gradient hard(std::vector<Gradient::Stop>{
        {Color::rgb(1, 0, 0), 0}, {Color::rgb(1, 0, 0), 0.5}, {Color::rgb(0, 0, 1), 0.5}, {Color::rgb(0, 0, 1), 1}});
    expectColor(hard.colorAt(0.49), 1, 0, 0, 1);
    expectColor(hard.colorAt(0.51), 0, 0, 1, 1);
    const Gradient three(std::vector<Color>{Color::black(), Color::white(), Color::black()});
    EXPECT_EQ(three.stops()[1].location, 0.5);
    expectColor(three.colorAt(-3), 0, 0, 0, 1);
    expectColor(Gradient().colorAt(0.5), 0, 0, 0, 0);
}

TEST(Paint, LinearGradientResolvesAgainstTheFrame)
{
    // A 200 x 100 frame from leading to trailing: red at 0, blue at 200, the mix at 100.
    const Paint p = LinearGradient{Gradient(std::vector{Color::rgb(1, 0, 0), Color::rgb(0, 0, 1)}),
                                   UnitPoint::leading(), UnitPoint::trailing()};
    const Rect frame(0, 0, 200, 100);
    expectColor(paintColorAt(p, {0, 50}, frame), 1, 0, 0, 1);
    expectColor(paintColorAt(p, {100, 0}, frame), 0.5, 0, 0.5, 1);
    expectColor(paintColorAt(p, {200, 99}, frame), 0, 0, 1, 1);

    const QImage image = paint(toQBrush(p, frame), 200, 100);
    EXPECT_GT(qRed(image.pixel(2, 50)), 240);
    EXPECT_NEAR(qRed(image.pixel(100, 50)), 128, 3);
    EXPECT_NEAR(qBlue(image.pixel(100, 50)), 128, 3);
    EXPECT_GT(qBlue(image.pixel(197, 50)), 240);
}

TEST(Paint, DegenerateGradientsNeverReachQtEmpty)
{
    EXPECT_EQ(toQBrush(LinearGradient{}, Rect(0, 0, 10, 10)).style(), Qt::NoBrush);
    const QBrush one = toQBrush(LinearGradient{Gradient(std::vector{Color::rgb(0, 1, 0)})}, Rect(0, 0, 10, 10));
    EXPECT_EQ(one.style(), Qt::SolidPattern);
    const Paint same = LinearGradient{Gradient(std::vector{Color::rgb(0, 1, 0), Color::rgb(1, 0, 0)}),
                                      UnitPoint::center(), UnitPoint::center()};
    EXPECT_EQ(toQBrush(same, Rect(0, 0, 10, 10)).color(), QColor(0, 255, 0)) << "start = end paints the first colour";
}

TEST(Paint, HardEdgesSurviveInQt)
{
    const Gradient g(std::vector<Gradient::Stop>{
        {Color::rgb(1, 0, 0), 0}, {Color::rgb(1, 0, 0), 0.5}, {Color::rgb(0, 0, 1), 0.5}, {Color::rgb(0, 0, 1), 1}});
    const QImage image =
        paint(toQBrush(LinearGradient{g, UnitPoint::leading(), UnitPoint::trailing()}, Rect(0, 0, 100, 10)), 100, 10);
    EXPECT_EQ(image.pixel(48, 5), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(52, 5), qRgb(0, 0, 255));
}

TEST(Paint, RadialAndAngularGradients)
{
    const Gradient rb(std::vector{Color::rgb(1, 0, 0), Color::rgb(0, 0, 1)});
    const Rect frame(0, 0, 100, 100);
    const Paint radial = RadialGradient{rb, UnitPoint::center(), 10, 50};
    expectColor(paintColorAt(radial, {50, 55}, frame), 1, 0, 0, 1);
    expectColor(paintColorAt(radial, {80, 50}, frame), 0.5, 0, 0.5, 1);
    const QImage r = paint(toQBrush(radial, frame), 100, 100);
    EXPECT_NEAR(qRed(r.pixel(80, 50)), 128, 4);
    EXPECT_EQ(r.pixel(52, 50), qRgb(255, 0, 0));
    const Paint inwards = RadialGradient{rb, UnitPoint::center(), 50, 10}; // red outside, blue inside
    const QImage in = paint(toQBrush(inwards, frame), 100, 100);
    for (Point p : {Point{52, 50}, Point{70, 50}, Point{80, 50}, Point{98, 50}})
        EXPECT_NEAR(qRed(in.pixel(int(p.x), int(p.y))), paintColorAt(inwards, p, frame).red * 255, 8) << p.x;

    // Angular: clockwise on screen from 3 o'clock.
    const Paint angular = AngularGradient{rb, UnitPoint::center()};
    expectColor(paintColorAt(angular, {50, 90}, frame), 0.75, 0, 0.25, 1); // 6 o'clock, a quarter turn
    const QImage a = paint(toQBrush(angular, frame), 100, 100);
    EXPECT_NEAR(qRed(a.pixel(50, 90)), 191, 4);
    EXPECT_NEAR(qBlue(a.pixel(50, 90)), 64, 4);
    EXPECT_NEAR(qRed(a.pixel(50, 10)), 64, 4) << "12 o'clock is three quarters round";

    // A half-turn gradient: the gap takes the colour of the nearer end.
    const Paint half = AngularGradient{rb, UnitPoint::center(), Angle::zero(), Angle::degrees(180)};
    expectColor(paintColorAt(half, {40, 10}, frame), 0, 0, 1, 1); // 256 deg: nearer the end (180)
    expectColor(paintColorAt(half, {90, 45}, frame), 1, 0, 0, 1); // just before 360: nearer the start
    const QImage h = paint(toQBrush(half, frame), 100, 100);
    EXPECT_EQ(h.pixel(20, 30), qRgb(0, 0, 255));
    EXPECT_EQ(h.pixel(80, 30), qRgb(255, 0, 0));

    // Stops inside a full turn: the painted colours follow the kit rule on
    // both sides of the seam at the start angle (3 o'clock).
    const Paint inner =
        AngularGradient{Gradient(std::vector<Gradient::Stop>{{Color::rgb(1, 0, 0), 0.25}, {Color::rgb(0, 0, 1), 0.75}}),
                        UnitPoint::center()};
    const QImage i = paint(toQBrush(inner, frame), 100, 100);
    for (Point p : {Point{90, 45}, Point{90, 55}, Point{50, 90}, Point{10, 50}, Point{30, 15}}) {
        const RGBA expected = paintColorAt(inner, p, frame);
        EXPECT_NEAR(qRed(i.pixel(int(p.x), int(p.y))), expected.red * 255, 12) << p.x << ", " << p.y;
        EXPECT_NEAR(qBlue(i.pixel(int(p.x), int(p.y))), expected.blue * 255, 12) << p.x << ", " << p.y;
    }
}
