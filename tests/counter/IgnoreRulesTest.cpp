#include "counter/walk/IgnoreRules.h"

#include "Fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>

using namespace qm::counter;
using namespace qm::counter::test;

namespace {

// The rules of one ignore file at the top of the walk.
std::shared_ptr<const IgnoreRules> rulesOf(const std::string& text)
{
    return IgnoreRules::withPatterns(nullptr, parseIgnoreFile(text));
}

// Whether a file at `path` is ignored, its folders being walked into (not judged).
bool ignoresFile(const std::string& text, const std::string& path)
{
    return IgnoreRules::ignoredPath(rulesOf(text), path, false);
}

// Whether `path` is left out of a walk: one of its folders is ignored, or the file is.
bool leavesOut(const std::string& text, const std::string& path)
{
    const auto rules = rulesOf(text);
    for (auto slash = path.find('/'); slash != std::string::npos; slash = path.find('/', slash + 1))
        if (IgnoreRules::ignoredPath(rules, path.substr(0, slash), true))
            return true;
    return IgnoreRules::ignoredPath(rules, path, false);
}

const std::string forty(40, 'a');

std::string chain(int depth, const std::string& name)
{
    std::string path;
    for (int i = 0; i < depth; ++i)
        path += "d/";
    return path + name;
}

struct Case {
    std::string pattern; // a line of an ignore file
    std::string path;
    bool ignored;
};

// Answers read from gitignore(5) and confirmed with `git check-ignore` (git 2.39).
const std::vector<Case> gitCases = {
    // Bracket classes, and the bracket's other rules.
    {"b[[:digit:]].c", "b1.c", true},
    {"b[[:digit:]].c", "bx.c", false},
    {"b[[:digit:]].c", "src/b7.c", true},
    {"b[[:digit:]].c", "b[.c", false},
    {"[[:space:]]x", "\tx", true},
    {"[[:space:]]x", " x", true},
    {"[[:space:]]x", "\vx", false}, // git's own tables: no vertical tab
    {"[[:space:]]x", "\fx", false},
    {"p[]]", "p]", true},
    {"p[]-a]x", "p^x", true},
    {"p[]-a]x", "pbx", false},
    {"p[z-a]", "pz", true},
    {"p[z-a]", "pm", false},
    {"p[a-]", "p-", true},
    {"p[a-]", "pb", false},
    {"p[[:ab]", "p:", true},
    {"p[[:ab]", "p[", true},
    {"p[[:ab]", "pb", true},
    {"p[[:ab]", "pc", false},
    {"*.[ch]", "x.h", true},
    {"*.[ch]", "x.o", false},
    {"file[!0-9]", "filex", true},
    {"file[!0-9]", "file7", false},
    {"file[^0-9]", "file7", false},
    // Patterns that match nothing: an unclosed bracket, an unknown class, a trailing backslash.
    {"a[b", "a[b", false},
    {"a[b", "ab", false},
    {"p[!]", "p!", false},
    {"p[!]", "p]", false},
    {"p[[::]]", "p:]", false},
    {"p[[:foo:]]", "pf", false},
    {"x\\", "x\\", false},
    {"x\\", "x", false},
    // "**": whole components, or right after the leading plain text.
    {"f**/bar.c", "foo/bar.c", true},
    {"f**/bar.c", "f/bar.c", true},
    {"f**/bar.c", "fbar.c", true},
    {"f**/bar.c", "f/x/bar.c", true},
    {"f**/bar.c", "g/bar.c", false},
    {"f**/bar.c", "x/foo/bar.c", false},
    {"***/a.c", "a.c", true},
    {"***/a.c", "x/a.c", true},
    {"***/a.c", "x/y/a.c", true},
    {"***/a.c", "x/b.c", false},
    {"**\\/x", "a/x", true},
    {"**\\/x", "x", false},
    {"a/**\\/x", "a/x", false}, // "**" before an escaped "/" stands for at least one folder
    {"a/**\\/x", "a/b/x", true},
    {"a/**\\/x", "a/b/c/x", true},
    {"a/**\\/x", "a/b/c/d/x", true},
    {"a/**", "a", false},
    {"a/**", "a/b", true},
    {"a/**", "a/b/c", true},
    {"a/**/b", "a/b", true},
    {"a/**/b", "a/x/y/b", true},
    {"a/**/b", "a/xb", false},
    {"a**b", "axxb", true},
    {"a/x**b", "a/xyb", true},
    {"a/x**b", "a/x/yb", false},
    {"a/b**c/d", "a/bx/yc/d", false},
    {"**/**/**/**/**/**/**/**/**/x", "x", true},
    {"**/**/**/**/**/**/**/**/**/x", chain(5, "x"), true},
    {"**/**/**/**/**/**/**/**/**/x", chain(5, "y"), false},
    // Wildcards never match "/".
    {"a?c", "a/c", false},
    {"a?c", "abc", true},
    {"a[/]c", "a/c", false},
    {"*.o", "dir/main.o", true},
    {"a*", "a/b", false},
    // Anchored and plain patterns; escapes; trailing spaces.
    {"a/b", "a/b", true},
    {"a/b", "x/a/b", false},
    {"/a.c", "a.c", true},
    {"/a.c", "x/a.c", false},
    {"doc/*.html", "doc/x.html", true},
    {"doc/*.html", "doc/sub/x.html", false},
    {"\\#*#", "#a#", true},
    {"\\!important", "!important", true},
    {"a\\ ", "a ", true},
    {"a\\ ", "a", false},
    {"a\\\\ ", "a\\", true},
    {"trailing   ", "trailing", true},
    // The exponential cases of a backtracking matcher.
    {"*a*a*a*a*a*a*a*a*a*b", "aaaaaaaaab", true},
    {"*a*a*a*a*a*a*a*a*a*b", "aaaaaaaab", false},
    {"*a*a*a*a*a*a*a*a*a*b", forty, false},
    {"*a*a*a*a*a*a*a*a*a*b", "b" + forty.substr(1), false},
};

} // namespace

