// The application's decoder reads what the counter writes, and the bundle's resources
// cover every language the counter reports.

#include "Fixture.h"

#include "core/LanguageEntry.h"
#include "core/LanguageResources.h"
#include "kit/base/Bundle.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

using nlohmann::json;
using namespace qm::counter::test;

TEST(DecoderRoundTrip, TheApplicationDecodesTheCountersOutput)
{
    TempTree t;
    t.write("src/main.c", "/* a */\nint main(void) { return 0; }\n\n");
    t.write("src/util.h", "#pragma once\nnamespace u { class A {}; }\n");
    t.write("tool", "#!/bin/sh\necho \"hi\" # greet\n");
    t.write("odd \"name\"\\\x01\xfe.py", "'''doc'''\nx = 1\n");
    t.write("data.c", std::string("\0\0\0", 3));
    t.write("notes.md", "# skipped by the extension list\n");
    t.write("copy.c", "/* a */\nint main(void) { return 0; }\n\n"); // a duplicate of src/main.c
    t.write("app.min.js", std::string(600, 'x') + "\n");

    // Exactly the argument list the application passes.
    const RunResult r = runScc({"--by-file", "--format", "json", "--sort", "code", "--exclude-ext", "md", "--min",
                                "--no-min", "--gen", "--no-gen", "--no-duplicates", t.root()},
                               t.root());
    ASSERT_EQ(r.status, 0);
    ASSERT_EQ(r.err, "");

    const qm::LanguageList decoded = qm::decodeCounterOutput(r.out);
    const json raw = json::parse(r.out);
    ASSERT_EQ(decoded.size(), raw.size());
    ASSERT_EQ(decoded.size(), 4u); // C, C++ Header, Shell, Python
    std::size_t files = 0;
    for (std::size_t i = 0; i < decoded.size(); ++i) {
        const auto& language = *decoded[i];
        EXPECT_EQ(language.name, raw[i]["Name"]);
        EXPECT_EQ(language.code, raw[i]["Code"]);
        EXPECT_EQ(language.count, static_cast<std::int64_t>(language.files.size()));
        for (const auto& f : language.files) {
            EXPECT_EQ(f->language, language.name);
            EXPECT_EQ(f->possibleLanguages.empty(), false);
            EXPECT_EQ(f->location.rfind(t.root(), 0), 0u) << f->location;
            ++files;
        }
    }
    EXPECT_EQ(files, 5u);

    // Sorted by code; ties by name. Of the two identical C files the first by location stays.
    std::vector<std::string> names;
    for (const auto& language : decoded)
        names.push_back(language->name);
    EXPECT_EQ(names, (std::vector<std::string>{"C++ Header", "C", "Python", "Shell"}));
    const auto& c = *decoded[1];
    ASSERT_EQ(c.files.size(), 2u);
    EXPECT_EQ(c.files[0]->filename, "copy.c");
    EXPECT_EQ(c.files[0]->comment, 1);
    EXPECT_EQ(c.files[0]->blank, 1);
    EXPECT_TRUE(c.files[1]->binary);
    const auto& python = *decoded[2];
    ASSERT_EQ(python.files.size(), 1u);
    EXPECT_EQ(python.files[0]->filename, "odd \"name\"\\\x01\xef\xbf\xbd.py");
    EXPECT_EQ(python.files[0]->fileExtension, "py");
    EXPECT_EQ(python.comment, 1);
    EXPECT_EQ(python.code, 1);

    // Every reported language has its colour and its content kinds in the bundle.
    qm::loadLanguageResources(kit::Bundle(QM_BUNDLE_DIR));
    for (const auto& language : decoded) {
        EXPECT_TRUE(qm::langSpecs().count(language->name)) << language->name;
        EXPECT_TRUE(std::any_of(qm::supportedLanguages().begin(), qm::supportedLanguages().end(), [&](const auto& e) {
            return e->lang == language->name;
        })) << language->name;
    }
}
