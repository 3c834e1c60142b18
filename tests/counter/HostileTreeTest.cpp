// Runs the counter on trees made to trap it: pipes, sockets, links into /proc and /dev, link
// loops, folders far deeper than the path limit, odd names, files and folders it may not
// read. It must finish, count what can be counted and name what it could not read.
//
// Sections:
//   making trees         writeAt, makeChain, Figures: trees built through file descriptors
//   traps                what it can count whatever the tree holds, what it may not read, no
//                        second thread, a chain of 100,000 folders, few file descriptors
//   hostile files        any header read for a generator's marker, ignore files above the folder
//                        only from the user's repository, ignore files read whole, duplicates in
//                        one pass, no longer than the data on disk

#include "Fixture.h"

#include "counter/Options.h"
#include "counter/walk/Walker.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdio>
#include <functional>
#include <map>
#include <set>

#include <sys/socket.h>
#include <sys/un.h>

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

std::set<std::string> linesOf(const std::string& text)
{
    std::set<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.insert(line);
    return lines;
}

} // namespace

TEST(HostileTree, CountsWhatItCanAndEndsWhateverTheTreeHolds)
{
    TempTree t;
    t.write("plain.c", "int a;\n// b\n");
    t.write("-rf.c", "int r;\n"); // names that look like options
    t.write("--help.c", "int h;\n\n");
    t.write("new\nline.c", "int nl;\n");
    t.write("bad\xff.c", "// bad\n");
    t.write("esc\x1b[1m.c", "int esc;\n");
    t.write("twin.c", "int twin = 2;\n");
    ASSERT_EQ(::mkfifo(t.path("fifo.c").c_str(), 0644), 0);
    t.link("fifo.c", "fifolink.c");
    const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string sockPath = t.path("sock.c");
    ASSERT_LT(sockPath.size(), sizeof address.sun_path);
    std::strcpy(address.sun_path, sockPath.c_str());
    ASSERT_EQ(::bind(sock, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    t.link("/proc/self/pagemap", "evil.c"); // endless, though it says it is empty
    t.link("/dev/zero", "zero.c");
    t.link("self.c", "self.c");
    t.link(".", "loop");
    t.link("nowhere.c", "dangling.c");
    // Deeper than the path limit, with a copy of twin.c at the bottom.
    const int depth = PATH_MAX / 2 + 10;
    makeChain(t.root(), depth, [](int folder, int level) {
        if (level == depth) {
            writeAt(folder, "twin.c", "int twin = 2;\n");
            writeAt(folder, "deep.c", "int deep;\n");
        }
    });
    const std::string bottom = chainPath(depth);

    std::map<std::string, Figures> expected = {
        {"./plain.c", {12, 2, 1, 1, 0}},          {"./-rf.c", {7, 1, 1, 0, 0}},
        {"./--help.c", {8, 2, 1, 0, 1}},          {"./new\nline.c", {8, 1, 1, 0, 0}},
        {"./bad\xEF\xBF\xBD.c", {7, 1, 0, 1, 0}}, {"./esc\x1b[1m.c", {9, 1, 1, 0, 0}},
        {"./twin.c", {14, 1, 1, 0, 0}},           {"./evil.c", {0, 0, 0, 0, 0}},
        {bottom + "twin.c", {14, 1, 1, 0, 0}},    {bottom + "deep.c", {10, 1, 1, 0, 0}},
    };
    const RunResult all = runScc({"--by-file", "--format", "json", "--verbose", "."}, t.root(), false, {}, guarded);
    EXPECT_FALSE(all.timedOut);
    ASSERT_EQ(all.status, 0) << all.err;
    EXPECT_EQ(all.err, ""); // pipes, sockets, devices and links that lead nowhere are not files to read
    EXPECT_EQ(counted(all), expected);

    // Of the identical twins the first by location stays, however deep it lies.
    expected.erase("./twin.c");
    const RunResult unique = runScc({"--by-file", "--format", "json", "--no-duplicates", "."}, t.root(), false, {},
                                    guarded);
    EXPECT_FALSE(unique.timedOut);
    ASSERT_EQ(unique.status, 0) << unique.err;
    EXPECT_EQ(unique.err, "");
    EXPECT_EQ(counted(unique), expected);

    ::close(sock);
    emptyDeepTree(t.root());
}

TEST(HostileTree, NamesEachFileAndFolderItMayNotRead)
{
    TempTree t;
    t.write("open.c", "int o;\n");
    t.write("secret.c", "int s;\n");
    t.write("un\nreadable.c", "int u;\n");
    t.write("locked/inner.c", "int i;\n");
    t.write("noexec/x.c", "int x;\n"); // listed, but its files cannot be opened
    ::chmod(t.root().c_str(), 0755);
    if (const std::string problem = unprivilegedRunProblem(t.root()); !problem.empty())
        GTEST_SKIP() << problem;
    for (const char* name : {"secret.c", "un\nreadable.c", "locked"})
        ::chmod(t.path(name).c_str(), 0);
    ::chmod(t.path("noexec").c_str(), 0644);

    const RunResult quiet = runScc({"--by-file", "--format", "json", "."}, t.root(), true, {}, guarded);
    const RunResult verbose = runScc({"--by-file", "--format", "json", "--verbose", "."}, t.root(), true, {}, guarded);
    for (const char* name : {"secret.c", "un\nreadable.c", "locked", "noexec"})
        ::chmod(t.path(name).c_str(), 0755);

    const std::map<std::string, Figures> expected = {{"./open.c", {7, 1, 1, 0, 0}}};
    ASSERT_EQ(quiet.status, 0) << quiet.err;
    EXPECT_EQ(quiet.err, "");
    EXPECT_EQ(counted(quiet), expected);
    ASSERT_EQ(verbose.status, 0) << verbose.err;
    EXPECT_EQ(counted(verbose), expected);
    EXPECT_EQ(linesOf(verbose.err), (std::set<std::string>{
                                        "scc: warning: ./locked: Permission denied",
                                        "scc: warning: ./noexec/x.c: Permission denied",
                                        "scc: warning: ./secret.c: Permission denied",
                                        "scc: warning: ./un?readable.c: Permission denied",
                                    }));
}

// Under a limit on its user's threads the counter counts on the threads it can start, down
// to its first alone, and gives the same output as with a thread per core. Enough files that
// every step that shares out work would start threads: the walk, the summary (over 5,000
// files) and the JSON output (over 2,000).
TEST(HostileTree, CountsTheSameWithoutASecondThread)
{
    TempTree t;
    constexpr int files = 5100;
    for (int i = 0; i < files; ++i)
        t.write("f" + std::to_string(i / 100) + "/" + std::to_string(i) + ".c", "int a;\n// b\n\n");
    ::chmod(t.root().c_str(), 0755);
    if (const std::string problem = unprivilegedRunProblem(t.root()); !problem.empty())
        GTEST_SKIP() << problem;

    const std::vector<std::string> arguments{"--by-file", "--format", "json", "."};
    const RunResult free = runScc(arguments, t.root(), true, {}, guarded);
    RunSetup limited = guarded;
    limited.noMoreThreads = true;
    const RunResult alone = runScc(arguments, t.root(), true, {}, limited);
    ASSERT_EQ(free.status, 0) << free.err;
    ASSERT_EQ(alone.status, 0) << alone.err;
    EXPECT_EQ(alone.err, "");
    EXPECT_EQ(alone.out, free.out);
    // Each file: 13 bytes, 3 lines: one of code, one of comment, one blank.
    const json languages = json::parse(alone.out);
    ASSERT_EQ(languages.size(), 1u);
    EXPECT_EQ(languages[0]["Count"], files);
    EXPECT_EQ(languages[0]["Bytes"], 13 * files);
    EXPECT_EQ(languages[0]["Lines"], 3 * files);
    EXPECT_EQ(languages[0]["Code"], files);
    EXPECT_EQ(languages[0]["Comment"], files);
    EXPECT_EQ(languages[0]["Blank"], files);
    EXPECT_EQ(languages[0]["Files"].size(), static_cast<std::size_t>(files));
}

TEST(HostileTree, WalksAChainOfAHundredThousandFolders)
{
    // Inside a repository whose patterns are read along the whole chain.
    TempTree t;
    makeRepository(t, "");
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
    EXPECT_EQ(walked.fileCount(), 4u * depth);
    EXPECT_EQ(walked.warnings, std::vector<std::string>{});

    const RunResult r = runScc({"--format", "json", "--verbose", "."}, t.root(), false, {},
                               RunSetup{.timeoutSeconds = 120, .openFiles = 64});
    EXPECT_FALSE(r.timedOut);
    ASSERT_EQ(r.status, 0) << r.err.substr(0, 300);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(json::parse(r.out)[0]["Count"], 4 * depth);
    emptyDeepTree(t.root());
}

TEST(HostileTree, ReadsAnyHeaderForAGeneratorsMarker)
{
    // The marker reader must end where the file ends, here on a backslash inside a string.
    TempTree t;
    t.write("cut.c", "char *s = \"\\");
    t.write("gen.go", "// Code generated by a tool. DO NOT EDIT.\npackage x\n");
    const RunResult r = runScc({"--by-file", "--format", "json", "--gen", "."}, t.root(), false, {}, guarded);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(counted(r),
              (std::map<std::string, Figures>{{"./cut.c", {12, 1, 1, 0, 0}}, {"./gen.go", {52, 2, 1, 1, 0}}}));
    for (const auto& l : json::parse(r.out))
        for (const auto& f : l["Files"])
            EXPECT_EQ(f["Generated"], f["Filename"] == "gen.go") << f["Filename"];
}

TEST(HostileTree, ReadsIgnoreFilesAboveTheFolderOnlyFromARealRepositoryOfTheUsers)
{
    // Someone else's folder above the counted one, whose ignore file would hide its files.
    TempTree t;
    t.write(".gitignore", "*.c\n");
    t.write("project/a.c", "int a;\n");
    t.write("project/b.py", "b = 1\n");
    const auto names = [&t] {
        std::set<std::string> found;
        const RunResult r = runScc({"--by-file", "--format", "json", "project"}, t.root(), false, {}, guarded);
        EXPECT_EQ(r.status, 0) << r.err;
        for (const auto& [location, figures] : counted(r))
            found.insert(location);
        return found;
    };
    const std::set<std::string> all{"project/a.c", "project/b.py"};

    t.folder(".git");
    EXPECT_EQ(names(), all) << "an empty .git folder";
    std::filesystem::remove(t.path(".git"));
    t.write(".git", "");
    EXPECT_EQ(names(), all) << "an empty .git file";
    t.write(".git", "gitdir: /nowhere\n");
    EXPECT_EQ(names(), all) << "a .git file naming nothing";
    std::filesystem::remove(t.path(".git"));

    makeRepository(t, "");
    EXPECT_EQ(names(), std::set<std::string>{"project/b.py"}) << "a repository of the user's";
    if (::geteuid() != 0)
        GTEST_SKIP() << "giving the repository to another user needs root";
    ASSERT_EQ(::chown(t.path(".git").c_str(), 65534, 65534), 0);
    EXPECT_EQ(names(), all) << "a repository of another user's";

    // Inside the counted folder too, an empty .git makes no work tree.
    t.folder("project/.git");
    t.write("project/.gitignore", "b.py\n");
    EXPECT_EQ(names(), all) << "an empty .git folder inside";
}

TEST(HostileTree, ReadsIgnoreFilesWholeWhateverTheirSize)
{
    TempTree t;
    makeRepository(t, "");
    for (const char* name : {"bom.c", "late.c", "straddle.c", "kept.c", "sub/gone.c", "sub/holey.c", "sub/kept.c"})
        t.write(name, "int x;\n");
    // Past 16 MiB of comments, a pattern, and another across the 16 MiB mark.
    const std::size_t mark = std::size_t{16} << 20;
    std::string big = "\xEF\xBB\xBF"
                      "bom.c\n#";
    big += std::string(mark - 4 - big.size(), '#') + "\nstraddle.c\n";
    big += "#" + std::string(1000, ' ') + "\nlate.c\n";
    t.write(".gitignore", big);
    // A 64 GiB hole, which reads as NUL bytes, in the middle of a line, then a pattern.
    t.write("sub/.gitignore", "gone.c");
    const int fd = ::open(t.path("sub/.gitignore").c_str(), O_WRONLY);
    ASSERT_GE(fd, 0);
    const std::string tail = "\nholey.c\n";
    ASSERT_EQ(::pwrite(fd, tail.data(), tail.size(), off_t{64} << 30), static_cast<ssize_t>(tail.size()));
    ::close(fd);

    const RunResult r = runScc({"--by-file", "--format", "json", "."}, t.root(), false, {}, guarded);
    EXPECT_FALSE(r.timedOut);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(counted(r),
              (std::map<std::string, Figures>{{"./kept.c", {7, 1, 1, 0, 0}}, {"./sub/kept.c", {7, 1, 1, 0, 0}}}));
}

TEST(HostileTree, TellsDuplicatesApartInOnePassHoweverTheFilesWereMade)
{
    // Files made for a weak 64-bit hash of eight bytes at a time ((h ^ word) * K, then
    // h ^= h >> 29): whatever the first word, a second word of h ^ C brings every file to the
    // same hash, so a count that compares the files of one hash pairwise compares N²/2 pairs.
    const auto mix = [](std::uint64_t h, std::uint64_t word) {
        h = (h ^ word) * 0x9e3779b97f4a7c15ULL;
        return h ^ (h >> 29);
    };
    TempTree t;
    const int count = 20000;
    const int folder = ::open(t.root().c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_GE(folder, 0);
    std::string firstContent;
    for (int i = 0; i < count; ++i) {
        char first[9];
        std::snprintf(first, sizeof first, "%08d", i);
        std::uint64_t word = 0;
        std::memcpy(&word, first, 8);
        const std::uint64_t second = mix(0xcbf29ce484222325ULL, word) ^ 0x0123456789abcdefULL;
        std::string content(first, 8);
        content.append(reinterpret_cast<const char*>(&second), 8);
        writeAt(folder, ("f" + std::string(first) + ".c").c_str(), content);
        if (i == 0)
            firstContent = content;
    }
    writeAt(folder, "copy.c", firstContent); // one true duplicate
    ::close(folder);

    const RunResult r = runScc({"--format", "json", "--no-duplicates", "."}, t.root(), false, {}, guarded);
    EXPECT_FALSE(r.timedOut);
    ASSERT_EQ(r.status, 0) << r.err;
    const json out = json::parse(r.out);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0]["Count"], count);
}

TEST(HostileTree, TakesNoLongerThanTheDataOnDisk)
{
    // Files that say they hold 64 GiB and hold a few kilobytes: a hole after their text,
    // past the bytes looked at for a NUL. Two alike, a third alike but for its last bytes.
    TempTree t;
    const off_t size = off_t{64} << 30;
    const std::string text(10000, '\n');
    for (const char* name : {"a.c", "copy/a.c", "other/a.c"}) {
        t.write(name, text);
        ASSERT_EQ(::truncate(t.path(name).c_str(), size), 0);
    }
    const int fd = ::open(t.path("other/a.c").c_str(), O_WRONLY);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::pwrite(fd, "end", 3, size - 3), 3);
    ::close(fd);
    // And a binary file of plain data, alike in its first megabyte only.
    std::string data(std::size_t{3} << 20, 'x');
    data[10] = '\0';
    t.write("data.ts", data);
    data.back() = 'y';
    t.write("more/data.ts", data);

    const auto bytes = static_cast<std::uint64_t>(size);
    for (const bool unique : {false, true}) {
        std::vector<std::string> arguments{"--by-file", "--format", "json", "."};
        if (unique)
            arguments.insert(arguments.begin(), "--no-duplicates");
        const RunResult r = runScc(arguments, t.root(), false, {}, guarded);
        EXPECT_FALSE(r.timedOut);
        ASSERT_EQ(r.status, 0) << r.err;
        std::map<std::string, std::pair<std::uint64_t, bool>> files; // size, binary
        for (const auto& l : json::parse(r.out))
            for (const auto& f : l["Files"]) {
                files[f["Location"]] = {f["Bytes"], f["Binary"]};
                EXPECT_EQ(f["Lines"], 0) << f["Location"];
            }
        std::map<std::string, std::pair<std::uint64_t, bool>> expected{{"./a.c", {bytes, true}},
                                                                       {"./other/a.c", {bytes, true}},
                                                                       {"./data.ts", {3u << 20, true}},
                                                                       {"./more/data.ts", {3u << 20, true}}};
        if (!unique)
            expected["./copy/a.c"] = {bytes, true};
        EXPECT_EQ(files, expected) << (unique ? "with --no-duplicates" : "");
    }
}
