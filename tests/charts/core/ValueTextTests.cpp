#include "charts/core/ValueText.h"

#include "kit/base/Localization.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace charts;

// A formatter that has no text for any number.
struct SilentFormatter : kit::NumberFormatter {
    std::optional<std::string> string(double) const override { return std::nullopt; }
};

TEST(ValueText, SpecifiersRoundLikePrintfAndFallBackWhenInvalid)
{
    EXPECT_EQ(specifierText("%.0f", 2.5), "2");
    EXPECT_EQ(specifierText("%.0f", 3.5), "4");
    EXPECT_EQ(specifierText("%.1f kg", 1.25), "1.2 kg");
    EXPECT_EQ(specifierText("%.0f%%", 42.4), "42%");
    EXPECT_EQ(specifierText("%a", 1.0), "0x1p+0");
    EXPECT_EQ(specifierText("%+.1A", 1.0), "+0X1.0P+0");
    for (const char* invalid : {"%d", "%s", "%n", "%@", "%f %a", "%*f", "%lf", "%.1000a", "plain", "%"})
        EXPECT_EQ(specifierText(invalid, 2.5), "2") << invalid;
}

TEST(ValueText, FormatterWinsOverSpecifierAndMayGiveNothing)
{
    const auto percent = std::make_shared<kit::NumberFormatter>(kit::NumberFormatter::Style::percent);
    EXPECT_EQ(valueText(0.256, "%.2f", percent), "26%");
    EXPECT_EQ(valueText(0.256, "%.2f", nullptr), "0.26");
    EXPECT_EQ(valueText(0.256, "%.2f", std::make_shared<SilentFormatter>()), "");
    EXPECT_EQ(rangeText(2, 5, "%.0f", nullptr), "2-5");
    EXPECT_EQ(rangeText(2, 5, "%.0f", std::make_shared<SilentFormatter>()), "-");
}

TEST(ValueText, AccessibilityValueFillsOnlyTheFirstPlaceholder)
{
    EXPECT_EQ(accessibilityValueString("Apples", "42"), "42 Apples");
    EXPECT_EQ(accessibilityValueString(std::nullopt, "42"), "42 ");
    // A description is never read as a format.
    EXPECT_EQ(accessibilityValueString("100% %@ %d %n", "7"), "7 100% %@ %d %n");

    kit::StringTable::setActive({{"%@ Apples", "Äpfel: %@"}, {"%@ Pears", "no value here"}});
    EXPECT_EQ(accessibilityValueString("Apples", "42"), "Äpfel: 42");
    EXPECT_EQ(accessibilityValueString("Pears", "42"), "no value here");
    kit::StringTable::setActive({});
}

} // namespace
