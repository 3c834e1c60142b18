#include "kit/base/Format.h"
#include "kit/base/NumberFormatter.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>

namespace {

TEST(Format, RoundsTheExactBinaryValueWithTiesToEven)
{
    EXPECT_EQ(kit::format("%.0f", 0.5), "0");
    EXPECT_EQ(kit::format("%.0f", 1.5), "2");
    EXPECT_EQ(kit::format("%.0f", 2.5), "2");
    EXPECT_EQ(kit::format("%.0f", 3.5), "4");
    EXPECT_EQ(kit::format("%.0f", 1234.5), "1234");
    EXPECT_EQ(kit::format("%.0f", -0.4), "-0");
    EXPECT_EQ(kit::format("%.1f", 1.25), "1.2");
    EXPECT_EQ(kit::format("%.1f", 0.35), "0.3");
    EXPECT_EQ(kit::format("%.2f", 1.005), "1.00");
    EXPECT_EQ(kit::format("%f", std::numeric_limits<double>::infinity()), "inf");
    EXPECT_EQ(kit::format("%F", std::nan("")), "NAN");
}

TEST(Format, KeepsLiteralTextFlagsAndWidth)
{
    EXPECT_EQ(kit::format("%.0f%%", 42.4), "42%");
    EXPECT_EQ(kit::format("Total: %+08.2f units", 3.14159), "Total: +0003.14 units");
    EXPECT_EQ(kit::format("%-6.1e|", 12345.0), "1.2e+04|");
    EXPECT_EQ(kit::format("%g", 0.0001), "0.0001");
    EXPECT_EQ(kit::format("%a", 1.0), "0x1p+0");
    EXPECT_EQ(kit::format("%+.1A", 1.0), "+0X1.0P+0");
}

TEST(Format, PrintsFiguresOfAnyLengthWhole)
{
    // One half exactly, to 70 places: "0.5" and 69 zeros; the same padded
    // to 100 characters with spaces in front; and a short one.
    const std::string half = "0.5" + std::string(69, '0');
    struct Case {
        const char* pattern;
        double value;
        std::string expected;
    };
    for (const Case& c : {Case{"%.70f", 0.5, half}, Case{"%100.70f", 0.5, std::string(28, ' ') + half},
                          Case{"[%.70f]", 0.5, "[" + half + "]"}, Case{"%.2f", 0.5, "0.50"}})
        EXPECT_EQ(kit::format(c.pattern, c.value), c.expected) << c.pattern;
}

TEST(Format, FallsBackToNoFractionDigitsForAnyOtherPattern)
{
    for (const char* pattern :
         {"no conversion", "%f and %f", "%d", "%s", "%*f", "%n", "%lf", "%.1000f", "100%", "%.2q"})
        EXPECT_EQ(kit::format(pattern, 2.5), "2") << pattern;
}

TEST(Format, IgnoresTheProcessLocale)
{
    // A locale with a decimal comma, when the machine has one.
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    std::string saved = previous ? previous : "C";
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8"))
        GTEST_SKIP() << "no German locale installed";
    EXPECT_EQ(kit::format("%.1f", 2.5), "2.5");
    std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(FormatInt, PrintsSixtyFourBitDigits)
{
    EXPECT_EQ(kit::formatInt("%lld", -42), "-42");
    EXPECT_EQ(kit::formatInt("%d", 9007199254740993LL), "9007199254740993");
    EXPECT_EQ(kit::formatInt("(%ld files)", 12), "(12 files)");
    EXPECT_EQ(kit::formatInt("%i", 1234567), "1234567");
    EXPECT_EQ(kit::formatInt("%f", 7), "7");
    EXPECT_EQ(kit::formatInt("%d%d", 7), "7");
}

TEST(NumberFormatter, StylesRoundHalfToEvenOnTheDecimalValue)
{
    kit::NumberFormatter none;
    EXPECT_EQ(none.string(2.5), "2");
    EXPECT_EQ(none.string(3.5), "4");
    EXPECT_EQ(none.string(1234.5), "1234");
    EXPECT_EQ(none.string(999.5), "1000");

    kit::NumberFormatter decimal(kit::NumberFormatter::Style::decimal);
    EXPECT_EQ(decimal.string(1234.5678), "1,234.568");
    EXPECT_EQ(decimal.string(-1234567.0), "-1,234,567");
    EXPECT_EQ(decimal.string(0.0005), "0"); // a tie, to even
    EXPECT_EQ(decimal.string(0.0015), "0.002");
    decimal.maximumFractionDigits = 2;
    EXPECT_EQ(decimal.string(1.015), "1.02"); // the double lies below 1.015; its decimal form does not
    decimal.minimumFractionDigits = 2;
    EXPECT_EQ(decimal.string(3), "3.00");

    kit::NumberFormatter percent(kit::NumberFormatter::Style::percent);
    EXPECT_EQ(percent.string(0.256), "26%");
    EXPECT_EQ(percent.string(12.5), "1,250%");

    EXPECT_EQ(none.string(std::nan("")), "NaN");
    EXPECT_EQ(none.string(std::numeric_limits<double>::infinity()), "+∞");
    EXPECT_EQ(none.string(-std::numeric_limits<double>::infinity()), "-∞");
}

TEST(NumberFormatter, SeparatorsCanBeSet)
{
    kit::NumberFormatter formatter(kit::NumberFormatter::Style::decimal);
    formatter.decimalSeparator = ",";
    formatter.groupingSeparator = ".";
    EXPECT_EQ(formatter.string(12345.25), "12.345,25");
}

} // namespace
