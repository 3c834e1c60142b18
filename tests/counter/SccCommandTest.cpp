// Runs the built counter on fixture trees and checks its whole output.
//
// Sections:
//   running it           the JSON output of a run, its files by name, buildRepository
//   counting             a repository exactly, without --by-file, minified, generated, duplicate
//                        and excluded files, bad command lines, unreadable folders, any number
//                        of threads
//   what it reads        .gitignore only in a work tree, binary files, shebangs, names and
//                        content, each file once, the exclude file, folders past the path limit
//   output               a failed write, a reader that goes away, one line a file in the table,
//                        a file of several names counted once

#include "Fixture.h"

#include "counter/Options.h"
#include "counter/report/JsonOutput.h"
#include "counter/report/Summary.h"
#include "counter/walk/Walker.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <climits>
#include <cstdlib>
#include <map>
#include <set>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using nlohmann::json;
using namespace qm::counter;
using namespace qm::counter::test;

namespace {

json fileJson(const std::string& language, const std::string& name, const std::string& ext, const std::string& location,
              const std::string& symlocation, int bytes, int lines, int code, int comment, int blank, int complexity,
              bool binary = false)
{
    return json{{"Language", language},
                {"PossibleLanguages", json::array({language})},
                {"Filename", name},
                {"Extension", ext},
                {"Location", location},
                {"Symlocation", symlocation},
                {"Bytes", bytes},
                {"Lines", lines},
                {"Code", code},
                {"Comment", comment},
                {"Blank", blank},
                {"Complexity", complexity},
                {"WeightedComplexity", code ? complexity * 100 / code : 0},
                {"Binary", binary},
                {"Minified", false},
                {"Generated", false},
                {"EndPoint", 0}};
}

// The counter's JSON output for "--by-file --format json" and `arguments`, run in the tree;
// the run must succeed and say nothing on standard error.
json countByFile(const TempTree& t, const std::vector<std::string>& arguments)
{
    std::vector<std::string> full{"--by-file", "--format", "json"};
    full.insert(full.end(), arguments.begin(), arguments.end());
    const RunResult r = runScc(full, t.root());
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    return json::parse(r.out);
}

// The file records of an output by file name.
std::map<std::string, json> filesByName(const json& out)
{
    std::map<std::string, json> files;
    for (const auto& l : out)
        for (const auto& f : l["Files"])
            files[f["Filename"]] = f;
    return files;
}

// The names of an output's files.
std::set<std::string> fileNames(const json& out)
{
    std::set<std::string> names;
    for (const auto& [name, file] : filesByName(out))
        names.insert(name);
    return names;
}

std::string realPath(const std::string& path)
{
    char resolved[PATH_MAX];
    return ::realpath(path.c_str(), resolved) ? std::string(resolved) : std::string();
}

const std::string mainC = "/* a */\nint main(void) {   // entry\n    if (1 && 2) { return \"/*\"[0]; }\n\n}\n";

// A small repository with ignore files, a shebang script, a binary, links and odd names.
void buildRepository(const TempTree& t)
{
    makeRepository(t, "");
    t.write(".git/hooks.c", "int skipped;\n");
    t.write(".gitignore", "*.gen.c\nbuild/\n!keep.gen.c\n");
    t.write(".ignore", "*.skip.c\n");
    t.write("src/.gitignore", "/local.c\n");
    t.write("src/main.c", mainC);
    t.write("src/a.gen.c", "int ignored;\n");
    t.write("src/keep.gen.c", "int k;\n");
    t.write("src/local.c", "int ignored;\n");
    t.write("src/sub/local.c", "z;\n");
    t.write("x.skip.c", "int ignored;\n");
    t.write("build/out.c", "int ignored;\n");
    t.write("scripts/tool", "#!/usr/bin/env python3\nprint('x')\n");
    t.write("README", "Not a language.\n");
    t.write("bin.c", std::string("int a;\0\1\2\n", 10));
    t.write("we\"ird\\name.c", "x;\n");
    t.write("bad\xff.c", "// c\n");
    t.write("tab\tname.c", "y;\n");
    t.link("src/keep.gen.c", "link.c");
    t.link(".", "loop"); // a link loop: never followed
    t.link("missing.c", "dangling.c");
}

} // namespace

