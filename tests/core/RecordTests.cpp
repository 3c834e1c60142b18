#include "core/LanguageEntry.h"

#include <gtest/gtest.h>

namespace {

using Numbers = std::vector<std::int64_t>;
using Texts = std::vector<std::string>;

// A file record in which every number differs.
const std::string kFile = R"({"Language":"C++","PossibleLanguages":["C++","C"],"Filename":"a.cpp","Extension":"cpp","Location":"/src/a.cpp",)"
                          R"("Symlocation":"/l/a.cpp","Bytes":11,"Lines":12,"Code":13,"Comment":14,"Blank":15,"Complexity":16,)"
                          R"("WeightedComplexity":17,"Binary":false,"Minified":true,"Generated":false,"EndPoint":18})";

std::string language(const std::string& name, const std::string& files, const std::string& extra = "")
{
    return R"({"Name":")" + name + R"(","Bytes":1,"CodeBytes":2,"Lines":3,"Code":4,"Comment":5,"Blank":6,"Complexity":7,"Count":8,)"
           R"("WeightedComplexity":9,"Files":[)" + files + "]" + extra + "}";
}

std::string replaced(std::string text, const std::string& part, const std::string& by)
{
    return text.replace(text.find(part), part.size(), by);
}

TEST(CounterOutput, DecodesEveryFieldIgnoringExtraKeysWithFreshIdentities)
{
    const std::string file = replaced(kFile, R"("EndPoint":18})", R"("EndPoint":18,"Unknown":[1,{"x":null}]})");
    const std::string text = "[" + language("C++", file, R"(,"ULOC":12)") + "," + language("Shell", "") + "]";
    const auto languages = qm::decodeCounterOutput(text);
    ASSERT_EQ(languages.size(), 2u);
    const auto& l = *languages[0];
    EXPECT_EQ(l.name, "C++");
    EXPECT_EQ((Numbers{l.bytes, l.codeBytes, l.lines, l.code, l.comment, l.blank, l.complexity, l.count, l.weightedComplexity}),
              (Numbers{1, 2, 3, 4, 5, 6, 7, 8, 9}));
    ASSERT_EQ(l.files.size(), 1u);
    const auto& f = *l.files[0];
    EXPECT_EQ((Texts{f.language, f.filename, f.fileExtension, f.location, f.symlocation}), (Texts{"C++", "a.cpp", "cpp", "/src/a.cpp", "/l/a.cpp"}));
    EXPECT_EQ(f.possibleLanguages, (Texts{"C++", "C"}));
    EXPECT_EQ((Numbers{f.bytes, f.lines, f.code, f.comment, f.blank, f.complexity, f.weightedComplexity, f.endPoint}),
              (Numbers{11, 12, 13, 14, 15, 16, 17, 18}));
    EXPECT_EQ((std::vector<bool>{f.binary, f.minified, f.generated}), (std::vector<bool>{false, true, false}));
    EXPECT_TRUE(languages[1]->files.empty());

    const auto again = qm::decodeCounterOutput(text);
    EXPECT_NE(again[0]->id, l.id);
    EXPECT_NE(again[0]->files[0]->id, f.id);
    EXPECT_TRUE(qm::decodeCounterOutput("[]").empty());
    const std::string noCandidates = replaced(kFile, R"(["C++","C"])", "[]");
    EXPECT_TRUE(qm::decodeCounterOutput("[" + language("C", noCandidates) + "]")[0]->files[0]->possibleLanguages.empty());
}

TEST(CounterOutput, AnyBadRecordFailsTheWholeList)
{
    const std::string good = language("C++", kFile);
    const std::string fractional = replaced(kFile, R"("WeightedComplexity":17)", R"("WeightedComplexity":2.5)");
    for (const auto& [text, path] : std::vector<std::pair<std::string, std::string>>{
             {"[" + good + "," + replaced(language("Go", ""), R"("Files":[])", R"("Other":[])") + "]", "[1].Files"},
             {"[" + good + "," + replaced(language("Go", ""), R"("Files":[])", R"("Files":null)") + "]", "[1].Files"},
             {"[" + good + "," + language("Go", fractional) + "]", "[1].Files[0].WeightedComplexity"},
             {"[" + good + "," + language("Go", R"({"Language":"Go"})") + "]", "[1].Files[0].PossibleLanguages"},
             {R"([{"Name":3}])", "[0].Name"},
             {"{}", ""},
             {"", ""},
         }) {
        try {
            qm::decodeCounterOutput(text);
            ADD_FAILURE() << "decoded: " << text;
        } catch (const kit::DecodingError& error) {
            EXPECT_EQ(error.codingPath(), path) << error.what();
        }
    }
}

TEST(CounterOutput, EncodesTheSameKeysInOrderWithoutIdentity)
{
    const std::string text = "[" + language("C++", kFile) + "]";
    EXPECT_EQ(qm::decodeCounterOutput(text)[0]->toJson().dump(), nlohmann::ordered_json::parse(text)[0].dump());
}

} // namespace
