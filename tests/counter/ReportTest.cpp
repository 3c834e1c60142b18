// The summary of many files: totals per language, and files in the order of the sort key,
// whether they are sorted on one core or in slices on many.

#include "Fixture.h"
#include "counter/report/Summary.h"

#include "counter/Classifier.h"
#include "counter/lang/Language.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <tuple>
#include <vector>

using namespace qm::counter;
using namespace qm::counter::test;

TEST(Report, OrdersManyFilesByTheSortKeyThenLocationOnAnyNumberOfThreads)
{
    // Enough files to be sorted in slices; few distinct figures, so that most ties fall to
    // the location.
    const int c = languageIndex("C");
    const int header = languageIndex("C Header");
    std::mt19937 random(5);
    const std::size_t count = 12000;
    std::vector<std::string> locations;
    for (std::size_t i = 0; i < count; ++i)
        locations.push_back("./src/" + std::to_string(std::uniform_int_distribution<int>(0, 1 << 30)(random)) + ".c");
    std::vector<FileRecord> records(count);
    for (std::size_t i = 0; i < count; ++i) {
        FileRecord& f = records[i];
        f.language = i % 3 == 0 ? header : c;
        f.location = locations[i];
        f.counts.code = static_cast<std::uint64_t>(std::uniform_int_distribution<int>(0, 40)(random));
        f.counts.lines = f.counts.code + 2;
        f.bytes = 10 * f.counts.lines;
    }
    std::vector<const FileRecord*> files;
    for (const auto& f : records)
        files.push_back(&f);

    // Expected by the rule: descending code, ties by location; totals are plain sums.
    const auto expected = [&](int language) {
        std::vector<const FileRecord*> mine;
        for (const auto* f : files)
            if (f->language == language)
                mine.push_back(f);
        std::sort(mine.begin(), mine.end(), [](const FileRecord* a, const FileRecord* b) {
            return std::make_tuple(b->counts.code, a->location) < std::make_tuple(a->counts.code, b->location);
        });
        return mine;
    };
    const auto cFiles = expected(c);
    const auto headerFiles = expected(header);
    std::uint64_t cCode = 0;
    for (const auto* f : cFiles)
        cCode += f->counts.code;

    for (const unsigned threads : {1u, 3u, 8u}) {
        SCOPED_TRACE(threads);
        Options options;
        options.sort = SortKey::Code;
        options.threads = threads;
        std::shuffle(files.begin(), files.end(), random);
        const auto report = summarize(files, options);
        ASSERT_EQ(report.size(), 2u);
        EXPECT_EQ(report[0].language, c); // more code
        EXPECT_EQ(report[0].files, cFiles.size());
        EXPECT_EQ(report[0].counts.code, cCode);
        EXPECT_EQ(report[0].fileRecords, cFiles);
        EXPECT_EQ(report[1].fileRecords, headerFiles);
    }
}