TEST(SccCommand, CountsARepositoryExactly)
{
    TempTree t;
    buildRepository(t);
    const RunResult r = runScc({"--by-file", "--format", "json", "--sort", "code", "."}, t.root());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, ""); // the application reads both streams as one
    const json actual = json::parse(r.out);

    const json expected = json::array({
        {{"Name", "C"},
         {"Bytes", 106},
         {"CodeBytes", 82},
         {"Lines", 10},
         {"Code", 7},
         {"Comment", 2},
         {"Blank", 1},
         {"Complexity", 2},
         {"Count", 7},
         {"WeightedComplexity", 28},
         {"Files", json::array({
                       // link.c, a link to keep.gen.c, names a file counted under its own name
                       fileJson("C", "main.c", "c", "./src/main.c", "", 75, 5, 3, 1, 1, 2),
                       fileJson("C", "keep.gen.c", "c", "./src/keep.gen.c", "", 7, 1, 1, 0, 0, 0),
                       fileJson("C", "local.c", "c", "./src/sub/local.c", "", 3, 1, 1, 0, 0, 0),
                       fileJson("C", "tab\tname.c", "c", "./tab\tname.c", "", 3, 1, 1, 0, 0, 0),
                       fileJson("C", "we\"ird\\name.c", "c", "./we\"ird\\name.c", "", 3, 1, 1, 0, 0, 0),
                       fileJson("C", "bad\xef\xbf\xbd.c", "c", "./bad\xef\xbf\xbd.c", "", 5, 1, 0, 1, 0, 0),
                       fileJson("C", "bin.c", "c", "./bin.c", "", 10, 0, 0, 0, 0, 0, true),
                   })}},
        {{"Name", "Python"},
         {"Bytes", 34},
         {"CodeBytes", 11},
         {"Lines", 2},
         {"Code", 1},
         {"Comment", 1},
         {"Blank", 0},
         {"Complexity", 0},
         {"Count", 1},
         {"WeightedComplexity", 0},
         {"Files", json::array({fileJson("Python", "tool", "", "./scripts/tool", "", 34, 2, 1, 1, 0, 0)})}},
    });
    EXPECT_EQ(actual, expected) << actual.dump(1);

    // Key order is part of the format.
    const auto firstFile = r.out.find("{\"Language\"");
    ASSERT_NE(firstFile, std::string::npos);
    EXPECT_EQ(r.out.compare(0, 10, "[{\"Name\":\""), 0);
    EXPECT_NE(r.out.find("\"Binary\":false,\"Minified\":false,\"Generated\":false,\"EndPoint\":0}", firstFile),
              std::string::npos);
}

TEST(SccCommand, WithoutByFileListsNoFilesAndSortsAsAsked)
{
    TempTree t;
    t.write("a.c", "int a;\nint b;\n");
    t.write("b.py", "# one\n# two\n# three\nx = 1\n");
    t.write("c.py", "y = 2\n");

    const RunResult byCode = runScc({"--format", "json", "--sort", "code", t.root()}, t.root());
    ASSERT_EQ(byCode.status, 0) << byCode.err;
    const json languages = json::parse(byCode.out);
    ASSERT_EQ(languages.size(), 2u);
    EXPECT_EQ(languages[0]["Name"], "C");
    EXPECT_EQ(languages[0]["Files"], json::array());
    EXPECT_EQ(languages[1]["Count"], 2);

    auto order = [&](const std::string& key) {
        const RunResult r = runScc({"--format", "json", "--sort", key}, t.root());
        std::vector<std::string> names;
        for (const auto& l : json::parse(r.out))
            names.push_back(l["Name"]);
        return names;
    };
    EXPECT_EQ(order("comments"), (std::vector<std::string>{"Python", "C"}));
    EXPECT_EQ(order("files"), (std::vector<std::string>{"Python", "C"}));
    EXPECT_EQ(order("lines"), (std::vector<std::string>{"Python", "C"}));
    EXPECT_EQ(order("name"), (std::vector<std::string>{"C", "Python"}));
    // Ties are broken by name.
    EXPECT_EQ(order("blanks"), (std::vector<std::string>{"C", "Python"}));

    const RunResult table = runScc({}, t.root());
    ASSERT_EQ(table.status, 0);
    EXPECT_NE(table.out.find("Language"), std::string::npos);
    EXPECT_NE(table.out.find("Python"), std::string::npos);
    EXPECT_NE(table.out.find("Total"), std::string::npos);
}

