// Counters started ahead of their counts: a run takes the child started for exactly its
// arguments, and no child started ahead is left running, unreaped or with its files open,
// whether it is taken, let go, ended with every run, or never asked for; a project's first
// count and the project manager's folders take them over.
//
// Sections:
//   running a process   RunStartedAhead: taken by the run of the same arguments only, started
//                       once; one started otherwise let go; ended when let go or left untaken,
//                       with every run (from a signal handler too), or stopped; limited as
//                       any run; a child that cannot start
//   a project's count   ProjectCountStartedAhead: the first count takes it, a count with other
//                       options starts its own, ending all counts ends it
//   the manager         ManagerCountsStartedAhead: the first few folders, each once by the
//                       name first given; those added take theirs, the rest are ended

#include "CountingTest.h"
#include "tests/support/ProcessState.h"

#include "core/Project.h"
#include "core/ProjectManager.h"
#include "core/RunProcess.h"

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <stop_token>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using qmtest::Args;
using qmtest::FakeCounter;
using qmtest::processGone;

// Whether the process is gone (or dead and waiting to be reaped), waiting for it (ten seconds
// at most): a signal takes a moment.
bool gone(int pid)
{
    for (int i = 0; i < 2000 && !processGone(pid); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    return processGone(pid);
}

// Whether the child is gone and reaped, waiting for it (ten seconds at most): a child let go
// is reaped on a thread of its own. No zombie of it is left to this process.
bool reaped(int pid)
{
    for (int i = 0; i < 2000; ++i) {
        errno = 0;
        if (processGone(pid) && ::waitpid(pid, nullptr, WNOHANG) == -1 && errno == ECHILD)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
}

// The number of this process's open files.
std::size_t openFiles()
{
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd"))
        ++count;
    return count;
}

// A scratch folder for the scripts' marks.
class RunStartedAhead : public testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "qm-ahead-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        root_ = pattern;
    }
    void TearDown() override
    {
        qm::endRunsStartedAhead();
        for (int pid : startedPids())
            EXPECT_TRUE(reaped(pid)) << pid;
        std::filesystem::remove_all(root_);
    }

    // A script that marks each of its starts in startsFile() (its process id, a line each),
    // then does `rest`.
    std::vector<std::string> script(const std::string& rest) const
    {
        return {"-c", "echo $$ >> '" + startsFile() + "'; " + rest};
    }
    std::string startsFile() const { return root_ + "/starts"; }
    // The process ids of the script's starts so far.
    std::vector<int> startedPids() const
    {
        std::vector<int> pids;
        std::ifstream in(startsFile());
        for (int pid = 0; in >> pid;)
            pids.push_back(pid);
        return pids;
    }
    // Waits (ten seconds at most) until the script has started this many times.
    bool waitForStarts(std::size_t count) const
    {
        for (int i = 0; i < 2000 && startedPids().size() < count; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        return startedPids().size() >= count;
    }

    std::string root_;
};

TEST_F(RunStartedAhead, TheRunOfTheSameArgumentsTakesTheChildStartedOnceAhead)
{
    const auto arguments = script("printf out; printf said >&2");
    qm::startRunAhead("/bin/sh", arguments, 64, 1000, true);
    qm::startRunAhead("/bin/sh", arguments, 64, 1000, true); // already underway: not started again
    ASSERT_TRUE(waitForStarts(1));                           // running before any run is asked for
    // Another executable, other arguments, room, limit or streams do not take it.
    EXPECT_FALSE(qm::takeRunStartedAhead("/bin/bash", arguments, 64, 1000, true));
    EXPECT_FALSE(qm::takeRunStartedAhead("/bin/sh", script("printf out"), 64, 1000, true));
    EXPECT_FALSE(qm::takeRunStartedAhead("/bin/sh", arguments, 0, 1000, true));
    EXPECT_FALSE(qm::takeRunStartedAhead("/bin/sh", arguments, 64, 999, true));
    EXPECT_FALSE(qm::takeRunStartedAhead("/bin/sh", arguments, 64, 1000, false));

    qm::StartedRun started = qm::takeRunStartedAhead("/bin/sh", arguments, 64, 1000, true);
    ASSERT_TRUE(started);
    EXPECT_FALSE(qm::takeRunStartedAhead("/bin/sh", arguments, 64, 1000, true)); // taken once, started once
    const auto run = qm::runProcessToEnd("/bin/sh", arguments, qm::processGeneration(), 64, {}, 1000, true,
                                         std::move(started));
    EXPECT_FALSE(run.ended || run.startError || run.outputTooLarge);
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.output, "out");
    EXPECT_EQ(run.errors, "said");
    EXPECT_GE(run.output.capacity(), 3u + 64u);
    ASSERT_EQ(startedPids().size(), 1u); // the run started no child of its own
    EXPECT_TRUE(reaped(startedPids()[0]));
}

