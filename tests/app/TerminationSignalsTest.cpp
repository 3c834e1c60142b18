// A termination signal ends the application in any state: the orderly end
// runs on the event loop, and when the main thread never turns it again (held
// up for good), the process still ends, with its counters.

#include "app/lifecycle/TerminationSignals.h"
#include "core/RunProcess.h"
#include "tests/support/ProcessState.h"

#include <QSemaphore>

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include <unistd.h>

namespace qm {
namespace {

// Where the child process of a death test (which runs the test again, as a
// child of this process) writes its counter's process id.
std::string counterPidFile(pid_t testProcess)
{
    return (std::filesystem::temp_directory_path() / ("qm-signal-test-" + std::to_string(testProcess))).string();
}

// In the death test's child: a counter runs, whose process group the end must take along.
void startCounter()
{
    const std::string file = counterPidFile(::getppid());
    std::thread([file] {
        runProcessToEnd("/bin/sh",
                        {"-c",
                         "echo $$ > '" + file + ".part' && mv '" + file + ".part' '" + file + "' && exec sleep 120"},
                        processGeneration());
    }).detach();
    while (!std::filesystem::exists(file))
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
}

// A child that has not ended after a minute has failed.
void endAfterAMinute()
{
    std::thread([] {
        std::this_thread::sleep_for(std::chrono::minutes(1));
        std::_Exit(99);
    }).detach();
}

void expectCounterEnded()
{
    const std::string file = counterPidFile(::getpid());
    int pid = 0;
    std::ifstream(file) >> pid;
    std::filesystem::remove(file);
    ASSERT_GT(pid, 0);
    // Its parent gone, the system reaps it.
    for (int i = 0; i < 1000 && !qmtest::processGone(pid); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_TRUE(qmtest::processGone(pid));
}

// A process of its own whose main thread is held up for good, as by a fill
// waiting on a piece that is never painted, with a counter running, gets
// `signals`: it ends with `status`, and its counter with it.
void expectEndedBySignals(std::chrono::seconds grace, const std::vector<int>& signals, int status)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    std::filesystem::remove(counterPidFile(::getpid()));
    EXPECT_EXIT(
        {
            endAfterAMinute();
            quitOnTerminationSignals(grace);
            startCounter();
            for (int number : signals)
                ::kill(::getpid(), number);
            QSemaphore().acquire();
        },
        testing::ExitedWithCode(status), "");
    expectCounterEnded();
}

TEST(TerminationSignalsDeathTest, ASignalEndsAProcessWhoseMainThreadIsHeldUpForGoodAndItsCounter)
{
    expectEndedBySignals(std::chrono::seconds(1), {SIGTERM}, 128 + SIGTERM);
}

TEST(TerminationSignalsDeathTest, ASecondSignalEndsTheProcessAtOnce)
{
    // Long before the grace is over; with the first signal's status.
    expectEndedBySignals(std::chrono::seconds(3600), {SIGHUP, SIGINT}, 128 + SIGHUP);
}

} // namespace
} // namespace qm
