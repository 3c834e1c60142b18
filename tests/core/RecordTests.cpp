// Decoding the counter's output into records, by every kernel of the fast reader, in place
// and copied, against the strict decoder's rules.
//
// Sections:
//   fields and failures   every field read, extra keys, a bad record failing the list, the
//                         best kernel
//   unusual text          valid but unusual text, file records in unusual places, malformed
//                         text, numbers beyond 64 bits
//   large outputs         many files in order, one bad record among them, the text given up
//                         while it is read
//   identities, coding    fresh version 4 identities, the keys encoded in order

#include "core/DecodingKernel.h"
#include "core/FreshId.h"
#include "core/LanguageEntry.h"
#include "kit/base/Json.h"

#include <algorithm>
#include <cstring>
#include <mutex>
#include <set>
#include <stdexcept>
#include <utility>

#include <unistd.h>

#include <gtest/gtest.h>

namespace {

using Numbers = std::vector<std::int64_t>;
using Texts = std::vector<std::string>;

// A file record in which every number differs.
const std::string kFile =
    R"({"Language":"C++","PossibleLanguages":["C++","C"],"Filename":"a.cpp","Extension":"cpp","Location":"/src/a.cpp",)"
    R"("Symlocation":"/l/a.cpp","Bytes":11,"Lines":12,"Code":13,"Comment":14,"Blank":15,"Complexity":16,)"
    R"("WeightedComplexity":17,"Binary":false,"Minified":true,"Generated":false,"EndPoint":18})";

std::string language(const std::string& name, const std::string& files, const std::string& extra = "")
{
    return R"({"Name":")" + name +
           R"(","Bytes":1,"CodeBytes":2,"Lines":3,"Code":4,"Comment":5,"Blank":6,"Complexity":7,"Count":8,)"
           R"("WeightedComplexity":9,"Files":[)" +
           files + "]" + extra + "}";
}

std::string replaced(std::string text, const std::string& part, const std::string& by)
{
    return text.replace(text.find(part), part.size(), by);
}

// One way the decoder reads: with one of the kernels this processor runs,
// the text copied first or read in place from a buffer with room after it.
struct Way {
    qm::DecodingKernel kernel;
    bool inPlace;

    std::string name() const
    {
        return std::string(qm::decodingKernelName(kernel)) + (inPlace ? ", in place" : ", copied");
    }
    qm::LanguageList decode(const std::string& text) const
    {
        std::string buffer = text;
        buffer.reserve(text.size() + qm::counterOutputPadding);
        return qm::decodeCounterOutput(buffer, inPlace ? buffer.capacity() : 0, kernel);
    }
};

std::vector<Way> everyWay()
{
    std::vector<Way> ways;
    for (qm::DecodingKernel kernel : qm::runnableDecodingKernels())
        for (bool inPlace : {false, true})
            ways.push_back({kernel, inPlace});
    return ways;
}