TEST_F(RunStartedAhead, ARunGivenAChildStartedOtherwiseLetsItGoAndStartsItsOwn)
{
    const auto hung = script("sleep 60");
    qm::startRunAhead("/bin/sh", hung, 0, 1000, false);
    ASSERT_TRUE(waitForStarts(1));
    const auto run = qm::runProcessToEnd("/bin/sh", script("printf mine"), qm::processGeneration(), 0, {}, 1000, false,
                                         qm::takeRunStartedAhead("/bin/sh", hung, 0, 1000, false));
    EXPECT_EQ(run.output, "mine");
    ASSERT_EQ(startedPids().size(), 2u);
    EXPECT_TRUE(reaped(startedPids()[0]));
}

TEST_F(RunStartedAhead, AChildNobodyRunsIsEndedAndReapedAndItsFilesClosed)
{
    const std::size_t filesBefore = openFiles();
    // Let go of once taken.
    const auto hung = script("sleep 60");
    qm::startRunAhead("/bin/sh", hung, 0, 1000, false);
    ASSERT_TRUE(waitForStarts(1));
    {
        qm::StartedRun started = qm::takeRunStartedAhead("/bin/sh", hung, 0, 1000, false);
        ASSERT_TRUE(started);
    }
    EXPECT_TRUE(reaped(startedPids()[0]));

    // Never taken.
    qm::startRunAhead("/bin/sh", hung, 0, 1000, true);
    ASSERT_TRUE(waitForStarts(2));
    qm::endRunsStartedAhead();
    EXPECT_TRUE(reaped(startedPids()[1]));
    EXPECT_FALSE(qm::takeRunStartedAhead("/bin/sh", hung, 0, 1000, true));

    // Taken, then given to a run that may no longer start: asked for before the latest end
    // of every run, or already stopped.
    qm::startRunAhead("/bin/sh", hung, 0, 1000, false);
    ASSERT_TRUE(waitForStarts(3));
    const auto before = qm::processGeneration();
    qm::StartedRun taken = qm::takeRunStartedAhead("/bin/sh", hung, 0, 1000, false);
    ASSERT_TRUE(taken);
    qm::endRunningProcesses();
    EXPECT_TRUE(qm::runProcessToEnd("/bin/sh", hung, before, 0, {}, 1000, false, std::move(taken)).ended);
    EXPECT_TRUE(reaped(startedPids()[2]));

    std::stop_source stop;
    stop.request_stop();
    qm::startRunAhead("/bin/sh", hung, 0, 1000, false);
    ASSERT_TRUE(waitForStarts(4));
    const auto stopped = qm::runProcessToEnd("/bin/sh", hung, qm::processGeneration(), 0, stop.get_token(), 1000, false,
                                             qm::takeRunStartedAhead("/bin/sh", hung, 0, 1000, false));
    EXPECT_TRUE(stopped.ended);
    EXPECT_TRUE(reaped(startedPids()[3]));
    EXPECT_EQ(startedPids().size(), 4u); // none of these runs started a child of its own

    // Every file of theirs is closed once they are reaped.
    bool closed = false;
    for (int i = 0; i < 2000 && !closed; ++i) {
        closed = openFiles() == filesBefore;
        if (!closed)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_TRUE(closed) << openFiles() << " open, " << filesBefore << " before";
}

TEST_F(RunStartedAhead, EndingEveryRunEndsTheChildrenStartedAheadAndARunThenStartsItsOwn)
{
    const auto hung = script("sleep 60");
    // Not yet taken: gone from those waiting, started anew when asked ahead again.
    qm::startRunAhead("/bin/sh", hung, 0, 1000, false);
    ASSERT_TRUE(waitForStarts(1));
    qm::endRunningProcesses();
    EXPECT_TRUE(gone(startedPids()[0]));
    EXPECT_FALSE(qm::takeRunStartedAhead("/bin/sh", hung, 0, 1000, false));
    EXPECT_TRUE(reaped(startedPids()[0]));
    qm::startRunAhead("/bin/sh", hung, 0, 1000, false);
    ASSERT_TRUE(waitForStarts(2));

    // From a signal handler, as the application ends on a signal.
    qm::endRunningProcessesFromSignalHandler();
    EXPECT_TRUE(gone(startedPids()[1]));
    qm::endRunsStartedAhead();
    EXPECT_TRUE(reaped(startedPids()[1]));

    // Taken, then ended before it is run: the run is not the ended child's, but one of its own.
    const auto arguments = script("printf out");
    qm::startRunAhead("/bin/sh", arguments, 0, 1000, false);
    ASSERT_TRUE(waitForStarts(3));
    qm::StartedRun taken = qm::takeRunStartedAhead("/bin/sh", arguments, 0, 1000, false);
    qm::endRunningProcesses();
    const auto run = qm::runProcessToEnd("/bin/sh", arguments, qm::processGeneration(), 0, {}, 1000, false,
                                         std::move(taken));
    EXPECT_FALSE(run.ended);
    EXPECT_EQ(run.output, "out");
    ASSERT_EQ(startedPids().size(), 4u);
    EXPECT_TRUE(reaped(startedPids()[2]));
}

TEST_F(RunStartedAhead, AChildStartedAheadIsLimitedAsAnyRun)
{
    // Its output limit is set as it starts: it writes past its file's room a moment later, and
    // is cut short at the limit.
    const auto over = script("sleep 0.3; exec head -c 5000 /dev/zero");
    qm::startRunAhead("/bin/sh", over, 64, 1000, true);
    ASSERT_TRUE(waitForStarts(1));
    const auto run = qm::runProcessToEnd("/bin/sh", over, qm::processGeneration(), 64, {}, 1000, true,
                                         qm::takeRunStartedAhead("/bin/sh", over, 64, 1000, true));
    EXPECT_TRUE(run.outputTooLarge);
    EXPECT_EQ(run.signal, SIGXFSZ);
    EXPECT_TRUE(run.output.empty());
    EXPECT_EQ(startedPids().size(), 1u);
}

TEST_F(RunStartedAhead, AChildThatCannotStartIsLeftToItsRunToSayWhy)
{
    const std::string missing = root_ + "/no-such-counter";
    std::ostringstream printed;
    qm::setOutputStream(&printed);
    qm::startRunAhead(missing, {}, 0, 1000, false);
    qm::setOutputStream(nullptr);
    EXPECT_EQ(printed.str(), "");
    qm::StartedRun none = qm::takeRunStartedAhead(missing, {}, 0, 1000, false);
    EXPECT_FALSE(none);
    const auto run = qm::runProcessToEnd(missing, {}, qm::processGeneration(), 0, {}, 1000, false, std::move(none));
    ASSERT_TRUE(run.startError);
    EXPECT_EQ(run.startErrno, ENOENT);
}

// The count of `folder` started ahead, taken from those waiting (empty when there is none).
qm::StartedRun takeCountStartedAhead(const std::string& folder)
{
    return qm::takeRunStartedAhead(qm::sccPath(), qm::Project(folder).counterArguments(), qm::counterOutputPadding,
                                   qm::Project::largestOutput(), true);
}

// Counts with the fake counter; nothing started ahead outlives a test.
class CountsStartedAhead : public qmtest::CountingTest {
protected:
    void TearDown() override
    {
        qm::endRunsStartedAhead();
        qmtest::CountingTest::TearDown();
    }
};

using ProjectCountStartedAhead = CountsStartedAhead;

TEST_F(ProjectCountStartedAhead, TheFirstCountTakesTheCounterStartedAheadAndSaysWhatAnyCountSays)
{
    const std::string json = qmtest::counterOutput({{"C++", {{"a.cpp", 40}}}});
    const std::string folder = counter.folder("app", json);
    FakeCounter::hold(folder, 1);
    qm::Project::startCountAhead(folder);
    ASSERT_TRUE(waitFor([&] { return FakeCounter::pid(folder).has_value(); }));
    EXPECT_TRUE(lines().empty()); // starting ahead says nothing

    auto project = std::make_shared<qm::Project>(folder);
    int calls = 0;
    project->process([&](const qm::LanguageList&) { ++calls; });
    FakeCounter::release(folder, 1);
    kit::runUntilIdle();
    EXPECT_EQ(calls, 1);
    ASSERT_EQ(project->final->size(), 1u);
    EXPECT_EQ(project->final.get()[0]->name, "C++");
    EXPECT_EQ(FakeCounter::runs(folder),
              (std::vector<Args>{{"--by-file", "--format", "json", "--sort", "code", "--verbose", folder}}));
    EXPECT_EQ(lines(), (Args{"processing..", "Output: " + json, "all ok"}));
}

TEST_F(ProjectCountStartedAhead, ACountWithOtherOptionsStartsItsOwnAndTheOneAheadIsEnded)
{
    const std::string folder = counter.folder("app", qmtest::counterOutput({{"Go", {{"a.go", 3}}}}));
    FakeCounter::hold(folder, 1); // the one started ahead waits until ended
    qm::Project::startCountAhead(folder);
    ASSERT_TRUE(waitFor([&] { return FakeCounter::pid(folder).has_value(); }));
    const int ahead = *FakeCounter::pid(folder);

    auto project = std::make_shared<qm::Project>(folder);
    project->omitDuplicates = true;
    project->process();
    kit::runUntilIdle();
    ASSERT_EQ(project->final->size(), 1u);
    const auto runs = FakeCounter::runs(folder);
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[1].end()[-2], "--no-duplicates");
    qm::Project::endCountsStartedAhead();
    EXPECT_TRUE(reaped(ahead));
    EXPECT_EQ(FakeCounter::marks(folder), (Args{"--run--", "--run--", "--end--"})); // it never ended by itself
}

