#include "counter/Classifier.h"
#include "counter/Options.h"
#include "counter/lang/Language.h"

#include <gtest/gtest.h>

using namespace qm::counter;

namespace {

std::string nameOf(int index)
{
    return index < 0 ? "(none)" : languages().at(static_cast<std::size_t>(index)).name;
}

std::vector<std::string> names(const std::vector<int>& indexes)
{
    std::vector<std::string> out;
    for (int i : indexes)
        out.push_back(nameOf(i));
    return out;
}

} // namespace

TEST(Classifier, RecognisesNamesExtensionsAndShebangs)
{
    const Classifier c;
    EXPECT_EQ(Classifier::extensionOf("a.tar.GZ"), "gz");
    EXPECT_EQ(Classifier::extensionOf(".bashrc"), "");
    EXPECT_EQ(Classifier::extensionOf("Makefile"), "");
    EXPECT_EQ(Classifier::extensionOf("name."), "");

    EXPECT_EQ(names(c.candidates("main.C", "c")), std::vector<std::string>{"C"});
    EXPECT_EQ(names(c.candidates("Makefile", "")), std::vector<std::string>{"Makefile"});
    EXPECT_EQ(names(c.candidates("CMakeLists.txt", "txt")), std::vector<std::string>{"CMake"});
    EXPECT_EQ(names(c.candidates("notes.txt", "txt")), std::vector<std::string>{"Plain Text"});
    EXPECT_TRUE(c.candidates("README", "").empty());
    EXPECT_TRUE(c.candidates("image.png", "png").empty());

    EXPECT_EQ(nameOf(c.byShebang("#!/usr/bin/env python3\nprint(1)\n")), "Python");
    EXPECT_EQ(nameOf(c.byShebang("#!/usr/bin/python3.11 -u\n")), "Python");
    EXPECT_EQ(nameOf(c.byShebang("#!/bin/bash\n")), "Shell");
    EXPECT_EQ(nameOf(c.byShebang("#! /usr/bin/env -S perl -w\n")), "Perl");
    EXPECT_EQ(nameOf(c.byShebang("#!/usr/bin/env FOO=1 node\n")), "JavaScript");
    EXPECT_EQ(c.byShebang("#!/usr/bin/env\n"), -1);
    EXPECT_EQ(c.byShebang("#!/usr/bin/unknown-thing\n"), -1);
    EXPECT_EQ(c.byShebang("echo hi\n"), -1);
}

TEST(Classifier, PicksAmongLanguagesSharingAnExtensionByContent)
{
    const Classifier c;
    const auto& h = c.candidates("x.h", "h");
    EXPECT_EQ(names(h), (std::vector<std::string>{"C Header", "C++ Header", "Objective-C"}));
    EXPECT_EQ(nameOf(c.choose(h, "h", "#ifndef X\n#define X\nstruct s { int a; };\n#endif\n")), "C Header");
    EXPECT_EQ(nameOf(c.choose(h, "h", "#pragma once\nnamespace qm {\nclass Foo : public Bar {\n};\n}\n")),
              "C++ Header");
    EXPECT_EQ(nameOf(c.choose(h, "h", "#import <Foundation/Foundation.h>\n@interface A : NSObject\n@end\n")),
              "Objective-C");
    // "@endcode" in a documentation comment is not Objective-C.
    EXPECT_EQ(nameOf(c.choose(h, "h", "/**\n@code\nx();\n@endcode\n*/\nint x(void);\n")), "C Header");

    const auto& m = c.candidates("x.m", "m");
    EXPECT_EQ(nameOf(c.choose(m, "m", "% compute\nfunction y = f(x)\n")), "MATLAB");
    EXPECT_EQ(nameOf(c.choose(m, "m", "#import \"A.h\"\n@implementation A\n@end\n")), "Objective-C");

    const auto& ts = c.candidates("x.ts", "ts");
    EXPECT_EQ(nameOf(c.choose(ts, "ts", "<?xml version=\"1.0\"?>\n<TS version=\"2.1\">\n")), "XML");
    EXPECT_EQ(nameOf(c.choose(ts, "ts", "export const a: number = 1;\n")), "TypeScript");
}