TEST(IgnoreRules, MatchesPathsAsGitDoes)
{
    for (const Case& c : gitCases)
        EXPECT_EQ(ignoresFile(c.pattern + "\n", c.path), c.ignored) << c.pattern << " " << c.path;
}

TEST(IgnoreRules, MatchesInTimeProportionalToPathAndPattern)
{
    // A backtracking matcher takes minutes here (and eight times longer for each "*a");
    // these finish at once: the hang guard is the suite's timeout.
    const std::string stars = "*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*b";
    for (const auto& name : {forty, forty + "c", std::string(200, 'a')})
        EXPECT_FALSE(globMatch(stars, name));
    std::string doubled;
    for (int i = 0; i < 30; ++i)
        doubled += "**/";
    EXPECT_FALSE(ignoresFile(doubled + "x\n", chain(40, "y")));
    EXPECT_TRUE(ignoresFile(doubled + "x\n", chain(40, "x")));
    EXPECT_FALSE(ignoresFile(doubled + "x/y\n", chain(200, "x")));
    EXPECT_FALSE(globMatch("**/a/**/a/**/a/**/a/**/a/**/b", chain(200, "a")));
}

TEST(IgnoreRules, ReadsAPathInPiecesAsAWhole)
{
    // The walk reads a path a folder at a time; the answer is the whole path's.
    const std::vector<std::string> patterns = {"a/**/b", "**/x/*.c", "/top/*/y", "f**/z", "a/b/c", "*/*/*.c", "d/**"};
    const std::vector<std::string> paths = {"a/b", "a/x/b", "a/x/y/b", "x/q.c",   "r/x/q.c", "top/m/y", "top/m/n/y",
                                            "fz",  "f/g/z", "a/b/c",   "a/b/c/d", "p/q/r.c", "d/e/f"};
    for (const auto& pattern : patterns)
        for (const auto& path : paths)
            EXPECT_EQ(ignoresFile(pattern + "\n", path), globMatch(parseIgnoreFile(pattern)[0].glob, path))
                << pattern << " " << path;
}

TEST(IgnoreRules, RulesOfAnyDepthAreLetGoOf)
{
    // Each folder of a chain with an ignore file adds a link to the rules; letting go of
    // 100,000 of them must not take a stack frame each.
    std::shared_ptr<const IgnoreRules> rules;
    for (int i = 0; i < 100000; ++i)
        rules = IgnoreRules::withPatterns(IgnoreRules::inside(rules, "d"), parseIgnoreFile("*.o\n**/x.c\n"));
    EXPECT_TRUE(IgnoreRules::ignored(rules.get(), "x.o", false));
    EXPECT_TRUE(IgnoreRules::ignored(rules.get(), "x.c", false));
    rules.reset();
}

