// Which folders are git work trees whose ignore files count: as git judges them, a ".git"
// that is no repository makes none, and neither does a repository of another user's.

#include "Fixture.h"

#include "counter/walk/Repository.h"

#include <gtest/gtest.h>

#include <functional>

using namespace qm::counter;
using namespace qm::counter::test;

namespace {

using Kind = GitFolder::Kind;

GitFolder judge(const TempTree& t, const std::string& folder, uid_t user = ::geteuid())
{
    const int fd = ::open(t.path(folder).c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    EXPECT_GE(fd, 0) << folder;
    const GitFolder git = gitFolderOf(fd, user);
    ::close(fd);
    return git;
}

const char* nameOf(Kind kind)
{
    return kind == Kind::None ? "none" : kind == Kind::Refused ? "refused" : "work tree";
}

} // namespace

TEST(Repository, IsAWorkTreeOnlyWhereGitFindsARepository)
{
    struct Case {
        const char* why;
        std::function<void(const TempTree&)> make; // in the folder "w"
        Kind kind;
        std::string excludeFile;
    };
    const std::vector<Case> cases{
        {"no .git", [](const TempTree& t) { t.folder("w"); }, Kind::None, ""},
        {"an empty .git folder", [](const TempTree& t) { t.folder("w/.git"); }, Kind::None, ""},
        {"HEAD alone", [](const TempTree& t) { t.write("w/.git/HEAD", "ref: refs/heads/main\n"); }, Kind::None, ""},
        {"no objects",
         [](const TempTree& t) {
             t.write("w/.git/HEAD", "ref: refs/heads/main\n");
             t.folder("w/.git/refs");
         },
         Kind::None, ""},
        {"a HEAD git does not read",
         [](const TempTree& t) {
             makeRepository(t, "w");
             t.write("w/.git/HEAD", "main\n");
         },
         Kind::None, ""},
        {"a HEAD naming no ref",
         [](const TempTree& t) {
             makeRepository(t, "w");
             t.write("w/.git/HEAD", "ref: heads/main\n");
         },
         Kind::None, ""},
        {"a repository", [](const TempTree& t) { makeRepository(t, "w"); }, Kind::WorkTree, ".git/info/exclude"},
        {"a detached HEAD",
         [](const TempTree& t) {
             makeRepository(t, "w");
             t.write("w/.git/HEAD", std::string(40, 'a') + "\n");
         },
         Kind::WorkTree, ".git/info/exclude"},
        {"HEAD a link into refs",
         [](const TempTree& t) {
             makeRepository(t, "w");
             std::filesystem::remove(t.path("w/.git/HEAD"));
             t.link("refs/heads/main", "w/.git/HEAD");
         },
         Kind::WorkTree, ".git/info/exclude"},
        {"an empty .git file", [](const TempTree& t) { t.write("w/.git", ""); }, Kind::Refused, ""},
        {"a .git file naming nothing", [](const TempTree& t) { t.write("w/.git", "gitdir: ../gone\n"); }, Kind::Refused,
         ""},
        {"a .git file naming a folder that is no repository",
         [](const TempTree& t) {
             t.folder("plain");
             t.write("w/.git", "gitdir: ../plain\n");
         },
         Kind::Refused, ""},
        {"a .git file naming a repository",
         [](const TempTree& t) {
             makeRepository(t, "main");
             t.write("w/.git", "gitdir: ../main/.git\n");
         },
         Kind::WorkTree, "../main/.git/info/exclude"},
        {"a linked work tree",
         [](const TempTree& t) {
             makeRepository(t, "main");
             t.write("main/.git/worktrees/w/HEAD", "ref: refs/heads/w\n");
             t.write("main/.git/worktrees/w/commondir", "../..\n");
             t.write("w/.git", "gitdir: ../main/.git/worktrees/w\n");
         },
         Kind::WorkTree, "../main/.git/worktrees/w/../../info/exclude"},
        {".git a link to a repository",
         [](const TempTree& t) {
             makeRepository(t, "main");
             t.folder("w");
             t.link("../main/.git", "w/.git");
         },
         Kind::WorkTree, ".git/info/exclude"},
    };
    for (const auto& c : cases) {
        TempTree t;
        c.make(t);
        const GitFolder git = judge(t, "w");
        EXPECT_STREQ(nameOf(git.kind), nameOf(c.kind)) << c.why;
        EXPECT_EQ(git.excludeFile, c.excludeFile) << c.why;
    }
}

TEST(Repository, OfAnotherUserIsRefused)
{
    // A repository of the files' owner, asked about by someone else.
    if (::geteuid() != 0) {
        TempTree t;
        makeRepository(t, "w");
        EXPECT_STREQ(nameOf(judge(t, "w", ::geteuid()).kind), nameOf(Kind::WorkTree));
        EXPECT_STREQ(nameOf(judge(t, "w", ::geteuid() + 1).kind), nameOf(Kind::Refused));
        GTEST_SKIP() << "giving each part of a repository to another user needs root";
    }
    // Each part git checks, in turn given to the user nobody: the work tree, its .git, the
    // repository a .git file names.
    struct Case {
        const char* why;
        std::string givenAway; // "" for none
    };
    for (const Case& c : std::vector<Case>{{"the work tree", "w"},
                                           {"its .git file", "w/.git"},
                                           {"the repository it names", "main/.git"},
                                           {"nothing", ""}}) {
        TempTree t;
        makeRepository(t, "main");
        t.write("w/.git", "gitdir: ../main/.git\n");
        if (!c.givenAway.empty()) {
            ASSERT_EQ(::lchown(t.path(c.givenAway).c_str(), 65534, 65534), 0) << c.why;
        }
        EXPECT_STREQ(nameOf(judge(t, "w").kind), nameOf(c.givenAway.empty() ? Kind::WorkTree : Kind::Refused)) << c.why;
    }
    // Root's repositories are trusted by everyone.
    TempTree t;
    makeRepository(t, "w");
    EXPECT_STREQ(nameOf(judge(t, "w", 65534).kind), nameOf(Kind::WorkTree));
}