TEST_F(ProjectCountStartedAhead, EndingAllCountsEndsTheCountersStartedAhead)
{
    const std::string folder = counter.folder("app");
    FakeCounter::hold(folder, 1);
    qm::Project::startCountAhead(folder);
    ASSERT_TRUE(waitFor([&] { return FakeCounter::pid(folder).has_value(); }));
    qm::Project::endAllCounts();
    EXPECT_TRUE(reaped(*FakeCounter::pid(folder)));
    EXPECT_FALSE(takeCountStartedAhead(folder));
}

class ManagerCountsStartedAhead : public CountsStartedAhead {
protected:
    static std::vector<kit::Url> urls(const Args& paths)
    {
        std::vector<kit::Url> result;
        for (const auto& path : paths)
            result.push_back(kit::Url::fileURL(path));
        return result;
    }

    std::shared_ptr<qm::ProjectManager> manager = qm::ProjectManager::create();
};

TEST_F(ManagerCountsStartedAhead, AFewFoldersEachOnceByTheNameFirstGiven)
{
    Args folders;
    for (const std::string name : {"a", "b", "c", "d", "e"}) {
        folders.push_back(counter.folder(name));
        FakeCounter::hold(folders.back(), 1);
    }
    const std::string a = folders[0];
    std::ofstream(a + "/main.cpp") << "int main() {}\n";
    const std::string link = counter.path("link-to-a");
    std::filesystem::create_directory_symlink(a, link);
    // The folder of a file, the same folder by another name and a missing path start
    // nothing more; of the folders, the first four start.
    manager->startCountsAhead(
        urls({a, a + "/main.cpp", link, counter.path("nowhere"), folders[1], folders[2], folders[3], folders[4]}));
    EXPECT_TRUE(takeCountStartedAhead(a));
    EXPECT_FALSE(takeCountStartedAhead(a));
    EXPECT_FALSE(takeCountStartedAhead(link));
    EXPECT_FALSE(takeCountStartedAhead(a + "/main.cpp"));
    for (int i : {1, 2, 3})
        EXPECT_TRUE(takeCountStartedAhead(folders[i])) << folders[i];
    EXPECT_FALSE(takeCountStartedAhead(folders[4]));
    EXPECT_TRUE(lines().empty()); // nothing is said of any of them
}

