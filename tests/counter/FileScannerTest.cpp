// The file scanner's read loop: whatever its buffer's size, a file gets the figures its
// whole text gets.

#include "CountCases.h"
#include "Fixture.h"

#include "counter/Classifier.h"
#include "counter/FileScanner.h"
#include "counter/lang/Language.h"

#include <gtest/gtest.h>

using namespace qm::counter;
using namespace qm::counter::test;

TEST(FileScanner, GivesTheSameFiguresWhereverItsReadsEnd)
{
    const Classifier classifier;
    std::vector<Syntax> syntaxes;
    for (const auto& l : languages())
        syntaxes.emplace_back(l);
    const Options options;
    TempTree tree;
    for (const auto& c : hostileCases) {
        SCOPED_TRACE(c.why);
        const Language& language = languages()[static_cast<std::size_t>(languageIndex(c.language))];
        const std::string name = "sample." + language.extensions.front();
        tree.write(name, c.text);
        for (std::size_t size = Syntax::lookahead + 1; size <= c.text.size() + 1; ++size) {
            FileScanner scanner(classifier, syntaxes, options, size);
            std::string warning;
            const auto record = scanner.scan(AT_FDCWD, tree.path(name).c_str(), name, name, {}, false, warning);
            ASSERT_TRUE(record) << warning;
            const Counts& got = record->counts;
            if ((std::vector<std::uint64_t>{got.lines, got.code, got.comment, got.blank, got.complexity}) !=
                (std::vector<std::uint64_t>{c.expected.lines, c.expected.code, c.expected.comment, c.expected.blank,
                                            c.expected.complexity})) {
                ADD_FAILURE() << c.language << " through a buffer of " << size << " bytes: " << got.lines << " lines, "
                              << got.code << " code, " << got.comment << " comment, " << got.blank << " blank";
                break;
            }
        }
    }
}

namespace {

// Makes `rel` hold `text` and then nothing up to `size` bytes: a hole, which the file system
// does not store and which reads as NUL bytes.
void writeSparse(const TempTree& tree, const std::string& rel, const std::string& text, std::uint64_t size)
{
    tree.write(rel, text);
    ASSERT_EQ(::truncate(tree.path(rel).c_str(), static_cast<off_t>(size)), 0);
}

} // namespace

TEST(FileScanner, ReadsABinaryFileNoFurtherThanItsFirstBytes)
{
    const Classifier classifier;
    std::vector<Syntax> syntaxes;
    for (const auto& l : languages())
        syntaxes.emplace_back(l);
    TempTree tree;
    const std::uint64_t buffer = FileScanner::defaultBufferSize;
    const std::string code(10000, '\n'); // past the bytes looked at for a NUL
    std::string binary(std::size_t{1} << 20, 'x');
    binary[100] = '\0';
    tree.write("binary.c", binary);
    writeSparse(tree, "hole-at-start.c", "", std::uint64_t{64} << 30);
    writeSparse(tree, "code-then-hole.c", code, std::uint64_t{64} << 30);
    tree.write("text.c", code + code + code); // read whole, as any text
    struct Case {
        const char* name;
        std::uint64_t size;
        bool binary;
        std::uint64_t read; // at most
    };
    for (const bool duplicates : {false, true}) {
        Options options;
        options.skipDuplicates = duplicates;
        for (const Case& c :
             {Case{"binary.c", std::uint64_t{1} << 20, true, buffer},
              Case{"hole-at-start.c", std::uint64_t{64} << 30, true, buffer},
              Case{"code-then-hole.c", std::uint64_t{64} << 30, true, buffer}, Case{"text.c", 30000, false, 30000}}) {
            FileScanner scanner(classifier, syntaxes, options);
            std::string warning;
            const auto record = scanner.scan(AT_FDCWD, tree.path(c.name).c_str(), c.name, c.name, {}, false, warning);
            ASSERT_TRUE(record) << c.name << ": " << warning;
            EXPECT_EQ(record->bytes, c.size) << c.name;
            EXPECT_EQ(record->binary, c.binary) << c.name;
            EXPECT_EQ(record->counts.lines, c.binary ? 0u : 30000u) << c.name;
            EXPECT_LE(scanner.bytesRead(), c.read) << c.name << (duplicates ? " with --no-duplicates" : "");
        }
    }
}
