// The file scanner's read loop: whatever its buffer's size, a file gets the figures its
// whole text gets.

#include "CountCases.h"
#include "Fixture.h"

#include "counter/Classifier.h"
#include "counter/FileScanner.h"
#include "counter/Language.h"

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