TEST_F(ManagerCountsStartedAhead, TheFoldersAddedTakeTheirCountersAndTheRestAreEnded)
{
    const auto json = qmtest::counterOutput({{"C++", {{"a.cpp", 10}}}});
    const std::string a = counter.folder("a", json), b = counter.folder("b", json);
    FakeCounter::hold(a, 1);
    FakeCounter::hold(b, 1);
    manager->startCountsAhead(urls({a, b}));
    ASSERT_TRUE(waitFor([&] { return FakeCounter::pid(a) && FakeCounter::pid(b); }));
    const int bAhead = *FakeCounter::pid(b);

    // Only `a` is added: it takes its counter; `b`'s is ended once the adding is done.
    manager->addProjects(urls({a}));
    EXPECT_TRUE(reaped(bAhead));
    FakeCounter::release(a, 1);
    kit::runUntilIdle();
    ASSERT_EQ(manager->projects->size(), 1u);
    EXPECT_EQ(manager->projects.get()[0]->path, a);
    EXPECT_EQ(FakeCounter::runs(a).size(), 1u);
    EXPECT_EQ(FakeCounter::marks(b), Args{"--run--"});
    EXPECT_EQ(lines(), (Args{"processing..", "Output: " + json, "all ok"}));

    // A folder listed already is not counted ahead.
    manager->startCountsAhead(urls({a}));
    EXPECT_FALSE(takeCountStartedAhead(a));
}

} // namespace