TEST(Options, ParsesTheCommandLine)
{
    auto parse = [](std::vector<std::string> args) { return parseCommandLine(args); };

    const auto defaults = parse({});
    EXPECT_EQ(defaults.action, CommandLine::Action::Count);
    EXPECT_EQ(defaults.options.paths, std::vector<std::string>{"."});
    EXPECT_EQ(defaults.options.format, OutputFormat::Tabular);

    // The application's full argument list.
    const auto app = parse({"--by-file", "--format", "json", "--sort", "code", "--exclude-ext", " .JS, ts ,,md",
                            "--min", "--no-min", "--gen", "--no-gen", "--no-duplicates", "/some/path"});
    ASSERT_EQ(app.action, CommandLine::Action::Count) << app.error;
    EXPECT_TRUE(app.options.byFile);
    EXPECT_EQ(app.options.format, OutputFormat::Json);
    EXPECT_EQ(app.options.sort, SortKey::Code);
    EXPECT_EQ(app.options.excludedExtensions, (std::vector<std::string>{"js", "ts", "md"}));
    EXPECT_TRUE(app.options.markMinified && app.options.skipMinified);
    EXPECT_TRUE(app.options.markGenerated && app.options.skipGenerated);
    EXPECT_TRUE(app.options.skipDuplicates);
    EXPECT_EQ(app.options.paths, std::vector<std::string>{"/some/path"});

    // "--no-min" alone implies marking; "--opt=value" works; "--" ends options.
    const auto implied = parse({"--no-gen", "--format=json", "--", "--odd-folder"});
    ASSERT_EQ(implied.action, CommandLine::Action::Count);
    EXPECT_TRUE(implied.options.markGenerated);
    EXPECT_EQ(implied.options.format, OutputFormat::Json);
    EXPECT_EQ(implied.options.paths, std::vector<std::string>{"--odd-folder"});

    EXPECT_EQ(parse({"--help"}).action, CommandLine::Action::Help);
    EXPECT_EQ(parse({"--version"}).action, CommandLine::Action::Version);
    for (const auto& bad : std::vector<std::vector<std::string>>{{"--bogus"},
                                                                 {"--format"},
                                                                 {"--format", "xml"},
                                                                 {"--sort", "size"},
                                                                 {"--by-file=yes"},
                                                                 {"--exclude-ext"}}) {
        const auto r = parse(bad);
        EXPECT_EQ(r.action, CommandLine::Action::Error) << bad[0];
        EXPECT_FALSE(r.error.empty());
    }
}

TEST(Classifier, RecognisesWholeNamesNamePrefixesAndDoubleExtensions)
{
    const Classifier c;
    const std::vector<std::pair<std::string, std::vector<std::string>>> cases{
        {"FooConfig.cmake.in", {"CMake"}},
        {"Dockerfile.dev", {"Dockerfile"}},
        {"dockerfile.prod", {"Dockerfile"}},
        {"app.dockerfile", {"Dockerfile"}},
        {"Containerfile", {"Dockerfile"}},
        {"fix.patch", {"Diff"}},
        {"changes.diff", {"Diff"}},
        {"config.fish", {"Fish"}},
        {"login.csh", {"C Shell"}},
        {"x.tcsh", {"C Shell"}},
        {"plugin.vim", {"Vim Script"}},
        {".vimrc", {"Vim Script"}},
        {"page.html.erb", {"ERB"}},
        {"old.rhtml", {"ERB"}},
        {"deps.d", {"Shell", "Makefile", "D"}},
        {"site.conf", {"XML", "INI"}},
        {"notes.in", {}},
        {"Dockerfile.", {}},
    };
    for (const auto& [name, expected] : cases)
        EXPECT_EQ(names(c.candidates(name, Classifier::extensionOf(name))), expected) << name;
}

