#include "app/LanguageInfo.h"
#include "app/LanguageSlices.h"
#include "core/LanguageResources.h"

#include "AppTestSupport.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

using test::FakeFile;
using test::FakeLanguage;

std::vector<FakeLanguage> languagesWithCode(const std::vector<std::int64_t>& codes)
{
    std::vector<FakeLanguage> languages;
    for (std::size_t i = 0; i < codes.size(); ++i)
        languages.push_back({"L" + std::to_string(i), {FakeFile{"f", codes[i]}}});
    return languages;
}

class LanguageSlicesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved = langSpecs();
        langSpecs() = {{"L0", {{"color", "#FF0000"}}}, {"L1", {{"extensions", "x"}}}};
    }
    void TearDown() override { langSpecs() = saved; }
    LangSpecs saved;
};

TEST_F(LanguageSlicesTest, NineLargestOnTheirOwnAndTheRestAsOther)
{
    const auto slices = languageSlices(test::languageList(languagesWithCode({10, 20, 30, 40, 50, 60, 70, 80, 90, 100})));
    ASSERT_EQ(slices.size(), 10u);
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(slices[i].value, 100 - 10 * i);
    EXPECT_EQ(slices[0].description, "L9");
    EXPECT_EQ(slices[9], (LanguageSlice{10, "Other", std::nullopt}));

    // Exactly nine languages, or a tail with no code, give no "Other".
    EXPECT_EQ(languageSlices(test::languageList(languagesWithCode({1, 2, 3, 4, 5, 6, 7, 8, 9}))).size(), 9u);
    EXPECT_EQ(languageSlices(test::languageList(languagesWithCode({9, 9, 9, 9, 9, 9, 9, 9, 9, 0, 0, 0}))).size(), 9u);
    EXPECT_TRUE(languageSlices({}).empty());
}

TEST_F(LanguageSlicesTest, TiesKeepTheirOrderAndColoursComeFromTheDictionary)
{
    const auto slices = languageSlices(test::languageList(languagesWithCode({5, 7, 5, 7})));
    ASSERT_EQ(slices.size(), 4u);
    EXPECT_EQ(slices[0].description, "L1");
    EXPECT_EQ(slices[1].description, "L3");
    EXPECT_EQ(slices[2].description, "L0");
    EXPECT_EQ(slices[3].description, "L2");
    EXPECT_EQ(slices[2].colorText, "#FF0000");
    // An entry without "color", and a language the dictionary lacks, are grey.
    EXPECT_EQ(slices[0].colorText, "#DDDDDD");
    EXPECT_EQ(slices[1].colorText, "#DDDDDD");
    EXPECT_EQ(languageColor("L1"), QColor(0xDD, 0xDD, 0xDD));
    EXPECT_EQ(languageColor("L0"), QColor(0xFF, 0, 0));
}

TEST(LanguageInfo, SupportedContentsOfTheFirstExactMatch)
{
    const auto saved = supportedLanguages();
    auto element = [](std::string lang, std::vector<std::string> contents) {
        auto e = std::make_shared<RecognizedElement>();
        e->lang = std::move(lang);
        for (auto& c : contents) {
            auto s = std::make_shared<Supported>();
            s->content = std::move(c);
            e->supported.push_back(s);
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
