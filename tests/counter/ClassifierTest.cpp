#include "counter/Classifier.h"
#include "counter/Language.h"
#include "counter/Options.h"

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
    EXPECT_EQ(nameOf(c.choose(h, "#ifndef X\n#define X\nstruct s { int a; };\n#endif\n")), "C Header");
    EXPECT_EQ(nameOf(c.choose(h, "#pragma once\nnamespace qm {\nclass Foo : public Bar {\n};\n}\n")), "C++ Header");
    EXPECT_EQ(nameOf(c.choose(h, "#import <Foundation/Foundation.h>\n@interface A : NSObject\n@end\n")), "Objective-C");
    // "@endcode" in a documentation comment is not Objective-C.
    EXPECT_EQ(nameOf(c.choose(h, "/**\n@code\nx();\n@endcode\n*/\nint x(void);\n")), "C Header");

    const auto& m = c.candidates("x.m", "m");
    EXPECT_EQ(nameOf(c.choose(m, "% compute\nfunction y = f(x)\n")), "MATLAB");
    EXPECT_EQ(nameOf(c.choose(m, "#import \"A.h\"\n@implementation A\n@end\n")), "Objective-C");

    const auto& ts = c.candidates("x.ts", "ts");
    EXPECT_EQ(nameOf(c.choose(ts, "<?xml version=\"1.0\"?>\n<TS version=\"2.1\">\n")), "XML");
    EXPECT_EQ(nameOf(c.choose(ts, "export const a: number = 1;\n")), "TypeScript");
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
    for (const auto& bad : std::vector<std::vector<std::string>>{
             {"--bogus"}, {"--format"}, {"--format", "xml"}, {"--sort", "size"}, {"--by-file=yes"}, {"--exclude-ext"}}) {
        const auto r = parse(bad);
        EXPECT_EQ(r.action, CommandLine::Action::Error) << bad[0];
        EXPECT_FALSE(r.error.empty());
    }
}