TEST(Classifier, LooksAtEveryLineOfTheHeadWhateverTheLinesLengths)
{
    // A marker far into the head, after lines shorter and longer than a 64-byte block and
    // lines of blanks, or at the very end without a line end, decides as one on the first line.
    const Classifier c;
    std::string before;
    for (const std::size_t length : {0u, 1u, 62u, 63u, 64u, 65u, 127u, 128u, 129u, 300u, 5u})
        before += "/" + std::string(length, '*') + "\n";
    before += std::string(100, ' ') + "\t\r\n" + std::string(70, ' ') + "int x;\n";
    const std::vector<std::pair<std::string, std::string>> cases{
        {before + "namespace tools {\n}\n", "C++ Header"},
        {before + "   template <class T> struct S;\n", "C++ Header"},
        {before + "@interface Widget\n@end\n", "Objective-C"},
        {before + std::string(200, ' ') + "#import <Foundation/Foundation.h>", "Objective-C"},
        {before + "int plain(void);\n", "C Header"},
        {before + "x namespace y\n", "C Header"},
        {"std::size_t n;\n", "C++ Header"},
        {before + "int a = b ? c : d, e:4;\nlabel: x = std::max(a, e);\n", "C++ Header"},
        {before + "s:std:x::y a::b; d::", "C Header"},
        {before + "x:::std:", "C Header"},
        {before + ":: std::", "C++ Header"},
    };
    for (const auto& [head, expected] : cases)
        EXPECT_EQ(nameOf(c.choose(c.candidates("a.h", "h"), "h", head)), expected) << head.substr(before.size());
    std::string comments;
    for (const std::size_t length : {10u, 63u, 64u, 65u, 200u})
        comments += "# " + std::string(length, 'c') + "\n";
    EXPECT_EQ(nameOf(c.choose(c.candidates("a.conf", "conf"), "conf", comments + "[main]\nkey = 1\n")), "INI");
    EXPECT_EQ(nameOf(c.choose(c.candidates("a.conf", "conf"), "conf", comments + "worker_processes 4;\n")), "(none)");
}

TEST(Classifier, CountsDAndConfFilesOnlyWhenTheContentFitsALanguage)
{
    const Classifier c;
    struct Case {
        std::string file;
        std::string head;
        std::string expected;
    };
    const std::vector<Case> cases{
        {"app.d", "module app.main;\nimport std.stdio;\nvoid main() {}\n", "D"},
        {"app.d", "// a tool\nimport std.stdio : writeln;\n", "D"},
        {"app.d", "@safe:\nint twice(int x) { return 2 * x; }\n", "D"},
        {"foo.d", "foo.o: foo.c include/bar.h \\\n  include/baz.h\n", "Makefile"},
        {"foo.d", "# generated\ncmd_foo := gcc -c foo.c\n", "Makefile"},
        {"run.d", "#!/bin/sh\necho hi\n", "Shell"},
        {"words.d", "just some words\n", "(none)"},
        {"a.conf", "[main]\nkey = 1\n", "INI"},
        {"a.conf", "# comment\n; another\nname=value\n", "INI"},
        {"a.conf", "<?xml version=\"1.0\"?>\n<config/>\n", "XML"},
        {"a.conf", "\n<configuration>\n</configuration>\n", "XML"},
        {"a.conf", "# only\n; comments\n", "INI"},
        {"a.conf", "\n", "(none)"},
        {"a.conf", "ServerName example.org\n", "(none)"},
        {"a.conf", "worker_processes 4;\n", "(none)"},
    };
    for (const auto& k : cases) {
        const std::string ext = Classifier::extensionOf(k.file);
        EXPECT_EQ(nameOf(c.choose(c.candidates(k.file, ext), ext, k.head)), k.expected) << k.head;
    }
}
