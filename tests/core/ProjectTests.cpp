#include "CountingTest.h"

#include "core/Project.h"
#include "core/RunProcess.h"

#include <algorithm>
#include <fstream>
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

    // The count has started; nothing is published yet.
    EXPECT_TRUE(*project->working);
    EXPECT_TRUE(project->final->empty());
    EXPECT_EQ(announcements, 2); // the explicit announcement, then working
    EXPECT_EQ(lines(), (Args{"processing..", "processing with ignored extensions"}));

    kit::runUntilIdle();
    EXPECT_EQ(FakeCounter::runs(project->path),
              (std::vector<Args>{{"--by-file", "--format", "json", "--sort", "code", "--exclude-ext", "md", project->path}}));
    EXPECT_EQ(calls, 1);
    EXPECT_FALSE(*project->working);
    ASSERT_EQ(project->final->size(), 1u);
    EXPECT_EQ(project->final.get()[0]->name, "C++");
    EXPECT_EQ(project->initial, *project->final);
    EXPECT_EQ(lines(), (Args{"processing..", "processing with ignored extensions", "Output: " + json, "all ok"}));
}

TEST_F(ProjectCount, TheCallerIsFreeWhileTheCounterRunsAndCountsOfAProjectQueueUp)
{
    auto project = std::make_shared<qm::Project>(counter.folder("app"));
    FakeCounter::setOutputOfRun(project->path, 1, counterOutput({{"First", {}}}));
    FakeCounter::setOutputOfRun(project->path, 2, counterOutput({{"Second", {}}}));
    FakeCounter::hold(project->path, 1);
    FakeCounter::hold(project->path, 2);
    Args completions;
    auto complete = [&](const qm::LanguageList& list) { completions.push_back(list[0]->name); };
    project->process(complete);
    project->process(complete); // a reload while the first count runs

    // Back at once, while the counter waits; the second count waits for the first.
    ASSERT_TRUE(waitFor([&] { return FakeCounter::pid(project->path).has_value(); }));
    EXPECT_TRUE(*project->working);
    EXPECT_EQ(FakeCounter::marks(project->path), Args{"--run--"});

    FakeCounter::release(project->path, 1);
    ASSERT_TRUE(waitFor([&] { return !completions.empty(); }));
    EXPECT_EQ(completions, Args{"First"});
    EXPECT_TRUE(*project->working); // the second count still runs
    EXPECT_EQ(project->final.get()[0]->name, "First");

    FakeCounter::release(project->path, 2);
    kit::runUntilIdle();
    EXPECT_EQ(completions, (Args{"First", "Second"}));
    EXPECT_FALSE(*project->working);
    EXPECT_EQ(FakeCounter::marks(project->path), (Args{"--run--", "--end--", "--run--", "--end--"}));
    const auto out = lines();
    EXPECT_EQ(std::count(out.begin(), out.end(), "all ok"), 2);
}

TEST_F(ProjectCount, EndingAllCountsStopsTheCounterAndDropsWaitingCounts)
{
    auto project = std::make_shared<qm::Project>(counter.folder("app"));
    const auto other = std::make_shared<qm::Project>(counter.folder("other"));
    FakeCounter::hold(project->path, 1);
    bool published = false;
    project->process([&](const auto&) { published = true; }, [&](const auto&) { published = true; });
    other->process([&](const auto&) { published = true; });
    ASSERT_TRUE(waitFor([&] { return FakeCounter::pid(project->path).has_value(); }));
    const int counterProcess = *FakeCounter::pid(project->path);

    qm::Project::endAllCounts();
    // The counter and the shell's own child are gone (or left for the system to reap).
    std::ifstream state("/proc/" + std::to_string(counterProcess) + "/stat");
    std::string stat;
    std::getline(state, stat);
    EXPECT_TRUE(stat.empty() || stat.find(") Z ") != std::string::npos) << stat;
    EXPECT_TRUE(FakeCounter::runs(other->path).empty()); // never started
    kit::runUntilIdle();
    EXPECT_FALSE(published);
    EXPECT_EQ(lines(), (Args{"processing..", "processing.."})); // no output, no error

    // Counts asked for afterwards run as usual.
    other->process([&](const auto&) { published = true; });
    kit::runUntilIdle();
    EXPECT_TRUE(published);
}

