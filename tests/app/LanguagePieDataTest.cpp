#include "app/HexColor.h"
#include "app/LanguagePieData.h"
#include "core/LanguageResources.h"

#include "AppTestSupport.h"

#include <gtest/gtest.h>

#include <numbers>

namespace qm {
namespace {

using test::FakeFile;
using test::FakeLanguage;

TEST(LanguagePieData, SlicesTitlesAndStyleOfTheOverviewChart)
{
    const LangSpecs saved = langSpecs();
    langSpecs() = {{"Go", {{"color", "#00ADD8"}}}};
    std::vector<FakeLanguage> languages = {{"Go", {{"a.go", 30}}}, {"Shell", {{"a.sh", 10}}}};
    for (int i = 0; i < 9; ++i)
        languages.push_back({"L" + std::to_string(i), {{"f", 5}}});
    const auto data = makeLanguagePieData(test::languageList(languages));

    const auto& points = data->dataSets->dataPoints;
    ASSERT_EQ(points.size(), 10u);
    EXPECT_EQ(points[0].value, 30);
    EXPECT_EQ(points[0].description, "Go");
    EXPECT_EQ(points[0].colour, hexColor("#00ADD8"));
    EXPECT_EQ(points[1].colour, hexColor("#DDDDDD"));
    EXPECT_EQ(points[9].description, "Other");
    EXPECT_EQ(points[9].value, 10);
    EXPECT_EQ(points[9].colour, kit::Color::white());
    EXPECT_EQ(points[0].label, charts::OverlayType::none());
    EXPECT_EQ(data->dataSets->legendTitle, "The Legend");
    EXPECT_EQ(data->legends->size(), 10u);
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

    const auto empty = makeLanguagePieData({});
    EXPECT_TRUE(empty->dataSets->dataPoints.empty());
    EXPECT_FALSE(empty->hasData());
    langSpecs() = saved;
}

} // namespace
} // namespace qm