TEST(CounterOutput, DecodesEveryFieldIgnoringExtraKeysWithFreshIdentities)
{
    const std::string file = replaced(kFile, R"("EndPoint":18})", R"("EndPoint":18,"Unknown":[1,{"x":null}]})");
    const std::string text = "[" + language("C++", file, R"(,"ULOC":12)") + "," + language("Shell", "") + "]";
    for (const Way& way : everyWay()) {
        SCOPED_TRACE(way.name());
        const auto languages = way.decode(text);
        ASSERT_EQ(languages.size(), 2u);
        const auto& l = *languages[0];
        EXPECT_EQ(l.name, "C++");
        EXPECT_EQ((Numbers{l.bytes, l.codeBytes, l.lines, l.code, l.comment, l.blank, l.complexity, l.count,
                           l.weightedComplexity}),
                  (Numbers{1, 2, 3, 4, 5, 6, 7, 8, 9}));
        ASSERT_EQ(l.files.size(), 1u);
        const auto& f = *l.files[0];
        EXPECT_EQ((Texts{f.language, f.filename, f.fileExtension, f.location, f.symlocation}),
                  (Texts{"C++", "a.cpp", "cpp", "/src/a.cpp", "/l/a.cpp"}));
        EXPECT_EQ(f.possibleLanguages, (Texts{"C++", "C"}));
        EXPECT_EQ((Numbers{f.bytes, f.lines, f.code, f.comment, f.blank, f.complexity, f.weightedComplexity,
                           f.endPoint}),
                  (Numbers{11, 12, 13, 14, 15, 16, 17, 18}));
        EXPECT_EQ((std::vector<bool>{f.binary, f.minified, f.generated}), (std::vector<bool>{false, true, false}));
        EXPECT_TRUE(languages[1]->files.empty());
    }

    const auto once = qm::decodeCounterOutput(text);
    const auto again = qm::decodeCounterOutput(text);
    EXPECT_NE(again[0]->id, once[0]->id);
    EXPECT_NE(again[0]->files[0]->id, once[0]->files[0]->id);
    EXPECT_TRUE(qm::decodeCounterOutput("[]").empty());
    const std::string noCandidates = replaced(kFile, R"(["C++","C"])", "[]");
    EXPECT_TRUE(
        qm::decodeCounterOutput("[" + language("C", noCandidates) + "]")[0]->files[0]->possibleLanguages.empty());
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
        for (const Way& way : everyWay()) {
            try {
                way.decode(text);
                ADD_FAILURE() << way.name() << " decoded: " << text;
            } catch (const kit::DecodingError& error) {
                EXPECT_EQ(error.codingPath(), path) << way.name() << ": " << error.what();
            }
        }
    }
}

TEST(CounterOutput, ReadsWithTheBestKernelTheProcessorRuns)
{
    const auto kernels = qm::runnableDecodingKernels();
    ASSERT_FALSE(kernels.empty());
    EXPECT_EQ(kernels.front(), qm::DecodingKernel::fallback); // runs anywhere
    EXPECT_EQ(qm::bestDecodingKernel(), kernels.back());
    EXPECT_TRUE(std::is_sorted(kernels.begin(), kernels.end()));
    for (auto kernel : {qm::DecodingKernel::fallback, qm::DecodingKernel::westmere, qm::DecodingKernel::haswell}) {
        if (qm::decodingKernelRuns(kernel)) {
            continue;
        }
        EXPECT_THROW(qm::decodeCounterOutput("[]", 0, kernel), std::invalid_argument) << qm::decodingKernelName(kernel);
    }
#if defined(__x86_64__)
    // A processor with AVX2 reads with the AVX2 kernel.
    if (__builtin_cpu_supports("avx2")) {
        EXPECT_EQ(qm::bestDecodingKernel(), qm::DecodingKernel::haswell);
    }
#endif
}

TEST(CounterOutput, UnusualButValidTextDecodesAsTheStrictRulesSay)
{
    const std::string name = R"("Name":"C++",)";
    const std::string rest =
        R"("Bytes":1,"CodeBytes":2,"Lines":3,"Code":4,"Comment":5,"Blank":6,"Complexity":7,"Count":8,"WeightedComplexity":9,"Files":[]})";
    struct Case {
        std::string text;
        std::string name;
        std::int64_t code;
    };
    for (const Case& c : std::vector<Case>{
             {"[{" + name + rest + "]", "C++", 4},
             {"\n [ {" + name + rest + " ] \t\r\n", "C++", 4},                                 // whitespace around
             {"[{" + replaced(name + rest, R"("Code":4)", R"("Code":4.0)") + "]", "C++", 4},   // an integral fraction
             {"[{" + replaced(name + rest, R"("Code":4)", R"("Code":4e2)") + "]", "C++", 400}, // an exponent
             {"[{" + replaced(name + rest, R"("Code":4)", R"("Code":-0)") + "]", "C++", 0},
             {"[{" + replaced(name + rest, R"("Code":4)", R"("Code":9223372036854775807)") + "]", "C++",
              9223372036854775807},
             {"[{" + replaced(name + rest, R"("Name")", R"("N\u0061me")") + "]", "C++", 4}, // an escaped key
             {"[{" + name + R"("Name":"Go",)" + rest + "]", "Go", 4}, // a repeated key: the last one counts
             {"[{" + rest.substr(0, rest.size() - 1) + "," + name.substr(0, name.size() - 1) + "}]", "C++",
              4}, // keys in another order
             {"[{" + name + R"("X":{"y":[true,false,null,"\u00e9",-1.5e-3,{}]},)" + rest + "]", "C++",
              4}, // unknown keys
             {"[{" + replaced(name + rest, R"("C++")", R"("\u0000\ud83d\ude00")") + "]",
              std::string("\0\xF0\x9F\x98\x80", 5), 4},
         }) {
        for (const Way& way : everyWay()) {
            const auto languages = way.decode(c.text);
            ASSERT_EQ(languages.size(), 1u) << way.name() << ": " << c.text;
            EXPECT_EQ(languages[0]->name, c.name) << way.name() << ": " << c.text;
            EXPECT_EQ(languages[0]->code, c.code) << way.name() << ": " << c.text;
        }
    }
}

