#include "FakeCounter.h"

#include "core/LanguageResources.h"

namespace {

namespace fs = std::filesystem;

class LanguageResources : public qmtest::FakeCounterTest {
protected:
    void SetUp() override
    {
        FakeCounterTest::SetUp();
        qm::langSpecs() = {{"Old", {{"color", "#000000"}}}};
        qm::supportedLanguages().clear();
        fs::create_directories(dir / "bundle/share/quillmarrow");
        fs::create_directories(dir / "bundle/libexec/quillmarrow");
    }
    void TearDown() override
    {
        qm::langSpecs().clear();
        qm::supportedLanguages().clear();
        FakeCounterTest::TearDown();
    }
    void write(const std::string& name, const std::string& text) { std::ofstream(dir / "bundle/share/quillmarrow" / (name + ".json")) << text; }
    kit::Bundle bundle() const { return kit::Bundle((dir / "bundle").string()); }

    static constexpr const char* supported =
        R"([{"lang":"Go","supported":[{"content":"Functions","extension":true,"recognize":false},{"content":"Tests","extension":false,"recognize":true}]},
            {"lang":"Go","supported":[]},{"lang":"Shell","supported":[],"note":"extra keys are ignored"}])";
};

TEST_F(LanguageResources, LoadsBothResources)
{
    write("langspecs", R"({"Go":{"color":"#00ADD8","comment":"//"},"Plain":{}})");
    write("supported", supported);
    qm::loadLanguageResources(bundle());

    EXPECT_EQ(qm::langSpecs().size(), 2u); // replaced as a whole
    EXPECT_EQ(qm::langSpecs()["Go"]["color"], "#00ADD8");
    EXPECT_EQ(qm::langSpecs()["Go"]["comment"], "//");
    EXPECT_FALSE(qm::langSpecs()["Plain"].contains("color"));

    const auto& languages = qm::supportedLanguages();
    ASSERT_EQ(languages.size(), 3u);
    EXPECT_EQ(languages[0]->lang, "Go");
    ASSERT_EQ(languages[0]->supported.size(), 2u);
    EXPECT_EQ(languages[0]->supported[0]->content, "Functions");
    EXPECT_TRUE(languages[0]->supported[0]->supportedExtension);
    EXPECT_FALSE(languages[0]->supported[0]->recognize);
    EXPECT_TRUE(languages[0]->supported[1]->recognize);
    EXPECT_TRUE(lines().empty());

    auto encoded = languages[0]->toJson();
    EXPECT_EQ(encoded.dump(), R"({"lang":"Go","supported":[{"content":"Functions","extension":true,"recognize":false},)"
                              R"({"content":"Tests","extension":false,"recognize":true}]})");
}

TEST_F(LanguageResources, ABrokenFileStopsTheLoadAndKeepsWhatWasThere)
{
    write("langspecs", R"({"Go":{"color":"#00ADD8","tabs":4}})");
    write("supported", supported);
    qm::loadLanguageResources(bundle());
    EXPECT_EQ(qm::langSpecs().size(), 1u);
    EXPECT_TRUE(qm::langSpecs().contains("Old"));
    EXPECT_TRUE(qm::supportedLanguages().empty());
    ASSERT_EQ(lines().size(), 1u);
    EXPECT_EQ(lines()[0].rfind("Error: ", 0), 0u);
    EXPECT_NE(lines()[0].find("Go.tabs"), std::string::npos);

    // A bad "supported" file fails after "langspecs" has been replaced.
    printed.str("");
    write("langspecs", R"({"Go":{"color":"#00ADD8"}})");
    write("supported", R"([{"lang":"Go","supported":[{"content":"Functions","extension":true}]}])");
    qm::loadLanguageResources(bundle());
    EXPECT_TRUE(qm::langSpecs().contains("Go"));
    EXPECT_TRUE(qm::supportedLanguages().empty());
    ASSERT_EQ(lines().size(), 1u);
    EXPECT_NE(lines()[0].find("[0].supported[0].recognize"), std::string::npos);

    // Unreadable bytes fail the same way.
    printed.str("");
    write("langspecs", "{\"Go\":{\"color\":\"\xFF\"}}");
    qm::loadLanguageResources(bundle());
    EXPECT_TRUE(qm::langSpecs().contains("Go"));
    EXPECT_EQ(lines().size(), 1u);
}

using LanguageResourcesDeathTest = LanguageResources;

TEST_F(LanguageResourcesDeathTest, MissingPartsOfTheBundleAreFatal)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    write("langspecs", "{}");
    EXPECT_DEATH(qm::loadLanguageResources(bundle()), "supported\\.json is missing");
    EXPECT_DEATH(qm::sccPathIn(bundle()), "scc is missing from the application bundle: .*bundle/libexec/quillmarrow/scc");

    std::ofstream(dir / "bundle/libexec/quillmarrow/scc") << "#!/bin/sh\n";
    EXPECT_EQ(qm::sccPathIn(bundle()), (dir / "bundle/libexec/quillmarrow/scc").string());
}

} // namespace
