#include "CountingTest.h"

#include "core/Project.h"
#include "core/RunProcess.h"

#include <sys/wait.h>

namespace {

using qmtest::Args;
using qmtest::counterOutput;
using qmtest::FakeCounter;

TEST(ProjectModel, StartsEmptyIsEqualByPathAndHashesByPath)
{
    auto a = std::make_shared<qm::Project>("/tmp/scratch");
    auto b = std::make_shared<qm::Project>("/tmp/scratch");
    EXPECT_EQ(a->name, "scratch");
    EXPECT_TRUE(a->final->empty() && a->initial.empty());
    EXPECT_FALSE(*a->working || a->_doWatch);
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

using ProjectCount = qmtest::CountingTest;

TEST_F(ProjectCount, SuccessPublishesOnTheMainQueueThenCallsTheCompletionOnce)
{
    const std::string json = counterOutput({{"C++", {{"a.cpp", 40}}}});
    auto project = std::make_shared<qm::Project>(counter.folder("app", json));
    project->ignoreExtensions = "md";
    int announcements = 0;
    auto sub = project->objectWillChange.sink([&] { ++announcements; });
    int calls = 0;
    project->process([&](const qm::LanguageList& list) {
        ++calls;
        EXPECT_EQ(project->final->size(), 1u); // stored before the completion runs
        EXPECT_FALSE(*project->working);
        EXPECT_EQ(list.size(), 1u);
    });

    // The counter has run; the result is not published yet.
    EXPECT_TRUE(*project->working);
    EXPECT_TRUE(project->final->empty());
    EXPECT_EQ(announcements, 2); // the explicit announcement, then working
    EXPECT_EQ(FakeCounter::runs(project->path),
              (std::vector<Args>{{"--by-file", "--format", "json", "--sort", "code", "--exclude-ext", "md", project->path}}));

    kit::runUntilIdle();
    EXPECT_EQ(calls, 1);
    EXPECT_FALSE(*project->working);
    ASSERT_EQ(project->final->size(), 1u);
    EXPECT_EQ(project->final.get()[0]->name, "C++");
    EXPECT_EQ(project->initial, *project->final);
    EXPECT_EQ(lines(), (Args{"processing..", "processing with ignored extensions", "Output: " + json, "all ok"}));
}

TEST_F(ProjectCount, AFailedDecodeKeepsEarlierResultsAndSkipsTheCompletion)
{
    const std::string good = counterOutput({{"C", {}}});
    auto project = std::make_shared<qm::Project>(counter.folder("app", good));
    project->process();
    kit::runUntilIdle();
    const auto earlier = *project->final;

    bool completed = false;
    for (const auto& [output, standardError] : std::vector<std::pair<std::string, std::string>>{
             {good.substr(0, good.size() - 1) + R"(,{"Name":"Go"}])", ""}, // a missing key
             {"[\"\xC3\x28\"]", ""},                                     // bytes that are not UTF-8
             {"\xFF\xFE garbage", ""},                                    // no JSON at all
             {good, "warning: x\n"},                                      // text on standard error
         }) {
        FakeCounter::setOutput(project->path, output);
        FakeCounter::setStandardError(project->path, standardError);
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
    std::ofstream(counter.path("not-executable")) << "#!/bin/sh\necho hi\n";
    for (const auto& broken : {counter.path("missing-counter"), counter.path("not-executable")}) {
        qm::overrideSccPath(broken);
        printed.str("");
        auto project = std::make_shared<qm::Project>(counter.folder("app"));
        project->process();
        kit::runUntilIdle();
        const auto out = lines();
        ASSERT_EQ(out.size(), 4u);
        EXPECT_EQ(out[0], "processing..");
        EXPECT_EQ(out[1].rfind("ERROR: ", 0), 0u);
        EXPECT_NE(out[1].find(broken), std::string::npos);
        EXPECT_EQ(out[2], "Output: ");
        EXPECT_EQ(out[3].rfind("Caught: ", 0), 0u);
        EXPECT_FALSE(*project->working);
    }
}

TEST_F(ProjectCount, AReleasedProjectGetsNothingPublished)
{
    bool completed = false;
    std::weak_ptr<qm::Project> watch;
    {
        auto project = std::make_shared<qm::Project>(counter.folder("app", counterOutput({{"C", {}}})));
        watch = project;
        project->process([&](const auto&) { completed = true; });
    }
    kit::runUntilIdle();
    EXPECT_TRUE(watch.expired());
    EXPECT_FALSE(completed);
    EXPECT_EQ(lines().back().rfind("Output: ", 0), 0u);
}

TEST_F(ProjectCount, InitialKeepsTheFirstNonEmptyResultAndResultsPublishInTheOrderCountsStarted)
{
    auto project = std::make_shared<qm::Project>(counter.folder("app"));
    project->process();
    kit::runUntilIdle();
    EXPECT_TRUE(project->initial.empty()); // an empty first result leaves it empty

    // The first of the next two counts is large, so it takes longest to decode.
    FakeCounter::setOutput(project->path, counterOutput({{"Old", std::vector<qmtest::FakeFile>(5000, {"f", 1})}}));
    Args completions;
    project->process([&](const auto& list) { completions.push_back(list[0]->name); });
    FakeCounter::setOutput(project->path, counterOutput({{"New", {}}}));
    project->process([&](const auto& list) { completions.push_back(list[0]->name); });
    kit::runUntilIdle();
    EXPECT_EQ(completions, (Args{"Old", "New"}));
    EXPECT_EQ(project->final.get()[0]->name, "New");
    EXPECT_EQ(project->initial.at(0)->name, "Old");
}

TEST(RunProcessTest, JoinsBothStreamsReadsToTheEndAndReapsTheChild)
{
    EXPECT_EQ(qm::runProcess("/bin/sh", {"-c", "printf 'one\\n'; printf 'two\\n' >&2; printf 'three'; cat; exit 3"}), "one\ntwo\nthree");
    errno = 0;
    EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1); // no child left behind
    EXPECT_EQ(errno, ECHILD);
    EXPECT_EQ(qm::runProcess("/bin/sh", {"-c", "printf '\\377\\000x'"}), std::string("\xFF\0x", 3));
}

} // namespace