// The records as JSON, fresh identities left out.
std::string recordsOf(const qm::LanguageList& languages)
{
    nlohmann::ordered_json json = nlohmann::ordered_json::array();
    for (const auto& language : languages)
        json.push_back(language->toJson());
    return json.dump();
}

TEST(CounterOutput, FileRecordsInUnusualPlacesDecodeAsTheStrictRulesSay)
{
    const std::string other = replaced(kFile, R"("Filename":"a.cpp")", R"("Filename":"{\"Language\":x")");
    const std::string nested = replaced(kFile, R"("EndPoint":18})", R"("EndPoint":18,"X":{"Language":"Go"}})");
    const std::string spaced =
        R"([ {"Name":"C","Bytes":1,"CodeBytes":2,"Lines":3,"Code":4,"Comment":5,"Blank":6,"Complexity":7,)"
        R"("Count":8,"WeightedComplexity":9,"Files":[ )" +
        kFile + " , " + kFile + " ]} ]\n";
    struct Case {
        std::string text;
        std::vector<std::size_t> files; // per language
    };
    for (const Case& c : std::vector<Case>{
             {"[" + language("C", kFile + "," + kFile) + "," + language("Go", "") + "," + language("Sh", kFile) + "]",
              {2, 0, 1}},
             {"[" + language("C", other) + "]", {1}},  // a name that reads like the start of a file record
             {"[" + language("C", nested) + "]", {1}}, // an unknown key holding what looks like a file record
             {spaced, {2}},
             {"[" + replaced(language("C", kFile), R"("Files")", R"("Fil\u0065s")") + "]", {1}},
             // Files in a key after "Files", and in a key whose raw text ends like it.
             {"[" + language("C", kFile, R"(,"X":[)" + kFile + "]") + "]", {1}},
             {"[" + language("C", "", R"(,"a\"Files":[)" + kFile + "]") + "]", {0}},
             {"[" + language("C", kFile) + "," + language("Go", kFile, R"(,"ULOC":1)") + "]\n\n", {1, 1}},
         }) {
        const std::string strict = recordsOf(kit::decodeJson<qm::LanguageList>(c.text));
        for (const Way& way : everyWay()) {
            const auto languages = way.decode(c.text);
            ASSERT_EQ(languages.size(), c.files.size()) << way.name() << ": " << c.text;
            for (std::size_t l = 0; l < languages.size(); ++l)
                EXPECT_EQ(languages[l]->files.size(), c.files[l]) << way.name() << ": " << c.text;
            EXPECT_EQ(recordsOf(languages), strict) << way.name() << ": " << c.text;
        }
    }
    EXPECT_EQ(qm::decodeCounterOutput("[" + language("C", other) + "]")[0]->files[0]->filename, R"({"Language":x)");
}

TEST(CounterOutput, MalformedTextFailsWithTheStrictRulesErrors)
{
    using Kind = kit::DecodingError::Kind;
    const std::string good = language("C++", kFile);
    struct Case {
        std::string text;
        Kind kind;
        std::string path;
    };
    for (const Case& c : std::vector<Case>{
             {"[" + good + "] [" + good + "]", Kind::dataCorrupted, ""}, // a second document after the first
             {"[" + good + "] x", Kind::dataCorrupted, ""},
             {"[" + good + ",]", Kind::dataCorrupted, ""},
             {"[" + replaced(good, R"("Name":"C++")", "\"Name\":\"a\x01b\"") + "]", Kind::dataCorrupted,
              ""}, // a raw control character
             {"[" + replaced(good, R"("Name":"C++")", R"("Name":"\ud800")") + "]", Kind::dataCorrupted,
              ""}, // half a surrogate pair
             {"[" + replaced(good, R"("Name":"C++")", "\"Name\":\"\xC3\x28\"") + "]", Kind::dataCorrupted,
              ""}, // not UTF-8
             {"[" + replaced(good, R"("Count":8)", R"("Count":8,"X":[tru])") + "]", Kind::dataCorrupted,
              ""}, // bad JSON in an unknown key
             {"[" + replaced(good, R"("Count":8)", R"("Count":9223372036854775808)") + "]", Kind::dataCorrupted,
              "[0].Count"},
             {"[" + replaced(good, R"("Count":8)", R"("Count":-9223372036854775809)") + "]", Kind::dataCorrupted,
              "[0].Count"},
             {"[" + replaced(good, R"("Count":8)", R"("Count":"8")") + "]", Kind::typeMismatch, "[0].Count"},
             {"[" + replaced(good, R"("Count":8)", R"("Count":null)") + "]", Kind::valueNotFound, "[0].Count"},
             {"[" + replaced(replaced(good, R"("Bytes":1,)", ""), R"("Lines":3,)", "") + "]", Kind::keyNotFound,
              "[0].Bytes"}, // the first missing key
             {"[" + replaced(good, R"("Binary":false)", R"("Binary":0)") + "]", Kind::typeMismatch,
              "[0].Files[0].Binary"},
             {"[" + replaced(good, R"(["C++","C"])", R"(["C++",1])") + "]", Kind::typeMismatch,
              "[0].Files[0].PossibleLanguages[1]"},
             {"[" + good + ",null]", Kind::valueNotFound, "[1]"},
             {"[" + language("C++", kFile + "," + kFile.substr(0, kFile.size() - 1)) + "]", Kind::dataCorrupted,
              ""}, // a file cut short
             {"[" + language("C++", kFile + ",," + kFile) + "]", Kind::dataCorrupted, ""},
             {"[" + language("C++", kFile + "," + kFile) + "}]", Kind::dataCorrupted, ""},
             {"[" + language("C++", kFile), Kind::dataCorrupted, ""}, // the list never ends
             {"[[]]", Kind::typeMismatch, "[0]"},
         }) {
        for (const Way& way : everyWay()) {
            try {
                way.decode(c.text);
                ADD_FAILURE() << way.name() << " decoded: " << c.text;
            } catch (const kit::DecodingError& error) {
                EXPECT_EQ(error.kind(), c.kind) << way.name() << ": " << error.what();
                EXPECT_EQ(error.codingPath(), c.path) << way.name() << ": " << error.what();
            }
        }
    }
}

TEST(CounterOutput, ANumberBeyondSixtyFourBitsIsReportedAsTheOutputWroteIt)
{
    const std::string good = language("C++", kFile);
    struct Case {
        std::string text, path, number;
    };
    for (const Case& c : std::vector<Case>{
             {"[" + replaced(good, R"("Count":8)", R"("Count":123456789012345678901234567890)") + "]", "[0].Count",
              "123456789012345678901234567890"},
             {"[" + replaced(good, R"("Code":13)", R"("Code":1e30)") + "]", "[0].Files[0].Code", "1e30"},
             {"[" + replaced(good, R"("Blank":15)", R"("Blank":-99999999999999999999)") + "]", "[0].Files[0].Blank",
              "-99999999999999999999"},
             {"[" + replaced(good, R"("Bytes":11)", R"("Bytes":11.50)") + "]", "[0].Files[0].Bytes", "11.50"},
         }) {
        for (const Way& way : everyWay()) {
            try {
                way.decode(c.text);
                ADD_FAILURE() << way.name() << " decoded: " << c.text;
            } catch (const kit::DecodingError& error) {
                EXPECT_EQ(error.kind(), kit::DecodingError::Kind::dataCorrupted) << way.name();
                EXPECT_EQ(error.codingPath(), c.path) << way.name();
                EXPECT_EQ(error.debugDescription(), "Parsed JSON number <" + c.number + "> does not fit in Int64.")
                    << way.name();
            }
        }
    }
}

// The output of a large tree: `languages` languages of `files` files each,
// file i of a language named "<language>-<i>" with i lines of code.
std::string largeOutput(int languages, int files)
{
    std::string text = "[";
    for (int l = 0; l < languages; ++l) {
        std::string records;
        for (int i = 0; i < files; ++i) {
            std::string file = replaced(kFile, R"("Filename":"a.cpp")",
                                        R"("Filename":")" + std::to_string(l) + "-" + std::to_string(i) + "\"");
            records += (i ? "," : "") + replaced(file, R"("Code":13)", R"("Code":)" + std::to_string(i));
        }
        text += (l ? "," : "") + language("L" + std::to_string(l), records);
    }
    return text + "]";
}