TEST(SccCommand, MarksAndLeavesOutMinifiedGeneratedDuplicateAndExcludedFiles)
{
    TempTree t;
    t.write("min.js", "var a=1;" + std::string(300, 'x') + "\n");
    t.write("plain.js", "var b = 1;\n");
    t.write("gen.c", "// Code generated by a tool. DO NOT EDIT.\nint g;\n");
    t.write("dup1.py", "print(1)\n");
    t.write("sub/dup2.py", "print(1)\n");
    t.write("same-size.py", "print(2)\n");
    t.write("notes.md", "# Notes\n");
    t.write("list.TXT", "text\n");

    auto run = [&](const std::vector<std::string>& extra) { return filesByName(countByFile(t, extra)); };

    auto plain = run({});
    EXPECT_EQ(plain.size(), 8u);
    EXPECT_FALSE(plain["min.js"]["Minified"]);
    EXPECT_FALSE(plain["gen.c"]["Generated"]);

    auto marked = run({"--min", "--gen"});
    EXPECT_EQ(marked.size(), 8u);
    EXPECT_TRUE(marked["min.js"]["Minified"]);
    EXPECT_FALSE(marked["plain.js"]["Minified"]);
    EXPECT_TRUE(marked["gen.c"]["Generated"]);
    EXPECT_FALSE(marked["dup1.py"]["Generated"]);

    const json left =
        countByFile(t, {"--exclude-ext", "MD, .txt", "--min", "--no-min", "--gen", "--no-gen", "--no-duplicates"});
    // Of two identical files the first by location stays; a file of the same size stays.
    EXPECT_EQ(fileNames(left), (std::set<std::string>{"plain.js", "dup1.py", "same-size.py"}));
}

TEST(SccCommand, RefusesBadCommandLinesWithNothingOnStandardOutput)
{
    TempTree t;
    t.write("a.c", "int a;\n");
    for (const auto& args : std::vector<std::vector<std::string>>{{"--no-such-option"},
                                                                  {"--format", "yaml"},
                                                                  {"--sort", "size"},
                                                                  {t.path("missing")},
                                                                  {".", t.path("missing")}}) {
        const RunResult r = runScc(args, t.root());
        EXPECT_EQ(r.status, 2) << args[0];
        EXPECT_EQ(r.out, "") << args[0];
        EXPECT_NE(r.err, "") << args[0];
    }
    const RunResult help = runScc({"--help"}, t.root());
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Usage: scc", 0), 0u);
    EXPECT_EQ(help.err, "");
    EXPECT_EQ(runScc({"--version"}, t.root()).out, versionText());

    // A single file may be counted on its own.
    const RunResult single = runScc({"--format", "json", "--by-file", "a.c"}, t.root());
    ASSERT_EQ(single.status, 0);
    EXPECT_EQ(json::parse(single.out)[0]["Files"][0]["Location"], "a.c");
}

TEST(SccCommand, RefusesAFolderItMayNotReadInsteadOfCountingItAsEmpty)
{
    TempTree t;
    t.write("a.c", "int a;\n");
    t.folder("locked");
    ::chmod(t.root().c_str(), 0755);
    if (const std::string problem = unprivilegedRunProblem(t.root()); !problem.empty())
        GTEST_SKIP() << problem;
    ::chmod(t.path("locked").c_str(), 0);
    EXPECT_EQ(runScc({"a.c"}, t.root(), true).status, 0);
    const RunResult locked = runScc({t.path("locked")}, t.root(), true);
    ::chmod(t.path("locked").c_str(), 0755);
    EXPECT_EQ(locked.status, 2);
    EXPECT_EQ(locked.out, "");
    EXPECT_NE(locked.err.find("locked: Permission denied"), std::string::npos) << locked.err;
}

TEST(SccCommand, OutputDoesNotDependOnTheNumberOfThreads)
{
    TempTree t;
    for (int d = 0; d < 6; ++d)
        for (int f = 0; f < 25; ++f) {
            std::string name = "d";
            name += std::to_string(d);
            name += "/sub/f";
            name += std::to_string(f);
            name += f % 3 ? ".c" : ".py";
            t.write(name, std::string(static_cast<std::size_t>(f), '\n') + "x = 1 # c\n");
        }
    Options options;
    options.paths = {t.root()};
    options.byFile = true;
    options.sort = SortKey::Lines;
    options.threads = 1;
    auto once = walk(options);
    const std::string single = toJson(summarize(filterFiles(once, options), options), true);
    options.threads = 8;
    auto many = walk(options);
    EXPECT_EQ(toJson(summarize(filterFiles(many, options), options), true), single);
    EXPECT_EQ(once.fileCount(), 150u);
}

