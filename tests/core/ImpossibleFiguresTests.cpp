// The figures of a large count, checked side by side in runs of files: a broken rule is
// named as a check in order names it, whichever run it is in, and across runs.

#include "core/ImpossibleFigures.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace {

constexpr std::int64_t kTwoToThe60 = std::int64_t{1} << 60;

// A language of `files` files f0, f1, ... of 4 lines each (2 code, 1 comment,
// 1 blank) in 40 bytes, with its figures their sums.
std::shared_ptr<qm::LanguageEntry> language(const std::string& name, int files)
{
    auto entry = std::make_shared<qm::LanguageEntry>();
    entry->name = name;
    for (int i = 0; i < files; ++i) {
        auto file = std::make_shared<qm::FileEntry>();
        file->filename = "f" + std::to_string(i);
        file->bytes = 40;
        file->lines = 4;
        file->code = 2;
        file->comment = 1;
        file->blank = 1;
        entry->files.push_back(file);
    }
    entry->count = files;
    entry->bytes = 40 * std::int64_t{files};
    entry->lines = 4 * std::int64_t{files};
    entry->code = 2 * std::int64_t{files};
    entry->comment = entry->blank = files;
    return entry;
}

// 10,000 C files (more than two runs of 4,096) and 5,000 Go files.
qm::LanguageList count()
{
    return {language("C", 10000), language("Go", 5000)};
}

TEST(ImpossibleFigures, ALargeCountWithinTheRulesPasses)
{
    EXPECT_EQ(qm::impossibleFigures(count()), std::nullopt);
    EXPECT_EQ(qm::impossibleFigures({}), std::nullopt);
    EXPECT_EQ(qm::impossibleFigures({language("Empty", 0)}), std::nullopt);
}

TEST(ImpossibleFigures, TheFirstBrokenRuleInOrderIsNamedWhicheverRunItIsIn)
{
    {
        // In the third run of C, and in Go: C's comes first.
        auto languages = count();
        languages[0]->files[9000]->lines = 5;
        languages[1]->files[10]->code = -1;
        EXPECT_EQ(qm::impossibleFigures(languages),
                  R"(C, f9000: "Lines" is 5, not the sum of "Code", "Comment" and "Blank")");
    }
    {
        // In the first and the second run: the first run's.
        auto languages = count();
        languages[0]->files[100]->comment = -1;
        languages[0]->files[5000]->bytes = 3;
        EXPECT_EQ(qm::impossibleFigures(languages), R"(C, f100: "Comment" is -1)");
    }
    {
        // Only in the second run: 4 lines in 3 bytes.
        auto languages = count();
        languages[0]->files[5000]->bytes = 3;
        languages[0]->bytes -= 37;
        EXPECT_EQ(qm::impossibleFigures(languages), R"(C, f5000: "Lines" is 4, more than its "Bytes", 3)");
    }
    {
        // The language's own figures: 20,000 lines of code, 10,000 files.
        auto languages = count();
        languages[0]->code = 19999;
        EXPECT_EQ(qm::impossibleFigures(languages), R"(C: "Code" is 19999, not the sum of its files', 20000)");
        languages[0]->code = 20000;
        languages[1]->count = 4999;
        EXPECT_EQ(qm::impossibleFigures(languages), R"(Go: "Count" is 4999, not its number of files, 5000)");
    }
}

TEST(ImpossibleFigures, SumsBeyondSixtyFourBitsAreNamedAcrossRuns)
{
    {
        // Four files of 2^61 bytes, one in each of three runs and a fourth in the
        // third: 2^63 bytes, one more than 64 bits hold.
        auto languages = count();
        for (int i : {0, 4096, 8192, 9000})
            languages[0]->files[i]->bytes = 2 * kTwoToThe60;
        languages[0]->bytes = INT64_MAX;
        EXPECT_EQ(qm::impossibleFigures(languages), "C: its files' figures add up to more than 64 bits hold");
    }
    {
        // Two languages of 5 * 2^60 bytes each: the project's 10 * 2^60 is beyond 2^63 - 1.
        qm::LanguageList languages{language("A", 1), language("B", 1)};
        for (const auto& entry : languages)
            entry->bytes = entry->files[0]->bytes = 5 * kTwoToThe60;
        EXPECT_EQ(qm::impossibleFigures(languages), "the project's totals add up to more than 64 bits hold");
    }
}

} // namespace