TEST(CounterOutput, ManyFilesKeepTheirOrderAndOneBadRecordAmongThemFailsTheWholeList)
{
    // Enough records that they are read on several threads.
    constexpr int languages = 2, files = 4500;
    const std::string text = largeOutput(languages, files);
    for (const Way& way : everyWay()) {
        SCOPED_TRACE(way.name());
        const auto decoded = way.decode(text);
        ASSERT_EQ(decoded.size(), std::size_t(languages));
        std::set<kit::UUID> ids;
        for (int l = 0; l < languages; ++l) {
            ASSERT_EQ(decoded[l]->files.size(), std::size_t(files));
            for (int i = 0; i < files; ++i) {
                const auto& file = decoded[l]->files[i];
                ASSERT_TRUE(file);
                EXPECT_EQ(file->filename, std::to_string(l) + "-" + std::to_string(i));
                EXPECT_EQ(file->code, i);
                ids.insert(file->id);
            }
        }
        EXPECT_EQ(ids.size(), std::size_t(languages * files));
    }

    using Kind = kit::DecodingError::Kind;
    struct Case {
        std::string part, by;
        Kind kind;
        std::string path;
    };
    for (
        const Case& c : std::vector<Case>{
            {R"("Filename":"1-4000","Extension":"cpp","Location":"/src/a.cpp","Symlocation":"/l/a.cpp","Bytes":11,"Lines":12,"Code":4000)",
             R"("Filename":"1-4000","Extension":"cpp","Location":"/src/a.cpp","Symlocation":"/l/a.cpp","Bytes":11,"Lines":12,"Code":"4000")",
             Kind::typeMismatch, "[1].Files[4000].Code"},
            {R"("Filename":"1-4499","Extension":"cpp")", R"("Filename":null,"Extension":"cpp")", Kind::valueNotFound,
             "[1].Files[4499].Filename"},
            {R"("Filename":"0-3")", R"("Filename":"0-3","X":[tru])", Kind::dataCorrupted, ""},
        }) {
        for (const Way& way : everyWay()) {
            try {
                way.decode(replaced(text, c.part, c.by));
                ADD_FAILURE() << way.name() << " decoded with " << c.by;
            } catch (const kit::DecodingError& error) {
                EXPECT_EQ(error.kind(), c.kind) << way.name() << ": " << error.what();
                EXPECT_EQ(error.codingPath(), c.path) << way.name() << ": " << error.what();
            }
        }
    }
    // A file that is not a record.
    const std::string notARecord = replaced(text, R"(]},{"Name":"L1")", R"(,7]},{"Name":"L1")");
    for (const Way& way : everyWay()) {
        try {
            way.decode(notARecord);
            ADD_FAILURE() << way.name() << " decoded a number as a file";
        } catch (const kit::DecodingError& error) {
            EXPECT_EQ(error.codingPath(), "[0].Files[4500]") << way.name() << ": " << error.what();
        }
    }
}