TEST(SccCommand, HonoursGitignoreFilesOnlyInsideAGitWorkTree)
{
    TempTree t;
    t.write("a.c", "int a;\n");
    t.write("b.c", "int b;\n");
    t.write("c.c", "int c;\n");
    t.write(".gitignore", "b.c\n");
    t.write(".ignore", "c.c\n");
    auto counted = [&](const std::string& path) { return fileNames(countByFile(t, {path})); };
    EXPECT_EQ(counted("."), (std::set<std::string>{"a.c", "b.c"}));
    makeRepository(t, "");
    EXPECT_EQ(counted("."), (std::set<std::string>{"a.c"}));

    // Counting a folder inside the repository applies the repository's ignore files above it.
    t.write(".gitignore", "/sub/skip.c\n*.tmp.c\n");
    t.write("sub/keep.c", "int k;\n");
    t.write("sub/skip.c", "int s;\n");
    t.write("sub/x.tmp.c", "int x;\n");
    t.write("sub/deeper/sub/skip.c", "int d;\n");
    EXPECT_EQ(counted("sub"), (std::set<std::string>{"keep.c", "skip.c"}));
    EXPECT_EQ(counted(t.path("sub/deeper")), (std::set<std::string>{"skip.c"}));

    // As git does, an ignore file that is a symbolic link is not read.
    t.write("linked/patterns", "*.c\n");
    t.link("patterns", "linked/.gitignore");
    t.write("linked/kept.c", "int kept;\n");
    EXPECT_EQ(counted("linked"), (std::set<std::string>{"kept.c"}));
}

TEST(SccCommand, ReportsLargeBinaryFilesBySizeWithoutCountingThem)
{
    TempTree t;
    std::string video(300000, '\x47');
    video[1] = '\0';
    t.write("clip.ts", video);
    t.write("copy/clip.ts", video);
    for (const bool unique : {false, true}) {
        const json out = countByFile(t,
                                     unique ? std::vector<std::string>{"--no-duplicates"} : std::vector<std::string>{});
        ASSERT_EQ(out.size(), 1u);
        EXPECT_EQ(out[0]["Count"], unique ? 1 : 2);
        EXPECT_EQ(out[0]["Bytes"], unique ? 300000 : 600000);
        EXPECT_EQ(out[0]["Lines"], 0);
        EXPECT_EQ(out[0]["Files"][0]["Binary"], true);
        EXPECT_EQ(out[0]["Files"][0]["PossibleLanguages"], json::array({"TypeScript", "XML"}));
    }
}

namespace {

// The counted files by name, with their language.
std::map<std::string, std::string> languagesByFile(const json& counted)
{
    std::map<std::string, std::string> out;
    for (const auto& l : counted)
        for (const auto& f : l["Files"])
            out[f["Filename"]] = l["Name"];
    return out;
}

} // namespace

TEST(SccCommand, ReadsFileTypesFromShebangsNamesAndContent)
{
    TempTree t;
    t.write("Kbuild", "#!/bin/sh\necho hi\n");
    t.write("Makefile", "all:\n\techo hi\n");
    t.write("deps.d", "foo.o: foo.c \\\n  foo.h\n");
    t.write("words.d", "nothing to see\n");
    t.write("app.d", "module app;\nvoid main() {}\n");
    t.write("httpd.conf", "Listen 80\n");
    t.write("site.conf", "<?xml version=\"1.0\"?>\n<site/>\n");
    t.write("tool.conf", "[tool]\nname = x\n");
    t.write("FooConfig.cmake.in", "set(FOO 1)\n");
    t.write("Dockerfile.dev", "FROM debian\n");
    t.write("fix.patch", "--- a\n+++ b\n");
    t.write("bom.py", "\xEF\xBB\xBF#!/usr/bin/env python3\n");
    EXPECT_EQ(languagesByFile(countByFile(t, {"."})), (std::map<std::string, std::string>{
                                                          {"Kbuild", "Shell"},
                                                          {"Makefile", "Makefile"},
                                                          {"deps.d", "Makefile"},
                                                          {"app.d", "D"},
                                                          {"site.conf", "XML"},
                                                          {"tool.conf", "INI"},
                                                          {"FooConfig.cmake.in", "CMake"},
                                                          {"Dockerfile.dev", "Dockerfile"},
                                                          {"fix.patch", "Diff"},
                                                          {"bom.py", "Python"},
                                                      }));
}

