#include "app/HexColor.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

HexComponents rgba255(double r, double g, double b, double a)
{
    return {r / 255.0, g / 255.0, b / 255.0, a / 255.0};
}

TEST(HexColor, ReadsThreeSixAndEightDigitForms)
{
    EXPECT_EQ(hexComponents("#DDDDDD"), rgba255(221, 221, 221, 255));
    EXPECT_EQ(hexComponents("#abc"), rgba255(170, 187, 204, 255));
    EXPECT_EQ(hexComponents("#80FF0000"), rgba255(255, 0, 0, 128));
    EXPECT_EQ(hexComponents("#FAB8FF"), rgba255(250, 184, 255, 255));
}

TEST(HexColor, OtherLengthsGiveTheNearlyInvisibleColour)
{
    const HexComponents faint = rgba255(1, 1, 0, 1);
    EXPECT_EQ(hexComponents("#12345"), faint);
    EXPECT_EQ(hexComponents(""), faint);
    EXPECT_EQ(hexComponents("#"), faint);
    EXPECT_EQ(hexComponents("#1234567890"), faint);
}

TEST(HexColor, IgnoresNonAlphanumericsAroundTheDigitsOnly)
{
    EXPECT_EQ(hexComponents("(#FAB8FF)"), hexComponents("#FAB8FF"));
    EXPECT_EQ(hexComponents("  #FAB8FF \n"), hexComponents("#FAB8FF"));
    // A blank inside the text stays and counts as a character.
    EXPECT_EQ(hexComponents("#FA B8F"), rgba255(0, 0, 0xFA, 255));
}

TEST(HexColor, StopsReadingAtTheFirstNonHexDigit)
{
    EXPECT_EQ(hexComponents("#GGGGGG"), rgba255(0, 0, 0, 255));
    // "12zzzz" reads 0x12: red and green 0, blue 0x12.
    EXPECT_EQ(hexComponents("#12zzzz"), rgba255(0, 0, 0x12, 255));
    // User-perceived characters are counted, not bytes: "é" is one letter.
    EXPECT_EQ(hexComponents("#ab\u00e9"), rgba255(0, 0xA * 17, 0xB * 17, 255));
}

} // namespace
} // namespace qm

namespace qm {
namespace {

TEST(HexColor, MakesSrgbColours)
{
    EXPECT_EQ(hexColor("#DDDDDD"), kit::Color::rgb(221 / 255.0, 221 / 255.0, 221 / 255.0, 1.0));
    EXPECT_EQ(hexColor("#80FF0000"), kit::Color::rgb(1.0, 0.0, 0.0, 128 / 255.0));
    EXPECT_EQ(hexQColor("#FAB8FF"), QColor(250, 184, 255));
}

} // namespace
} // namespace qm