TEST(IgnoreRules, CostADeepChainOfIgnoreFilesWorkInProportionToItsDepth)
{
    // A chain of folders "d", each with an ignore file whose anchored patterns end, settle
    // or go on: each level's patterns may be stepped a few folders down, not all the way.
    const int depth = 3000;
    const std::uint64_t before = IgnoreRules::work();
    std::shared_ptr<const IgnoreRules> rules;
    for (int level = 0; level < depth; ++level) {
        if (level > 0)
            rules = IgnoreRules::inside(rules, "d");
        const std::string n = std::to_string(level);
        rules = IgnoreRules::withPatterns(rules, parseIgnoreFile("**/n" + n + ".c\n/top" + n + ".c\nd/late" + n +
                                                                 ".c\nd/**/deep" + n + "\nd/d/two" + n + "/**\n"));
    }
    const std::uint64_t work = IgnoreRules::work() - before;
    EXPECT_LE(work, 20u * depth);

    // What the patterns of each level make of the files at the bottom.
    const auto ignored = [&rules](const std::string& name) { return IgnoreRules::ignored(rules.get(), name, false); };
    const std::string last = std::to_string(depth - 1);
    const std::string above = std::to_string(depth - 2);
    EXPECT_TRUE(ignored("n0.c")) << "**/ from the top";
    EXPECT_TRUE(ignored("n" + last + ".c")) << "**/ from here";
    EXPECT_TRUE(ignored("top" + last + ".c")) << "anchored here";
    EXPECT_FALSE(ignored("top" + above + ".c")) << "anchored a level up";
    EXPECT_TRUE(ignored("late" + above + ".c")) << "one folder below its file";
    EXPECT_FALSE(ignored("late" + last + ".c")) << "not in its own folder";
    EXPECT_TRUE(ignored("deep0")) << "d/**/ from the top";
    EXPECT_TRUE(ignored("deep" + above)) << "d/**/ a level up";
    EXPECT_FALSE(ignored("deep" + last)) << "d/**/ not in its own folder";
    EXPECT_FALSE(ignored("anything"));
}

TEST(IgnoreRules, ParsesIgnoreFilesAsGitDoes)
{
    using namespace std::string_literals;
    const auto patterns =
        parseIgnoreFile("# comment\n\n*.o\n!keep.o\nbuild/\n/top.txt\ndoc/*.html\ntrailing   \nesc\\ \r\nnul\0ls\n"s);
    ASSERT_EQ(patterns.size(), 8u);
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
    EXPECT_EQ(patterns[7].glob, "nul"); // a line ends at a NUL byte
}

TEST(IgnoreRules, ReadsAFileInPiecesAsAWholeWithoutItsByteOrderMark)
{
    using namespace std::string_literals;
    const auto globs = [](const std::vector<IgnorePattern>& patterns) {
        std::vector<std::string> out;
        for (const auto& p : patterns)
            out.push_back(p.glob);
        return out;
    };
    // A byte-order mark counts only at the start of the file, as git reads it.
    const std::string text = "\xEF\xBB\xBF"
                             "bom.c\n*.o\r\nnul\0ls\n\xEF\xBB\xBF"
                             "b\nlast"s;
    const std::vector<std::string> expected{"bom.c", "*.o", "nul",
                                            "\xEF\xBB\xBF"
                                            "b",
                                            "last"};
    EXPECT_EQ(globs(parseIgnoreFile(text)), expected);
    for (std::size_t size = 1; size <= text.size(); ++size) {
        IgnoreFileParser parser;
        for (std::size_t at = 0; at < text.size(); at += size)
            parser.add(std::string_view(text).substr(at, size));
        EXPECT_EQ(globs(parser.finish()), expected) << "pieces of " << size << " bytes";
    }
    // NUL bytes not read (a hole of the file) end the text of their line.
    IgnoreFileParser holed;
    holed.add("ab");
    holed.addNulBytes();
    holed.add("cd\nx.c\n");
    holed.addNulBytes();
    holed.add("\ny.c");
    EXPECT_EQ(globs(holed.finish()), (std::vector<std::string>{"ab", "x.c", "y.c"}));
}