TEST(SccCommand, CountsEachFileOnceHoweverThePathsNameIt)
{
    TempTree t;
    t.write("a.c", "int a;\n");
    t.write("src/b.c", "int b;\nint c;\n");
    t.write("src/deep/d.c", "int d;\n");
    for (const auto& args : std::vector<std::vector<std::string>>{{".", "."},
                                                                  {".", "src", "./src/"},
                                                                  {"src", "."},
                                                                  {".", "a.c", "src/deep"},
                                                                  {"src/deep/d.c", "src", "."}}) {
        const json out = countByFile(t, args);
        ASSERT_EQ(out.size(), 1u);
        EXPECT_EQ(out[0]["Count"], 3) << args[0] << " " << args[1];
        EXPECT_EQ(out[0]["Lines"], 4) << args[0] << " " << args[1];
        EXPECT_EQ(fileNames(out), (std::set<std::string>{"a.c", "b.c", "d.c"}));
    }
}

TEST(SccCommand, ReadsTheRepositorysExcludeFileLikeAGitignore)
{
    TempTree t;
    makeRepository(t, "repo");
    t.write("repo/.git/info/exclude", "# local\n*.tmp.c\n");
    t.write("repo/keep.c", "int k;\n");
    t.write("repo/x.tmp.c", "int x;\n");
    t.write("repo/sub/y.tmp.c", "int y;\n");
    t.write("repo/sub/.gitignore", "!y.tmp.c\n"); // a deeper ignore file wins
    t.write("repo/sub/z.tmp.c", "int z;\n");
    // A linked work tree: ".git" names its git folder, which names the shared one.
    t.write("repo/.git/worktrees/wt/HEAD", "ref: refs/heads/wt\n");
    t.write("repo/.git/worktrees/wt/commondir", "../..\n");
    t.write("wt/.git", "gitdir: ../repo/.git/worktrees/wt\n");
    t.write("wt/w.tmp.c", "int w;\n");
    t.write("wt/v.c", "int v;\n");
    auto counted = [&](const std::string& path) { return fileNames(countByFile(t, {path})); };
    EXPECT_EQ(counted("repo"), (std::set<std::string>{"keep.c", "y.tmp.c"}));
    EXPECT_EQ(counted("repo/sub"), (std::set<std::string>{"y.tmp.c"}));
    EXPECT_EQ(counted("wt"), (std::set<std::string>{"v.c"}));
}

TEST(SccCommand, WalksFoldersDeeperThanThePathLimit)
{
    TempTree t;
    const std::string part(120, 'd');
    int fd = ::open(t.root().c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_GE(fd, 0);
    const int depth = PATH_MAX / 121 + 4;
    for (int i = 0; i < depth; ++i) {
        ASSERT_EQ(::mkdirat(fd, part.c_str(), 0755), 0);
        const int next = ::openat(fd, part.c_str(), O_RDONLY | O_DIRECTORY);
        ::close(fd);
        fd = next;
        ASSERT_GE(fd, 0);
    }
    const int file = ::openat(fd, "deep.c", O_WRONLY | O_CREAT, 0644);
    ASSERT_GE(file, 0);
    ASSERT_EQ(::write(file, "int x;\n// y\n", 12), 12);
    ::close(file);
    ::close(fd);

    const RunResult r = runScc({"--by-file", "--format", "json", "."}, t.root());
    emptyDeepTree(t.root());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const json out = json::parse(r.out);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0]["Code"], 1);
    EXPECT_EQ(out[0]["Comment"], 1);
    const std::string location = out[0]["Files"][0]["Location"];
    EXPECT_EQ(location.size(), 1 + static_cast<std::size_t>(depth) * 121 + 7);
    EXPECT_GT(location.size(), static_cast<std::size_t>(PATH_MAX));
}

