// The one rule for threads: how many, and how work is shared out over those that can be
// started.

#include "common/Threads.h"

#include "tests/support/NoMoreThreads.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

#include <unistd.h>

namespace {

using qm::threads::count;
using qm::threads::onThreads;
using qm::threads::parallelFor;

TEST(Threads, CountIsWhatIsAskedOrOnePerProcessor)
{
    EXPECT_EQ(count(1), 1u);
    EXPECT_EQ(count(7), 7u);
    EXPECT_EQ(count(0), std::max(1u, std::thread::hardware_concurrency()));
    EXPECT_EQ(count(), count(0));
}

// Every index below the task count runs once, on no more threads than asked for or than
// there are tasks; the thread numbers stay below the thread count.
TEST(Threads, ParallelForRunsEachTaskOnce)
{
    struct Case {
        std::size_t tasks;
        unsigned threads;
        unsigned mostThreads; // the thread numbers seen stay below this
    };
    const Case cases[] = {
        {0, 4, 1}, {1, 4, 1}, {3, 8, 3}, {1000, 4, 4}, {1000, 1, 1}, {5, 0, 1},
    };
    for (const Case& c : cases) {
        std::vector<std::atomic<int>> runs(c.tasks);
        std::mutex mutex;
        std::set<unsigned> threadsSeen;
        parallelFor(c.tasks, c.threads, [&](std::size_t i, unsigned thread) {
            runs[i].fetch_add(1);
            std::lock_guard lock(mutex);
            threadsSeen.insert(thread);
        });
        for (std::size_t i = 0; i < c.tasks; ++i)
            EXPECT_EQ(runs[i].load(), 1) << c.tasks << " tasks on " << c.threads << ": task " << i;
        for (const unsigned thread : threadsSeen)
            EXPECT_LT(thread, c.mostThreads) << c.tasks << " tasks on " << c.threads;
    }
}

TEST(Threads, OnThreadsRunsEachWorkerOnItsOwnThread)
{
    std::mutex mutex;
    std::set<std::thread::id> ids;
    std::set<unsigned> workers;
    const unsigned ran = onThreads(4, [&](unsigned worker) {
        std::lock_guard lock(mutex);
        ids.insert(std::this_thread::get_id());
        workers.insert(worker);
    });
    EXPECT_EQ(ran, 4u);
    EXPECT_EQ(ids.size(), 4u);
    EXPECT_EQ(workers, (std::set<unsigned>{0, 1, 2, 3}));
    EXPECT_TRUE(ids.count(std::this_thread::get_id()));
}

// With no thread to be had, the calling thread alone does all the work.
TEST(ThreadsDeathTest, WorkRunsOnTheCallingThreadAloneWhenNoThreadCanBeStarted)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            ::alarm(120);
            qmtest::startNoMoreThreads();
            const auto self = std::this_thread::get_id();
            std::set<unsigned> workers;
            bool elsewhere = false;
            const unsigned ran = onThreads(8, [&](unsigned worker) {
                workers.insert(worker);
                elsewhere = elsewhere || std::this_thread::get_id() != self;
            });
            std::vector<int> runs(1000);
            parallelFor(runs.size(), 8, [&](std::size_t i, unsigned thread) { runs[i] += thread == 0 ? 1 : 100; });
            const bool eachOnce = std::all_of(runs.begin(), runs.end(), [](int n) { return n == 1; });
            std::_Exit(ran == 1 && workers == std::set<unsigned>{0} && !elsewhere && eachOnce ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
}

} // namespace