// Text given up as it is read is never read again: here every part the
// reader says it is done with is wiped at once, as giving its memory back
// does. Nothing is given up of a text that is not taken whole, so the strict
// decoder still reads all of it, nor of a text the reader copied first.
TEST(CounterOutput, TextGivenUpWhileReadingIsNeverReadAgain)
{
    constexpr int languages = 2, files = 4500;
    const std::string text = largeOutput(languages, files);
    const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    for (qm::DecodingKernel kernel : qm::runnableDecodingKernels()) {
        SCOPED_TRACE(qm::decodingKernelName(kernel));
        std::string buffer = text;
        buffer.reserve(text.size() + qm::counterOutputPadding);
        std::mutex mutex;
        std::vector<std::pair<std::size_t, std::size_t>> given;
        const qm::DoneWithText wipe = [&](std::size_t offset, std::size_t length) {
            std::memset(buffer.data() + offset, 0, length);
            std::lock_guard lock(mutex);
            given.emplace_back(offset, length);
        };
        const auto decoded = qm::decodeCounterOutput(buffer, buffer.capacity(), kernel, wipe);
        ASSERT_EQ(decoded.size(), std::size_t(languages));
        for (int l = 0; l < languages; ++l) {
            ASSERT_EQ(decoded[l]->files.size(), std::size_t(files));
            for (int i = 0; i < files; ++i) {
                EXPECT_EQ(decoded[l]->files[i]->filename, std::to_string(l) + "-" + std::to_string(i));
                EXPECT_EQ(decoded[l]->files[i]->code, i);
            }
        }
        // Whole pages of the text, each told once: 9,000 records in batches of
        // 1,024 keep at most two pages and a little at each batch's seams, so
        // nearly all of a text of about 3 MB is given up.
        std::sort(given.begin(), given.end());
        std::size_t total = 0, end = 0;
        for (const auto& [offset, length] : given) {
            EXPECT_EQ((reinterpret_cast<std::uintptr_t>(buffer.data()) + offset) % page, 0u);
            EXPECT_EQ(length % page, 0u);
            EXPECT_GE(offset, end);
            end = offset + length;
            total += length;
        }
        EXPECT_LE(end, text.size());
        EXPECT_GT(total, text.size() * 9 / 10);

        // One bad record among them, the last but one: the whole text goes to
        // the strict decoder, with nothing given up.
        std::string bad = replaced(text, R"("Filename":"1-4498","Extension":"cpp")",
                                   R"("Filename":null,"Extension":"cpp")");
        bad.reserve(bad.size() + qm::counterOutputPadding);
        bool told = false;
        const qm::DoneWithText tell = [&told](std::size_t, std::size_t) { told = true; };
        try {
            qm::decodeCounterOutput(bad, bad.capacity(), kernel, tell);
            ADD_FAILURE() << "decoded a null file name";
        } catch (const kit::DecodingError& error) {
            EXPECT_EQ(error.codingPath(), "[1].Files[4498].Filename") << error.what();
        }
        EXPECT_FALSE(told);
        // Copied first (no room after the text), or too small to be cut.
        EXPECT_EQ(qm::decodeCounterOutput(text, 0, kernel, tell).size(), std::size_t(languages));
        std::string small = "[" + language("C++", "") + "]";
        small.reserve(small.size() + qm::counterOutputPadding);
        EXPECT_EQ(qm::decodeCounterOutput(small, small.capacity(), kernel, tell).size(), 1u);
        EXPECT_FALSE(told);
    }
}

TEST(CounterOutput, RecordIdentitiesAreRandomVersion4Uuids)
{
    std::set<kit::UUID> seen;
    for (int i = 0; i < 10000; ++i) {
        const kit::UUID id = qm::freshId();
        EXPECT_EQ(id.bytes()[6] >> 4, 4);    // version 4
        EXPECT_EQ(id.bytes()[8] >> 6, 0b10); // variant 1
        EXPECT_TRUE(seen.insert(id).second);
    }
}

TEST(CounterOutput, EncodesTheSameKeysInOrderWithoutIdentity)
{
    const std::string text = "[" + language("C++", kFile) + "]";
    EXPECT_EQ(qm::decodeCounterOutput(text)[0]->toJson().dump(), nlohmann::ordered_json::parse(text)[0].dump());
}

} // namespace