TEST(SccCommand, SaysSoWhenItCannotWriteItsOutput)
{
    TempTree t;
    t.write("a.c", "int a;\n");
    for (const auto& args : std::vector<std::vector<std::string>>{{"--format", "json", "."}, {"."}, {"--version"}}) {
        const RunResult r = runScc(args, t.root(), false, "/dev/full");
        EXPECT_EQ(r.status, 1) << args[0];
        EXPECT_EQ(r.err, "scc: cannot write the output: No space left on device\n") << args[0];
    }
}

TEST(SccCommand, EndsQuietlyWhenItsReaderGoesAway)
{
    // `scc | head`: as cat and ls end there, killed by SIGPIPE without a word, also when
    // the parent left SIGPIPE ignored.
    TempTree t;
    t.write("a.c", "int a;\n");
    for (const auto& args : std::vector<std::vector<std::string>>{{"--format", "json", "."}, {"."}, {"--version"}}) {
        for (const bool ignored : {false, true}) {
            const RunResult closed = runScc(args, t.root(), false, {},
                                            RunSetup{.closedPipe = true, .ignoresSigpipe = ignored});
            EXPECT_EQ(closed.signal, SIGPIPE) << args[0] << (ignored ? " ignoring SIGPIPE" : "");
            EXPECT_EQ(closed.err, "") << args[0] << (ignored ? " ignoring SIGPIPE" : "");
        }
    }
}

TEST(SccCommand, TableShowsEachFileOnOneLineWhateverItsName)
{
    TempTree t;
    t.write("new\nline.c", "int nl;\n");
    const RunResult r = runScc({"--by-file", "."}, t.root());
    ASSERT_EQ(r.status, 0) << r.err;
    std::vector<std::string> lines;
    std::istringstream in(r.out);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    // Rule, heading, rule, the language, its file, rule, the total, rule.
    ASSERT_EQ(lines.size(), 8u) << r.out;
    ASSERT_EQ(lines[3].substr(0, 24), "C" + std::string(23, ' '));
    EXPECT_EQ(lines[4], "  ./new\\x0aline.c" + std::string(7, ' ') + lines[3].substr(24));
}

TEST(SccCommand, CountsAFileReachedByManyNamesOnce)
{
    TempTree t;
    t.write("proj/a.c", "int a;\n");
    ASSERT_EQ(::link(t.path("proj/a.c").c_str(), t.path("proj/b.c").c_str()), 0);
    t.folder("proj/sub");
    t.link("../a.c", "proj/sub/c.c");
    t.link("a.c", "proj/0link.c"); // first by location, but a link: the file's own name wins
    t.write("outside/o.c", "int o;\n");
    t.link("../outside/o.c", "proj/l2.c");
    t.link("../outside/o.c", "proj/l1.c");
    t.write("proj/h2.c", "x = 1\n");
    ASSERT_EQ(::link(t.path("proj/h2.c").c_str(), t.path("proj/h1.py").c_str()), 0); // a name of another language
    for (const bool unique : {false, true}) {
        const auto files = filesByName(countByFile(t, unique ? std::vector<std::string>{"--no-duplicates", "proj"}
                                                             : std::vector<std::string>{"proj"}));
        std::set<std::string> names;
        for (const auto& [name, file] : files)
            names.insert(name);
        EXPECT_EQ(names, (std::set<std::string>{"a.c", "h1.py", "l1.c"}));
        EXPECT_EQ(files.at("l1.c")["Symlocation"], realPath(t.path("outside/o.c")));
        EXPECT_EQ(files.at("h1.py")["Language"], "Python");
    }
    // Links named on the command line, beside the folder or the file they lead to, or alone.
    for (const auto& args : std::vector<std::vector<std::string>>{{"proj", "proj/sub/c.c"},
                                                                  {"proj/sub/c.c", "proj"},
                                                                  {"proj/0link.c", "proj/a.c"},
                                                                  {"proj/sub/c.c", "proj/0link.c", "proj/b.c"}}) {
        const auto files = filesByName(countByFile(t, args));
        ASSERT_EQ(files.count("a.c") + files.count("b.c"), 1u) << args[0] << " " << args[1];
        EXPECT_EQ(files.count("c.c") + files.count("0link.c"), 0u) << args[0] << " " << args[1];
    }
    const auto alone = filesByName(countByFile(t, {"proj/0link.c", "proj/sub/c.c"}));
    ASSERT_EQ(alone.size(), 1u);
    EXPECT_EQ(alone.count("0link.c"), 1u);
}
