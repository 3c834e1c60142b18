#include "FakeCounter.h"

#include "core/Project.h"
#include "core/RunProcess.h"

#include <sys/wait.h>
#include <unordered_set>

namespace {

using qmtest::fileJson;
using qmtest::languageJson;

using Args = std::vector<std::string>;

TEST(ProjectModel, StartsEmptyIsEqualByPathAndHashesByPath)
{
    auto a = std::make_shared<qm::Project>("/tmp/scratch");
    auto b = std::make_shared<qm::Project>("/tmp/scratch");
    EXPECT_EQ(a->name, "scratch");
    EXPECT_TRUE(a->final->empty());
    EXPECT_TRUE(a->initial.empty());
    EXPECT_FALSE(*a->working);
    EXPECT_FALSE(a->_doWatch);
    EXPECT_NE(a->id, b->id);
    EXPECT_EQ(*a, *b);
    EXPECT_EQ(std::hash<qm::Project>{}(*a), std::hash<qm::Project>{}(*b));
    EXPECT_FALSE(*a == qm::Project("/tmp/other"));
    EXPECT_EQ(qm::Project("/").name, "/");
}

TEST(ProjectModel, ArgumentListFollowsTheOptions)
{
    qm::Project project("/work/x");
    EXPECT_EQ(project.counterArguments(), (Args{"--by-file", "--format", "json", "--sort", "code", "/work/x"}));

    project.ignoreExtensions = " "; // a blank is not empty
    EXPECT_EQ(project.counterArguments(), (Args{"--by-file", "--format", "json", "--sort", "code", "--exclude-ext", " ", "/work/x"}));

    project.ignoreExtensions = "md,json";
    project.ignoreMinified = project.ignoreGenerated = project.omitDuplicates = true;
    EXPECT_EQ(project.counterArguments(), (Args{"--by-file", "--format", "json", "--sort", "code", "--exclude-ext", "md,json", "--min", "--no-min",
                                                "--gen", "--no-gen", "--no-duplicates", "/work/x"}));
}

using ProjectCount = qmtest::FakeCounterTest;

TEST_F(ProjectCount, SuccessPublishesOnTheMainQueueThenCallsTheCompletionOnce)
{
    auto project = std::make_shared<qm::Project>(folder("app"));
    project->ignoreExtensions = "md";
    std::string json = "[" + languageJson("C++", 40, {fileJson("a.cpp", 40)}) + "]";
    setOutput(json);

    int announcements = 0;
    auto sub = project->objectWillChange.sink([&] { ++announcements; });
    int calls = 0;
    std::size_t seenInFinal = 0;
    project->process([&](const qm::LanguageList& list) {
        ++calls;
        seenInFinal = project->final->size();
        EXPECT_FALSE(*project->working);
        EXPECT_EQ(list.size(), 1u);
    });

    // The counter has run; the result is not published yet.
    EXPECT_TRUE(*project->working);
    EXPECT_TRUE(project->final->empty());
    EXPECT_EQ(announcements, 2); // the explicit announcement, then working
    ASSERT_EQ(runs().size(), 1u);
    EXPECT_EQ(runs()[0], (Args{"--by-file", "--format", "json", "--sort", "code", "--exclude-ext", "md", project->path}));

    kit::runUntilIdle();
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(seenInFinal, 1u);
    EXPECT_FALSE(*project->working);
    ASSERT_EQ(project->final->size(), 1u);
    EXPECT_EQ(project->final.get()[0]->name, "C++");
    EXPECT_EQ(project->initial, *project->final);
    EXPECT_EQ(lines(), (Args{"processing..", "processing with ignored extensions", "Output: " + json, "all ok"}));
}

TEST_F(ProjectCount, InitialHoldsTheFirstNonEmptyResult)
{
    auto project = std::make_shared<qm::Project>(folder("app"));
    project->process();
    kit::runUntilIdle();
    EXPECT_TRUE(project->initial.empty()); // an empty first result leaves it empty

    setOutput("[" + languageJson("C", 1) + "]");
    project->process();
    kit::runUntilIdle();
    ASSERT_EQ(project->initial.size(), 1u);
    auto first = project->initial[0];

    setOutput("[" + languageJson("Go", 2) + "," + languageJson("C", 1) + "]");
    project->process();
    kit::runUntilIdle();
    EXPECT_EQ(project->final->size(), 2u);
    ASSERT_EQ(project->initial.size(), 1u);
    EXPECT_EQ(project->initial[0], first);
}

TEST_F(ProjectCount, AFailedDecodeKeepsEarlierResultsAndSkipsTheCompletion)
{
    auto project = std::make_shared<qm::Project>(folder("app"));
    setOutput("[" + languageJson("C", 1) + "]");
    project->process();
    kit::runUntilIdle();
    auto earlier = *project->final;

    bool completed = false;
    for (auto setUp : std::vector<std::function<void()>>{
             [&] { setOutput("[" + languageJson("C", 1) + ",{\"Name\":\"Go\"}]"); },             // a missing key
             [&] { setOutput("[\"\xC3\x28\"]"); },                                                 // bytes that are not UTF-8
             [&] { setOutput("\xFF\xFE garbage"); },                                              // no JSON at all
             [&] { setOutput("[" + languageJson("C", 1) + "]"), setStandardError("warning: x\n"); }, // text on standard error
         }) {
        setUp();
        printed.str("");
        project->process([&](const auto&) { completed = true; });
        kit::runUntilIdle();
        EXPECT_FALSE(completed);
        EXPECT_FALSE(*project->working);
        EXPECT_EQ(*project->final, earlier);
        ASSERT_FALSE(lines().empty());
        EXPECT_EQ(lines().back().rfind("Caught: ", 0), 0u) << lines().back();
    }
}

TEST_F(ProjectCount, ACounterThatCannotStartReportsAndFailsTheCount)
{
    for (auto broken : {dir / "missing-counter", dir / "not-executable"}) {
        if (broken.filename() == "not-executable")
            std::ofstream(broken) << "#!/bin/sh\necho hi\n";
        qm::overrideSccPath(broken.string());
        printed.str("");
        auto project = std::make_shared<qm::Project>(folder("app"));
        project->process();
        kit::runUntilIdle();
        auto out = lines();
        ASSERT_EQ(out.size(), 4u);
        EXPECT_EQ(out[0], "processing..");
        EXPECT_EQ(out[1].rfind("ERROR: ", 0), 0u);
        EXPECT_NE(out[1].find(broken.string()), std::string::npos);
        EXPECT_EQ(out[2], "Output: ");
        EXPECT_EQ(out[3].rfind("Caught: ", 0), 0u);
        EXPECT_FALSE(*project->working);
    }
}

TEST_F(ProjectCount, AReleasedProjectGetsNothingPublished)
{
    setOutput("[" + languageJson("C", 1) + "]");
    bool completed = false;
    std::weak_ptr<qm::Project> watch;
    {
        auto project = std::make_shared<qm::Project>(folder("app"));
        watch = project;
        project->process([&](const auto&) { completed = true; });
    }
    kit::runUntilIdle();
    EXPECT_TRUE(watch.expired());
    EXPECT_FALSE(completed);
    EXPECT_EQ(lines().back().rfind("Output: ", 0), 0u);
}

TEST_F(ProjectCount, ResultsPublishInTheOrderTheCountsStarted)
{
    auto project = std::make_shared<qm::Project>(folder("app"));
    // The first count's output is large, so it takes longest to decode.
    std::vector<std::string> files;
    for (int i = 0; i < 20000; ++i)
        files.push_back(qmtest::fileJson("f" + std::to_string(i), 1));
    setOutput("[" + languageJson("Old", 1, files) + "]");
    std::vector<std::string> completions;
    project->process([&](const auto& list) { completions.push_back(list[0]->name); });
    setOutput("[" + languageJson("New", 1) + "]");
    project->process([&](const auto& list) { completions.push_back(list[0]->name); });
    kit::runUntilIdle();
    EXPECT_EQ(completions, (Args{"Old", "New"}));
    EXPECT_EQ(project->final.get()[0]->name, "New");
}

TEST(RunProcessTest, JoinsBothStreamsReadsToTheEndAndReapsTheChild)
{
    std::string out = qm::runProcess("/bin/sh", {"-c", "printf 'one\\n'; printf 'two\\n' >&2; printf 'three'; cat; exit 3"});
    EXPECT_EQ(out, "one\ntwo\nthree");
    errno = 0;
    EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1); // no child left behind
    EXPECT_EQ(errno, ECHILD);

    std::string bytes = qm::runProcess("/bin/sh", {"-c", "printf '\\377\\000x'"});
    EXPECT_EQ(bytes, std::string("\xFF\0x", 3));
}

} // namespace
