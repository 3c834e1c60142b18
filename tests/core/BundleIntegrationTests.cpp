#include "FakeCounter.h"

#include "core/Project.h"

namespace {

namespace fs = std::filesystem;

// The build tree's own bundle: the real counter and resources, when built.
kit::Bundle buildBundle()
{
    return kit::Bundle(QM_BUNDLE_DIR);
}

using BuiltBundle = qmtest::FakeCounterTest;

TEST_F(BuiltBundle, TheBundledCounterOutputDecodes)
{
    auto scc = buildBundle().auxiliaryExecutable("scc");
    if (!scc)
        GTEST_SKIP() << "the counter is not built";
    qm::overrideSccPath(*scc);
    auto src = folder("src");
    std::ofstream(fs::path(src) / "main.cpp") << "// entry\nint main()\n{\n\n    return 0;\n}\n";
    std::ofstream(fs::path(src) / "run.sh") << "#!/bin/sh\necho hi\n";

    auto project = std::make_shared<qm::Project>(src);
    project->ignoreMinified = project->ignoreGenerated = project->omitDuplicates = true;
    project->ignoreExtensions = "md,txt";
    project->process();
    kit::runUntilIdle();
    ASSERT_EQ(lines().back(), "all ok") << printed.str();
    std::int64_t files = 0;
    for (const auto& language : *project->final)
        files += static_cast<std::int64_t>(language->files.size());
    EXPECT_EQ(files, 2);
}

TEST_F(BuiltBundle, TheBundledLanguageResourcesLoad)
{
    if (!buildBundle().resource("langspecs", "json") || !buildBundle().resource("supported", "json"))
        GTEST_SKIP() << "the resources are not copied into the build tree";
    qm::loadLanguageResources(buildBundle());
    EXPECT_TRUE(lines().empty()) << printed.str();
    EXPECT_FALSE(qm::langSpecs().empty());
    EXPECT_FALSE(qm::supportedLanguages().empty());
    qm::langSpecs().clear();
    qm::supportedLanguages().clear();
}

} // namespace