TEST(IgnoreRules, DeepestFileAndLastPatternDecide)
{
    auto root = IgnoreRules::withPatterns(nullptr, parseIgnoreFile("*.log\n!important.log\nout/\n/only-top.c\n"));
    auto sub = IgnoreRules::withPatterns(IgnoreRules::inside(root, "src"), parseIgnoreFile("!debug.log\ngen/*.c\n"));

    EXPECT_TRUE(IgnoreRules::ignoredPath(root, "a.log", false));
    EXPECT_TRUE(IgnoreRules::ignoredPath(root, "deep/er/a.log", false));
    EXPECT_FALSE(IgnoreRules::ignoredPath(root, "important.log", false));
    EXPECT_TRUE(IgnoreRules::ignoredPath(root, "out", true));
    EXPECT_FALSE(IgnoreRules::ignoredPath(root, "out", false)); // "out/" names folders only
    EXPECT_TRUE(IgnoreRules::ignoredPath(root, "only-top.c", false));
    EXPECT_FALSE(IgnoreRules::ignoredPath(root, "src/only-top.c", false)); // anchored to its folder

    EXPECT_FALSE(IgnoreRules::ignoredPath(sub, "debug.log", false)); // re-included below
    EXPECT_TRUE(IgnoreRules::ignoredPath(sub, "other.log", false));
    EXPECT_TRUE(IgnoreRules::ignoredPath(sub, "gen/x.c", false));
    EXPECT_FALSE(IgnoreRules::ignoredPath(sub, "gen/deeper/x.c", false));
    EXPECT_FALSE(IgnoreRules::ignoredPath(sub, "only-top.c", false));

    // Rules of a repository folder above the walk root see paths from their own folder.
    auto above = IgnoreRules::inside(rulesOf("/project/skip.c\n"), "project");
    EXPECT_TRUE(IgnoreRules::ignoredPath(above, "skip.c", false));
    EXPECT_FALSE(IgnoreRules::ignoredPath(above, "sub/skip.c", false));
}

TEST(IgnoreRules, AgreesWithGitCheckIgnore)
{
    TempTree t;
    const std::string env = "HOME='" + t.root() + "' XDG_CONFIG_HOME='" + t.root() + "' GIT_CONFIG_NOSYSTEM=1 ";
    if (std::system((env + "git -C '" + t.root() + "' init -q >/dev/null 2>&1").c_str()) != 0)
        GTEST_SKIP() << "git is not installed";

    // Each ignore file against every path; git also leaves out what lies in an ignored folder.
    std::map<std::string, std::vector<std::string>> files;
    std::vector<std::string> paths;
    for (const Case& c : gitCases) {
        if (std::count(c.pattern.begin(), c.pattern.end(), '*') > 6)
            continue; // git's own matcher takes minutes on these
        files[c.pattern + "\n"];
        paths.push_back(c.path);
    }
    files["*.log\n!important.log\nbuild/\n!build/keep.c\n"];
    files["/*\n!/src\n"];
    files["src/**/gen\n!src/x/gen\n"];
    files["\xEF\xBB\xBF"
          "bom.c\n"]; // a byte-order mark
    for (const char* p :
         {"important.log", "x/a.log", "build/keep.c", "src/a.c", "top.c", "src/x/gen", "src/y/gen/q.c", "bom.c"})
        paths.emplace_back(p);

    for (const auto& [text, unused] : files) {
        t.write(".gitignore", text);
        std::string input;
        for (const auto& p : paths)
            input += p + '\0';
        t.write("paths", input);
        const std::string command = env + "git -C '" + t.root() + "' check-ignore --no-index -z -v -n --stdin < '" +
                                    t.path("paths") + "' > '" + t.path("answers") + "'";
        ASSERT_LE(std::system(command.c_str()), 1 << 8) << command; // 1: nothing ignored
        const std::string answers = readFile(t.path("answers"));
        // Four fields a path: source, line, pattern (a "!" one re-includes), path.
        std::vector<std::string> fields;
        for (std::size_t at = 0, end; (end = answers.find('\0', at)) != std::string::npos; at = end + 1)
            fields.push_back(answers.substr(at, end - at));
        std::map<std::string, bool> gitSays;
        for (std::size_t i = 0; i + 3 < fields.size(); i += 4)
            gitSays[fields[i + 3]] = !fields[i + 2].empty() && fields[i + 2][0] != '!';
        for (const auto& p : paths) {
            ASSERT_TRUE(gitSays.count(p)) << text << p;
            EXPECT_EQ(leavesOut(text, p), gitSays[p]) << text << p;
        }
    }
}