TEST(Report, LeavesOutByteIdenticalFilesButTheFirstByLocation)
{
    // Two 16-byte files that a weak hash of eight bytes at a time ((h ^ word) * K, then
    // h ^= h >> 29) cannot tell apart: the second word is chosen to undo the first.
    const auto mix = [](std::uint64_t h, std::uint64_t word) {
        h = (h ^ word) * 0x9e3779b97f4a7c15ULL;
        return h ^ (h >> 29);
    };
    const auto colliding = [&mix](const char* first) {
        std::uint64_t word = 0;
        std::memcpy(&word, first, 8);
        const std::uint64_t second = mix(0xcbf29ce484222325ULL, word) ^ 0x5555aaaa5555aaaaULL;
        return std::string(first, 8) + std::string(reinterpret_cast<const char*>(&second), 8);
    };
    std::string binary(300000, 'b'); // read only in part when counted
    binary[3] = '\0';
    std::string otherEnd = binary;
    otherEnd.back() = 'e';
    struct File {
        std::string name;
        std::string content;
    };
    struct Case {
        const char* why;
        std::vector<File> files;
        std::vector<std::string> kept;
    };
    const std::vector<Case> cases{
        {"one file", {{"a.c", "x"}}, {"a.c"}},
        {"two the same", {{"b.c", "same\n"}, {"a.c", "same\n"}}, {"a.c"}},
        {"the same size, other bytes", {{"a.c", "one\n"}, {"b.c", "two\n"}}, {"a.c", "b.c"}},
        {"one a prefix of the other", {{"a.c", "int\n"}, {"b.c", "int\nint\n"}}, {"a.c", "b.c"}},
        {"empty files are all the same", {{"z.c", ""}, {"y.c", ""}, {"x/w.c", ""}}, {"x/w.c"}},
        {"two groups", {{"d.c", "1"}, {"c.c", "2"}, {"b.c", "1"}, {"a.c", "2"}, {"e.c", "3"}}, {"a.c", "b.c", "e.c"}},
        {"a deeper file first by location", {{"z.c", "q"}, {"a/b/c/d.c", "q"}}, {"a/b/c/d.c"}},
        {"alike for a weak hash", {{"a.c", colliding("aaaaaaaa")}, {"b.c", colliding("bbbbbbbb")}}, {"a.c", "b.c"}},
        {"binary files alike", {{"a.ts", binary}, {"b.ts", binary}}, {"a.ts"}},
        {"binary files alike in their first bytes only", {{"a.ts", binary}, {"b.ts", otherEnd}}, {"a.ts", "b.ts"}},
    };
    const Classifier classifier;
    std::vector<Syntax> syntaxes;
    for (const auto& l : languages())
        syntaxes.emplace_back(l);
    Options options;
    options.skipDuplicates = true;
    for (const auto& k : cases) {
        TempTree tree;
        WalkResult walked;
        walked.parts.resize(2);                             // files found by two threads
        std::vector<std::unique_ptr<FileScanner>> scanners; // where the records' texts lie
        for (std::size_t i = 0; i < k.files.size(); ++i) {
            tree.write(k.files[i].name, k.files[i].content);
            scanners.push_back(std::make_unique<FileScanner>(classifier, syntaxes, options));
            std::string warning;
            const std::string path = tree.path(k.files[i].name);
            const auto record = scanners.back()->scan(AT_FDCWD, path.c_str(), path, k.files[i].name, {}, false,
                                                      warning);
            ASSERT_TRUE(record) << k.files[i].name << ": " << warning;
            walked.parts[i % 2].files.push_back(*record);
        }
        std::vector<std::string> kept;
        for (const FileRecord* f : filterFiles(walked, options))
            kept.emplace_back(f->location.substr(tree.root().size() + 1));
        std::sort(kept.begin(), kept.end());
        EXPECT_EQ(kept, k.kept) << k.why;
    }
}

TEST(Report, CountsAFileReachedByManyNamesUnderOneOfThem)
{
    const int c = languageIndex("C");
    struct Name {
        std::string location;
        std::uint64_t device, inode;
        bool viaLink, hardLinked;
    };
    struct Case {
        const char* why;
        std::vector<Name> names;
        std::vector<std::string> kept;
    };
    const std::vector<Case> cases{
        {"hard links: the first by location", {{"./b.c", 1, 5, false, true}, {"./a.c", 1, 5, false, true}}, {"./a.c"}},
        {"a link and the file: the file's own name",
         {{"./a.c", 1, 7, true, false}, {"./z.c", 1, 7, false, false}},
         {"./z.c"}},
        {"links alone: the first", {{"./l2.c", 1, 9, true, false}, {"./l1.c", 1, 9, true, false}}, {"./l1.c"}},
        {"the same inode on two devices",
         {{"./x.c", 1, 3, false, true}, {"./y.c", 2, 3, false, true}},
         {"./x.c", "./y.c"}},
        {"a link, hard links and the rest",
         {{"./q.c", 1, 2, false, true},
          {"./m.c", 1, 2, true, false},
          {"./p.c", 1, 2, false, true},
          {"./other.c", 1, 8, false, false}},
         {"./other.c", "./p.c"}},
    };
    for (const auto& k : cases) {
        WalkResult walked;
        walked.parts.resize(2);
        for (std::size_t i = 0; i < k.names.size(); ++i) {
            FileRecord f;
            f.language = c;
            f.location = k.names[i].location;
            f.device = k.names[i].device;
            f.inode = k.names[i].inode;
            f.viaLink = k.names[i].viaLink;
            f.hardLinked = k.names[i].hardLinked;
            walked.parts[i % 2].files.push_back(f);
        }
        std::vector<std::string> kept;
        for (const FileRecord* f : filterFiles(walked, Options{}))
            kept.emplace_back(f->location);
        std::sort(kept.begin(), kept.end());
        EXPECT_EQ(kept, k.kept) << k.why;
    }
}
