#include "UiTest.h"

#include <QImage>

using namespace kit;

namespace {

// A white 20 × 20 square at `x` along the top of a 60 × 60 frame, over a hard
// shadow of `color` offset by (10, 10), or a soft one of radius 8 unless
// `hard`; `side` is the square's side.
QImage squareWithShadow(double x, Color color, bool hard = true, double side = 20)
{
    return renderImage(View(Color::white())
                           .frame(side, side)
                           .shadow(color, hard ? 0 : 8, hard ? 10 : 0, hard ? 10 : 0)
                           .offset(x, 0)
                           .frame(60, 60, Alignment::topLeading()),
                       {60, 60});
}

QRgb pixel(const QImage& image, int x, int y)
{
    return image.pixel(x, y);
}

} // namespace

using ShadowPainting = UiTest;

// A shadow painted once is kept and painted again as it was; each change of
// what casts it (its place, its shadow's colour, its shape) paints it anew.
TEST_F(ShadowPainting, APaintedShadowIsKeptOnlyWhileItsItemStays)
{
    const QImage first = squareWithShadow(0, Color::black());
    // The square covers 0...20, its shadow 10...30.
    EXPECT_EQ(qAlpha(pixel(first, 25, 25)), 255);
    EXPECT_EQ(qRed(pixel(first, 25, 25)), 0);
    EXPECT_EQ(qAlpha(pixel(first, 35, 35)), 0);

    // Moved 20 to the right: the shadow covers 30...50 across, 10...30 down.
    const QImage moved = squareWithShadow(20, Color::black());
    EXPECT_EQ(qRed(pixel(moved, 25, 15)), 255) << "the square";
    EXPECT_EQ(qAlpha(pixel(moved, 45, 25)), 255) << "the moved shadow";
    EXPECT_EQ(qAlpha(pixel(moved, 15, 25)), 0) << "none left where it was";

    // A red shadow under the same square.
    const QImage red = squareWithShadow(0, Color::rgb(1, 0, 0));
    EXPECT_EQ(qRed(pixel(red, 25, 25)), 255);
    EXPECT_EQ(qGreen(pixel(red, 25, 25)), 0);

    // A larger square: 0...30, its shadow 10...40.
    const QImage larger = squareWithShadow(0, Color::black(), true, 30);
    EXPECT_EQ(qAlpha(pixel(larger, 35, 35)), 255);

    // The first square again, its shadow as it was painted the first time.
    EXPECT_EQ(squareWithShadow(0, Color::black()), first);

    // A soft shadow painted twice, with others between: the same both times.
    const QImage soft = squareWithShadow(10, Color::black(), false);
    EXPECT_GT(qAlpha(pixel(soft, 32, 10)), 10) << "blurred past the square's edge";
    EXPECT_LT(qAlpha(pixel(soft, 32, 10)), 250);
    squareWithShadow(5, Color::black(), false);
    EXPECT_EQ(squareWithShadow(10, Color::black(), false), soft);
}
