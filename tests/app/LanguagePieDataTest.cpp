#include "app/languages/LanguagePieData.h"
#include "app/languages/HexColor.h"
#include "app/languages/LanguageInfo.h"
#include "app/languages/LanguageSlices.h"
#include "core/LanguageResources.h"

#include "AppTestSupport.h"

#include <gtest/gtest.h>

#include <numbers>

namespace qm {
namespace {

// Languages "L0", "L1", ... with these code lines.
LanguageList languagesWithCode(const std::vector<std::int64_t>& codes)
{
    std::vector<test::FakeLanguage> languages;
    for (std::size_t i = 0; i < codes.size(); ++i)
        languages.push_back({"L" + std::to_string(i), {{"f", codes[i]}}});
    return test::languageList(languages);
}

class LanguagePieData : public ::testing::Test {
protected:
    void SetUp() override { langSpecs() = {{"L0", {{"color", "#FF0000"}}}, {"L1", {{"extensions", "x"}}}}; }
    void TearDown() override { langSpecs() = saved; }
    const LangSpecs saved = langSpecs();
};

TEST_F(LanguagePieData, NineLargestOnTheirOwnAndTheRestAsOther)
{
    const auto slices = languageSlices(languagesWithCode({10, 20, 30, 40, 50, 60, 70, 80, 90, 100}));
    ASSERT_EQ(slices.size(), 10u);
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(slices[i].value, 100 - 10 * i);
    EXPECT_EQ(slices[0].description, "L9");
    EXPECT_EQ(slices[9], (LanguageSlice{10, "Other", std::nullopt}));

    // Exactly nine languages, or a tail with no code, give no "Other".
    EXPECT_EQ(languageSlices(languagesWithCode({1, 2, 3, 4, 5, 6, 7, 8, 9})).size(), 9u);
    EXPECT_EQ(languageSlices(languagesWithCode({9, 9, 9, 9, 9, 9, 9, 9, 9, 0, 0, 0})).size(), 9u);
    EXPECT_TRUE(languageSlices({}).empty());
}

TEST_F(LanguagePieData, TiesKeepTheirOrderAndColoursComeFromTheDictionary)
{
    const auto slices = languageSlices(languagesWithCode({5, 7, 5, 7}));
    std::vector<std::string> order;
    for (const auto& slice : slices)
        order.push_back(slice.description);
    EXPECT_EQ(order, (std::vector<std::string>{"L1", "L3", "L0", "L2"}));
    EXPECT_EQ(slices[2].colorText, "#FF0000");
    // An entry without "color", and a language the dictionary lacks, are grey.
    EXPECT_EQ(slices[0].colorText, "#DDDDDD");
    EXPECT_EQ(slices[1].colorText, "#DDDDDD");
    EXPECT_EQ(languageColor("L1"), QColor(0xDD, 0xDD, 0xDD));
    EXPECT_EQ(languageColor("L0"), QColor(0xFF, 0, 0));
}

TEST_F(LanguagePieData, SlicesTitlesAndStyleOfTheOverviewChart)
{
    const auto data = makeLanguagePieData(languagesWithCode({30, 10, 5, 5, 5, 5, 5, 5, 5, 5, 5}));
    const auto& points = data->dataSets->dataPoints;
    ASSERT_EQ(points.size(), 10u);
    EXPECT_EQ(points[0].colour, hexColor("#FF0000"));
    EXPECT_EQ(points[1].colour, hexColor("#DDDDDD"));
    EXPECT_EQ(points[9].description, "Other");
    EXPECT_EQ(points[9].value, 10);
    EXPECT_EQ(points[9].colour, kit::Color::white());
    EXPECT_EQ(points[0].label, charts::OverlayType::none());
    EXPECT_EQ(data->dataSets->legendTitle, "The Legend");
    // The chart data lays the wedges out from twelve o'clock.
    EXPECT_DOUBLE_EQ(points[0].startAngle, -std::numbers::pi / 2);
    EXPECT_NEAR(points[0].amount, 2 * std::numbers::pi * 30 / 85, 1e-12);

    EXPECT_EQ(data->metadata->title, "Code breakdown");
    EXPECT_EQ(data->metadata->subtitle, "By language");
    EXPECT_EQ(data->metadata->titleFont, kit::Font::title3());
    EXPECT_TRUE(data->chartStyle->infoBoxPlacement.is<charts::InfoBoxPlacement::Floating>());
    EXPECT_EQ(data->chartStyle->infoBoxContentAlignment, charts::InfoBoxAlignment::vertical);
    EXPECT_EQ(data->chartStyle->infoBoxBackgroundColour, kit::Color::windowBackground());
    EXPECT_EQ(data->chartStyle->infoBoxBorderStyle.lineWidth, 0);
    EXPECT_FALSE(makeLanguagePieData({})->hasData());
}

TEST(LanguageInfo, SupportedContentsOfTheFirstExactMatch)
{
    const auto saved = supportedLanguages();
    auto element = [](std::string lang, std::vector<std::string> contents) {
        auto e = std::make_shared<RecognizedElement>();
        e->lang = std::move(lang);
        for (auto& c : contents) {
            e->supported.push_back(std::make_shared<Supported>());
            e->supported.back()->content = std::move(c);
        }
        return e;
    };
    supportedLanguages() = {element("Swift", {"Classes", "Structs"}), element("Swift", {"Other"}), element("Go", {}),
                            element("swiftish", {"x"}), element("Blank", {"", "Tests"})};
    EXPECT_EQ(supportedContents("Swift"), "Classes, Structs");
    EXPECT_EQ(supportedContents("Go"), "");
    EXPECT_EQ(supportedContents("swift"), "");
    EXPECT_EQ(supportedContents("Rust"), "");
    EXPECT_EQ(supportedContents("Blank"), ", Tests"); // every kind keeps its place
    supportedLanguages() = saved;
}

} // namespace
} // namespace qm