TEST_F(ProjectCount, AFailedCountSaysWhy)
{
    struct Case {
        std::string output;
        int status;
        std::string reason;
    };
    for (const Case& c : std::vector<Case>{
             {"scc: cannot read /x: Permission denied\nmore\n", 2, "The counter stopped with status 2: scc: cannot read /x: Permission denied"},
             {"", 3, "The counter stopped with status 3."},
             {"[", 0, "The counter's output could not be read (dataCorrupted at the top level: The given data was not valid JSON. "},
         }) {
        auto project = std::make_shared<qm::Project>(counter.folder("app", c.output));
        FakeCounter::setExitStatus(project->path, c.status);
        std::vector<std::string> reasons;
        bool completed = false;
        project->process([&](const auto&) { completed = true; }, [&](const std::string& reason) { reasons.push_back(reason); });
        kit::runUntilIdle();
        EXPECT_FALSE(completed);
        ASSERT_EQ(reasons.size(), 1u);
        EXPECT_EQ(reasons[0].substr(0, c.reason.size()), c.reason);
    }
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
    for (const auto& [broken, why] : std::vector<std::pair<std::string, std::string>>{
             {counter.path("missing-counter"), "No such file or directory"}, {counter.path("not-executable"), "Permission denied"}}) {
        qm::overrideSccPath(broken);
        printed.str("");
        auto project = std::make_shared<qm::Project>(counter.folder("app"));
        std::string reason;
        project->process({}, [&](const std::string& said) { reason = said; });
        kit::runUntilIdle();
        EXPECT_EQ(reason, "The process " + broken + " could not be started: " + why + ".");
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
    FakeCounter::setOutputOfRun(project->path, 2, counterOutput({{"Old", std::vector<qmtest::FakeFile>(5000, {"f", 1})}}));
    FakeCounter::setOutputOfRun(project->path, 3, counterOutput({{"New", {}}}));
    Args completions;
    project->process([&](const auto& list) { completions.push_back(list[0]->name); });
    project->process([&](const auto& list) { completions.push_back(list[0]->name); });
    kit::runUntilIdle();
    EXPECT_EQ(completions, (Args{"Old", "New"}));
    EXPECT_EQ(project->final.get()[0]->name, "New");
    EXPECT_EQ(project->initial.at(0)->name, "Old");
}

TEST(RunProcessTest, TellsHowTheChildEnded)
{
    struct Case {
        std::string script;
        int status;
    };
    for (const Case& c : std::vector<Case>{{"exit 0", 0}, {"exit 3", 3}, {"kill -TERM $$", 128 + 15}}) {
        const auto result = qm::runProcessToEnd("/bin/sh", {"-c", c.script}, qm::processGeneration());
        EXPECT_EQ(result.exitStatus, c.status) << c.script;
        EXPECT_FALSE(result.ended || result.startError);
    }
    // A run asked for before the latest end of all runs does not start.
    const auto before = qm::processGeneration();
    qm::endRunningProcesses();
    const auto late = qm::runProcessToEnd("/bin/sh", {"-c", "echo started"}, before);
    EXPECT_TRUE(late.ended);
    EXPECT_EQ(late.output, "");
    // The output keeps the room asked for after its end.
    const auto roomy = qm::runProcessToEnd("/bin/sh", {"-c", "printf abc"}, qm::processGeneration(), 64);
    EXPECT_EQ(roomy.output, "abc");
    EXPECT_GE(roomy.output.capacity(), 3u + 64u);
    // Megabytes written at once arrive whole, followed by the room asked for, all zero bytes.
    const auto large = qm::runProcessToEnd("/bin/sh", {"-c", "head -c 5000000 /dev/zero | tr '\\0' x; printf end"}, qm::processGeneration(), 64);
    ASSERT_EQ(large.output.size(), 5000003u);
    EXPECT_EQ(large.output.view().find_first_not_of('x'), 5000000u);
    EXPECT_EQ(large.output.view().substr(5000000), "end");
    ASSERT_GE(large.output.capacity(), 5000003u + 64u);
    EXPECT_TRUE(std::all_of(large.output.data() + large.output.size(), large.output.data() + large.output.capacity(), [](char c) { return c == 0; }));
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
