#include "app/languages/HexColor.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

HexComponents rgba255(double r, double g, double b, double a)
{
    return {r / 255.0, g / 255.0, b / 255.0, a / 255.0};
}

TEST(HexColor, ReadsThreeSixAndEightDigitFormsAndNothingElse)
{
    const HexComponents faint = rgba255(1, 1, 0, 1);
    for (const auto& [text, expected] : std::vector<std::pair<std::string, HexComponents>>{
             {"#DDDDDD", rgba255(221, 221, 221, 255)},
             {"#abc", rgba255(170, 187, 204, 255)},  // each digit doubled
             {"#80FF0000", rgba255(255, 0, 0, 128)}, // alpha first
             {"#12345", faint},
             {"", faint},
             {"#", faint},
             {"#1234567890", faint},
             {"(#FAB8FF)", rgba255(250, 184, 255, 255)}, // non-alphanumerics around the digits go
             {"  #FAB8FF \n", rgba255(250, 184, 255, 255)},
             {"#FA B8F", rgba255(0, 0, 0xFA, 255)}, // a blank inside stays and counts
             {"#GGGGGG", rgba255(0, 0, 0, 255)},    // reading stops at the first non-digit
             {"#12zzzz", rgba255(0, 0, 0x12, 255)},
             {"#ab\u00e9", rgba255(0, 0xA * 17, 0xB * 17, 255)}, // characters are counted, not bytes
         })
        EXPECT_EQ(hexComponents(text), expected) << text;

    EXPECT_EQ(hexColor("#80FF0000"), kit::Color::rgb(1.0, 0.0, 0.0, 128 / 255.0));
    EXPECT_EQ(hexQColor("#FAB8FF"), QColor(250, 184, 255));
}

} // namespace
} // namespace qm
