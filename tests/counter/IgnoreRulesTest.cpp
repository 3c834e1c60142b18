#include "counter/IgnoreRules.h"

#include <gtest/gtest.h>

using namespace qm::counter;

TEST(IgnoreRules, GlobsStayWithinOnePathComponentUnlessDoubleStarred)
{
    struct Case {
        const char* pattern;
        const char* path;
        bool matches;
    };
    for (const Case& c : std::vector<Case>{
             {"*.o", "main.o", true}, {"*.o", "main.c", false}, {"*.o", "dir/main.o", false},
             {"a?c", "abc", true}, {"a?c", "a/c", false}, {"*.[ch]", "x.h", true}, {"*.[ch]", "x.o", false},
             {"file[!0-9]", "filex", true}, {"file[!0-9]", "file7", false}, {"\\#*#", "#autosave#", true},
             {"\\!important", "!important", true}, {"a[b", "a[b", true}, // an unclosed bracket is a plain character
             {"**/build", "build", true}, {"**/build", "a/b/build", true}, {"logs/**", "logs/a/b.txt", true},
             {"logs/**", "logs", false}, {"a/**/b", "a/b", true}, {"a/**/b", "a/x/y/b", true}, {"a/**/b", "a/x/y/c", false},
             {"a**b", "axxb", true}, {"a**b", "ax/xb", false}, // not a whole component: one "*"
         })
        EXPECT_EQ(globMatch(c.pattern, c.path), c.matches) << c.pattern << " " << c.path;
}

TEST(IgnoreRules, ParsesIgnoreFilesAsGitDoes)
{
    const auto patterns = parseIgnoreFile("# comment\n\n*.o\n!keep.o\nbuild/\n/top.txt\ndoc/*.html\ntrailing   \nesc\\ \r\n");
    ASSERT_EQ(patterns.size(), 7u);
    EXPECT_EQ(patterns[0].glob, "*.o");
    EXPECT_FALSE(patterns[0].anchored);
    EXPECT_TRUE(patterns[1].negated);
    EXPECT_EQ(patterns[1].glob, "keep.o");
    EXPECT_TRUE(patterns[2].directoryOnly);
    EXPECT_EQ(patterns[2].glob, "build");
    EXPECT_FALSE(patterns[2].anchored);
    EXPECT_TRUE(patterns[3].anchored);
    EXPECT_EQ(patterns[3].glob, "top.txt");
    EXPECT_TRUE(patterns[4].anchored);
    EXPECT_EQ(patterns[5].glob, "trailing");
    EXPECT_EQ(patterns[6].glob, "esc\\ ");
    EXPECT_TRUE(globMatch(patterns[6].glob, "esc "));
}

TEST(IgnoreRules, DeepestFileAndLastPatternDecide)
{
    auto root = IgnoreRules::forFolder(nullptr, "", parseIgnoreFile("*.log\n!important.log\nout/\n/only-top.c\n"));
    auto sub = IgnoreRules::forFolder(root, "src/", parseIgnoreFile("!debug.log\ngen/*.c\n"));

    EXPECT_TRUE(IgnoreRules::ignored(root.get(), "a.log", false));
    EXPECT_TRUE(IgnoreRules::ignored(root.get(), "deep/er/a.log", false));
    EXPECT_FALSE(IgnoreRules::ignored(root.get(), "important.log", false));
    EXPECT_TRUE(IgnoreRules::ignored(root.get(), "out", true));
    EXPECT_FALSE(IgnoreRules::ignored(root.get(), "out", false));  // "out/" names folders only
    EXPECT_TRUE(IgnoreRules::ignored(root.get(), "only-top.c", false));
    EXPECT_FALSE(IgnoreRules::ignored(root.get(), "src/only-top.c", false));  // anchored to its folder

    EXPECT_FALSE(IgnoreRules::ignored(sub.get(), "src/debug.log", false));  // re-included below
    EXPECT_TRUE(IgnoreRules::ignored(sub.get(), "src/other.log", false));
    EXPECT_TRUE(IgnoreRules::ignored(sub.get(), "src/gen/x.c", false));
    EXPECT_FALSE(IgnoreRules::ignored(sub.get(), "src/gen/deeper/x.c", false));
    EXPECT_FALSE(IgnoreRules::ignored(sub.get(), "gen/x.c", false));  // outside the sub folder

    // Rules of a repository folder above the walk root see paths from their own folder.
    auto above = IgnoreRules::forAncestor(nullptr, "project/", parseIgnoreFile("/project/skip.c\n"));
    EXPECT_TRUE(IgnoreRules::ignored(above.get(), "skip.c", false));
    EXPECT_FALSE(IgnoreRules::ignored(above.get(), "sub/skip.c", false));
}
