#include "counter/IgnoreRules.h"

#include <gtest/gtest.h>

using namespace qm::counter;

TEST(IgnoreRules, GlobsStayWithinOnePathComponent)
{
    EXPECT_TRUE(globMatch("*.o", "main.o"));
    EXPECT_FALSE(globMatch("*.o", "main.c"));
    EXPECT_FALSE(globMatch("*.o", "dir/main.o"));
    EXPECT_TRUE(globMatch("a?c", "abc"));
    EXPECT_FALSE(globMatch("a?c", "a/c"));
    EXPECT_TRUE(globMatch("*.[ch]", "x.h"));
    EXPECT_FALSE(globMatch("*.[ch]", "x.o"));
    EXPECT_TRUE(globMatch("file[!0-9]", "filex"));
    EXPECT_FALSE(globMatch("file[!0-9]", "file7"));
    EXPECT_TRUE(globMatch("\\#*#", "#autosave#"));
    EXPECT_TRUE(globMatch("\\!important", "!important"));
    EXPECT_TRUE(globMatch("a[b", "a[b"));  // an unclosed bracket is a plain character
}

TEST(IgnoreRules, DoubleStarsSpanFolders)
{
    EXPECT_TRUE(globMatch("**/build", "build"));
    EXPECT_TRUE(globMatch("**/build", "a/b/build"));
    EXPECT_TRUE(globMatch("logs/**", "logs/a/b.txt"));
    EXPECT_FALSE(globMatch("logs/**", "logs"));
    EXPECT_TRUE(globMatch("a/**/b", "a/b"));
    EXPECT_TRUE(globMatch("a/**/b", "a/x/y/b"));
    EXPECT_FALSE(globMatch("a/**/b", "a/x/y/c"));
    EXPECT_TRUE(globMatch("a**b", "axxb"));  // not a whole component: one "*"
    EXPECT_FALSE(globMatch("a**b", "ax/xb"));
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
