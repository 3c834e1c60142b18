// Runs the counter on trees made to trap it: folder chains far deeper than the path limit,
// and trees that need more file descriptors than the process has. It must finish and
// count what can be counted.

#include "Fixture.h"

#include "counter/Options.h"
#include "counter/Walker.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <functional>
#include <map>

using nlohmann::json;
using namespace qm::counter;
using namespace qm::counter::test;

namespace {

// The hang guard of these runs: many times what they take under the sanitizers.
constexpr RunSetup guarded{.timeoutSeconds = 120};

void writeAt(int folder, const char* name, const std::string& content)
{
    const int fd = ::openat(folder, name, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0) << name;
    ASSERT_EQ(::write(fd, content.data(), content.size()), static_cast<ssize_t>(content.size()));
    ::close(fd);
}

// Makes `depth` folders "d", each in the last, in `root`, and calls `each` with each of them
// open (level 1 the outermost). Opened relative to each other, so no path grows.
void makeChain(const std::string& root, int depth, const std::function<void(int folder, int level)>& each = {})
{
    int fd = ::open(root.c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_GE(fd, 0);
    for (int level = 1; level <= depth; ++level) {
        ASSERT_EQ(::mkdirat(fd, "d", 0755), 0);
        const int next = ::openat(fd, "d", O_RDONLY | O_DIRECTORY);
        ::close(fd);
        fd = next;
        ASSERT_GE(fd, 0);
        if (each)
            each(fd, level);
    }
    ::close(fd);
}

std::string chainPath(int depth)
{
    std::string path = "./";
    for (int i = 0; i < depth; ++i)
        path += "d/";
    return path;
}

struct Figures {
    int bytes, lines, code, comment, blank;
    bool operator==(const Figures&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Figures& f)
{
    return os << "{" << f.bytes << " bytes, " << f.lines << " lines: " << f.code << " code, " << f.comment
              << " comment, " << f.blank << " blank}";
}

// The counted files by location, with their figures.
std::map<std::string, Figures> counted(const RunResult& r)
{
    std::map<std::string, Figures> files;
    for (const auto& l : json::parse(r.out))
        for (const auto& f : l["Files"])
            files[f["Location"]] = {f["Bytes"], f["Lines"], f["Code"], f["Comment"], f["Blank"]};
    return files;
}

} // namespace

TEST(HostileTree, WalksAChainOfAHundredThousandFolders)
{
    // Inside a repository whose patterns are read along the whole chain.
    TempTree t;
    t.folder(".git");
    t.write(".gitignore", "**/skip.c\n/d/d/gone.c\n*.o\nd/**/d/late.c\n");
    const int depth = 100000;
    makeChain(t.root(), depth, [](int folder, int level) {
        if (level == 2)
            writeAt(folder, "gone.c", "int g;\n");
        if (level == depth) {
            writeAt(folder, "x.c", "int x;\n");
            writeAt(folder, "skip.c", "int s;\n");
            writeAt(folder, "late.c", "int l;\n");
        }
    });
    const RunResult r = runScc({"--by-file", "--format", "json", "--verbose", "."}, t.root(), false, {}, guarded);
    emptyDeepTree(t.root());
    EXPECT_FALSE(r.timedOut);
    ASSERT_EQ(r.status, 0) << r.err.substr(0, 300);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(counted(r), (std::map<std::string, Figures>{{chainPath(depth) + "x.c", {7, 1, 1, 0, 0}}}));
}

namespace {

// A chain whose every folder also holds a file and a folder with a file: a walk that keeps
// each folder open until all its entries are done runs out of descriptors on the way down.
void buildBranchingChain(const TempTree& t, int depth)
{
    makeChain(t.root(), depth, [](int folder, int) {
        writeAt(folder, "g.c", "int g;\n");
        for (const char* side : {"a", "b", "e"}) {
            ASSERT_EQ(::mkdirat(folder, side, 0755), 0);
            const int inner = ::openat(folder, side, O_RDONLY | O_DIRECTORY);
            writeAt(inner, "f.c", "int f;\n");
            ::close(inner);
        }
    });
}

} // namespace

TEST(HostileTree, KeepsWithinFewFileDescriptors)
{
    TempTree t;
    const int depth = 400;
    buildBranchingChain(t, depth);

    // One thread, so that nothing else takes the waiting folders; 64 descriptors in all.
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &saved), 0);
    rlimit low = saved;
    low.rlim_cur = 64;
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &low), 0);
    Options options;
    options.paths = {t.root()};
    options.threads = 1;
    const WalkResult walked = walk(options);
    ::setrlimit(RLIMIT_NOFILE, &saved);
    EXPECT_EQ(walked.files.size(), 4u * depth);
    EXPECT_EQ(walked.warnings, std::vector<std::string>{});

    const RunResult r =
        runScc({"--format", "json", "--verbose", "."}, t.root(), false, {}, RunSetup{.timeoutSeconds = 120, .openFiles = 64});
    EXPECT_FALSE(r.timedOut);
    ASSERT_EQ(r.status, 0) << r.err.substr(0, 300);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(json::parse(r.out)[0]["Count"], 4 * depth);
    emptyDeepTree(t.root());
}
