#include "FakeCounter.h"

#include "core/LanguageEntry.h"

namespace {

using qmtest::fileJson;
using qmtest::languageJson;

TEST(CounterOutput, DecodesLanguagesAndTheirFilesIgnoringExtraKeys)
{
    auto text = "[" + languageJson("C++", 40, {fileJson("a.cpp", 30, R"(,"Unknown":[1,{"x":null}])"), fileJson("b.cpp", 10)}, R"(,"ULOC":12)") + "," +
                languageJson("Shell", 2) + "]";
    auto languages = qm::decodeCounterOutput(text);
    ASSERT_EQ(languages.size(), 2u);
    const auto& cpp = *languages[0];
    EXPECT_EQ(cpp.name, "C++");
    EXPECT_EQ(cpp.bytes, 1000);
    EXPECT_EQ(cpp.codeBytes, 800);
    EXPECT_EQ(cpp.lines, 50);
    EXPECT_EQ(cpp.code, 40);
    EXPECT_EQ(cpp.comment, 5);
    EXPECT_EQ(cpp.blank, 5);
    EXPECT_EQ(cpp.complexity, 7);
    EXPECT_EQ(cpp.count, 2);
    EXPECT_EQ(cpp.weightedComplexity, 2);
    ASSERT_EQ(cpp.files.size(), 2u);
    const auto& file = *cpp.files[0];
    EXPECT_EQ(file.language, "C++");
    EXPECT_EQ(file.possibleLanguages, (std::vector<std::string>{"C++"}));
    EXPECT_EQ(file.filename, "a.cpp");
    EXPECT_EQ(file.fileExtension, "cpp");
    EXPECT_EQ(file.location, "/src/a.cpp");
    EXPECT_EQ(file.symlocation, "");
    EXPECT_EQ(file.code, 30);
    EXPECT_TRUE(file.generated);
    EXPECT_FALSE(file.binary);
    EXPECT_TRUE(languages[1]->files.empty());

    EXPECT_TRUE(qm::decodeCounterOutput("[]").empty());
    auto noCandidates = fileJson("x", 1);
    noCandidates.replace(noCandidates.find(R"(["C++"])"), 7, "[]");
    EXPECT_TRUE(qm::decodeCounterOutput("[" + languageJson("C", 1, {noCandidates}) + "]")[0]->files[0]->possibleLanguages.empty());
}

TEST(CounterOutput, EveryDecodeMakesFreshIdentities)
{
    auto text = "[" + languageJson("C++", 1, {fileJson("a.cpp", 1)}) + "]";
    auto first = qm::decodeCounterOutput(text);
    auto second = qm::decodeCounterOutput(text);
    EXPECT_NE(first[0]->id, second[0]->id);
    EXPECT_NE(first[0]->files[0]->id, second[0]->files[0]->id);
}

TEST(CounterOutput, AnyBadRecordFailsTheWholeList)
{
    auto good = languageJson("C++", 1, {fileJson("a.cpp", 1)});
    auto withFiles = [](const std::string& files) {
        auto language = languageJson("Go", 1);
        return language.replace(language.find(R"("Files":[])"), 10, files);
    };
    auto fractional = fileJson("b.cpp", 1);
    fractional.replace(fractional.find(R"("WeightedComplexity":0)"), 22, R"("WeightedComplexity":2.5)");
    struct Case {
        std::string text;
        std::string path;
    };
    for (const auto& c : std::vector<Case>{
             {"[" + good + "," + withFiles("\"Other\":[]") + "]", "[1].Files"},
             {"[" + good + "," + withFiles("\"Files\":null") + "]", "[1].Files"},
             {"[" + good + "," + languageJson("Go", 1, {fractional}) + "]", "[1].Files[0].WeightedComplexity"},
             {"[" + good + "," + languageJson("Go", 1, {R"({"Language":"Go"})"}) + "]", "[1].Files[0].PossibleLanguages"},
             {R"([{"Name":3}])", "[0].Name"},
             {"{}", ""},
             {"", ""},
         }) {
        try {
            qm::decodeCounterOutput(c.text);
            ADD_FAILURE() << "decoded: " << c.text;
        } catch (const kit::DecodingError& error) {
            EXPECT_EQ(error.codingPath(), c.path) << error.what();
        }
    }
}

TEST(CounterOutput, EncodesTheSameKeysInOrderWithoutIdentity)
{
    auto text = "[" + languageJson("C++", 4, {fileJson("a.cpp", 4)}) + "]";
    auto language = qm::decodeCounterOutput(text)[0];
    auto encoded = language->toJson();
    std::vector<std::string> keys;
    for (const auto& item : encoded.items())
        keys.push_back(item.key());
    EXPECT_EQ(keys, (std::vector<std::string>{"Name", "Bytes", "CodeBytes", "Lines", "Code", "Comment", "Blank", "Complexity", "Count",
                                              "WeightedComplexity", "Files"}));
    EXPECT_EQ(encoded["Files"][0]["Extension"], "cpp");
    EXPECT_EQ(nlohmann::json::parse(text)[0], nlohmann::json::parse(encoded.dump()));
}

} // namespace
