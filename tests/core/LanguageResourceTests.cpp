#include "CountingTest.h"

#include "core/LanguageResources.h"

namespace {

namespace fs = std::filesystem;

class LanguageResources : public qmtest::CountingTest {
protected:
    void SetUp() override
    {
        CountingTest::SetUp();
        qm::langSpecs() = {{"Old", {{"color", "#000000"}}}};
        qm::supportedLanguages().clear();
        fs::create_directories(counter.path("bundle/share/quillmarrow"));
        fs::create_directories(counter.path("bundle/libexec/quillmarrow"));
    }
    void TearDown() override
    {
        qm::langSpecs().clear();
        qm::supportedLanguages().clear();
        CountingTest::TearDown();
    }
    // Writes both resources and loads them; returns the lines printed.
    qmtest::Args load(const std::string& langspecs, const std::string& supported)
    {
        std::ofstream(counter.path("bundle/share/quillmarrow/langspecs.json")) << langspecs;
        std::ofstream(counter.path("bundle/share/quillmarrow/supported.json")) << supported;
        printed.str("");
        qm::loadLanguageResources(bundle());
        return lines();
    }
    kit::Bundle bundle() const { return kit::Bundle(counter.path("bundle")); }

    static constexpr const char* supported =
        R"([{"lang":"Go","supported":[{"content":"Functions","extension":true,"recognize":false},{"content":"Tests","extension":false,"recognize":true}]},
            {"lang":"Go","supported":[]},{"lang":"Shell","supported":[],"note":"extra keys are ignored"}])";
};

TEST_F(LanguageResources, LoadsBothResources)
{
    EXPECT_TRUE(load(R"({"Go":{"color":"#00ADD8","comment":"//"},"Plain":{}})", supported).empty());
    EXPECT_EQ(qm::langSpecs(),
              (qm::LangSpecs{{"Go", {{"color", "#00ADD8"}, {"comment", "//"}}}, {"Plain", {}}})); // replaced as a whole

    const auto& languages = qm::supportedLanguages();
    ASSERT_EQ(languages.size(), 3u);
    EXPECT_EQ(languages[2]->lang, "Shell");
    EXPECT_EQ(languages[0]->toJson().dump(),
              R"({"lang":"Go","supported":[{"content":"Functions","extension":true,"recognize":false},)"
              R"({"content":"Tests","extension":false,"recognize":true}]})");
}

TEST_F(LanguageResources, ABrokenFileStopsTheLoadAndKeepsWhatWasThere)
{
    auto out = load(R"({"Go":{"color":"#00ADD8","tabs":4}})", supported);
    EXPECT_EQ(qm::langSpecs(), (qm::LangSpecs{{"Old", {{"color", "#000000"}}}}));
    EXPECT_TRUE(qm::supportedLanguages().empty());
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].rfind("Error: ", 0), 0u);
    EXPECT_NE(out[0].find("Go.tabs"), std::string::npos);

    // A bad "supported" file fails after "langspecs" has been replaced.
    out = load(R"({"Go":{"color":"#00ADD8"}})",
               R"([{"lang":"Go","supported":[{"content":"Functions","extension":true}]}])");
    EXPECT_TRUE(qm::langSpecs().contains("Go"));
    EXPECT_TRUE(qm::supportedLanguages().empty());
    ASSERT_EQ(out.size(), 1u);
    EXPECT_NE(out[0].find("[0].supported[0].recognize"), std::string::npos);

    // Bytes that are not UTF-8 fail the same way.
    EXPECT_EQ(load("{\"C\":{\"color\":\"\xFF\"}}", supported).size(), 1u);
    EXPECT_FALSE(qm::langSpecs().contains("C"));
}

using LanguageResourcesDeathTest = LanguageResources;

TEST_F(LanguageResourcesDeathTest, MissingResourcesAreFatalAndAMissingCounterIsNot)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    std::ofstream(counter.path("bundle/share/quillmarrow/langspecs.json")) << "{}";
    EXPECT_DEATH(qm::loadLanguageResources(bundle()), "supported\\.json is missing");
    // The counter's place, whether or not it is there: counts say when it is missing.
    EXPECT_EQ(qm::sccPathIn(bundle()), counter.path("bundle/libexec/quillmarrow/scc"));
    std::ofstream(counter.path("bundle/libexec/quillmarrow/scc")) << "#!/bin/sh\n";
    EXPECT_EQ(qm::sccPathIn(bundle()), counter.path("bundle/libexec/quillmarrow/scc"));
}

} // namespace
