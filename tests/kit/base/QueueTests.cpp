#include "ManualClockTest.h"

#include "kit/base/BackgroundQueue.h"
#include "kit/base/MainQueue.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace {

using MainQueueTest = ManualClockTest;

TEST_F(MainQueueTest, RunsLaterInSubmissionOrderWithZeroDelaysInTheSameLine)
{
    std::vector<int> order;
    kit::MainQueue::async([&] {
        order.push_back(1);
        kit::MainQueue::async([&] { order.push_back(5); });
    });
    kit::MainQueue::asyncAfter(0, [&] { order.push_back(2); });
    kit::MainQueue::async([&] { order.push_back(3); });
    kit::MainQueue::asyncAfter(-1, [&] { order.push_back(4); });
    EXPECT_TRUE(order.empty());
    kit::runUntilIdle();
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3, 4, 5}));
}

TEST_F(MainQueueTest, TheEventLoopRunsWorkQueuedFromAnyThreadOnTheMainThread)
{
    std::vector<int> order;
    std::atomic<bool> onMain = true;
    auto mainThread = std::this_thread::get_id();
    QEventLoop loop;
    std::thread poster([&] {
        for (int i = 0; i < 50; ++i)
            kit::MainQueue::async([&, i] {
                order.push_back(i);
                onMain = onMain && std::this_thread::get_id() == mainThread;
            });
        kit::MainQueue::async([&] { loop.quit(); });
    });
    QTimer::singleShot(10000, &loop, [&] { loop.quit(); }); // guard against a hang only
    loop.exec();
    poster.join();
    ASSERT_EQ(order.size(), 50u);
    for (int i = 0; i < 50; ++i)
        EXPECT_EQ(order[i], i);
    EXPECT_TRUE(onMain);
}

TEST_F(MainQueueTest, AsyncAfterWaitsForTheClock)
{
    std::vector<double> ranAt;
    kit::MainQueue::asyncAfter(0.5, [&] { ranAt.push_back(kit::Clock::now()); });
    kit::runUntilIdle();
    EXPECT_TRUE(ranAt.empty());
    kit::Clock::advance(0.49);
    EXPECT_TRUE(ranAt.empty());
    kit::Clock::advance(0.02);
    EXPECT_EQ(ranAt, (std::vector<double>{0.5}));
}

TEST_F(MainQueueTest, AdvancingTheClockFirstRunsWorkQueuedAtThePresentMoment)
{
    std::vector<double> ranAt;
    kit::MainQueue::async([&] { ranAt.push_back(kit::Clock::now()); });
    kit::Clock::advance(2);
    EXPECT_EQ(ranAt, (std::vector<double>{0}));
}

TEST(BackgroundQueueTest, RunsOneTaskAtATimeInOrder)
{
    kit::BackgroundQueue queue;
    std::vector<int> order;
    std::atomic<int> running = 0;
    std::atomic<bool> overlapped = false;
    for (int i = 0; i < 20; ++i)
        queue.async([&, i] {
            if (running.fetch_add(1) != 0)
                overlapped = true;
            std::this_thread::yield();
            order.push_back(i);
            running.fetch_sub(1);
        });
    queue.waitUntilIdle();
    EXPECT_FALSE(overlapped);
    ASSERT_EQ(order.size(), 20u);
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(order[i], i);
    EXPECT_TRUE(queue.isIdle());
}

TEST(BackgroundQueueTest, AConcurrentQueueNeverHoldsATaskBehindAnother)
{
    kit::BackgroundQueue queue(kit::BackgroundQueue::Attributes::concurrent);
    std::mutex mutex;
    std::condition_variable changed;
    bool firstStarted = false, secondDone = false, firstDone = false;
    // The first task waits for the second, which is queued after it.
    queue.async([&] {
        std::unique_lock lock(mutex);
        firstStarted = true;
        changed.notify_all();
        firstDone = changed.wait_for(lock, std::chrono::seconds(10), [&] { return secondDone; });
    });
    queue.async([&] {
        std::unique_lock lock(mutex);
        changed.wait(lock, [&] { return firstStarted; });
        secondDone = true;
        changed.notify_all();
    });
    queue.waitUntilIdle();
    EXPECT_TRUE(firstDone);
    EXPECT_TRUE(queue.isIdle());
}

TEST_F(MainQueueTest, RunUntilIdleWaitsForBackgroundWorkThatHandsBack)
{
    std::vector<std::string> steps;
    kit::BackgroundQueue::global().async([&] {
        kit::MainQueue::async([&] {
            steps.push_back("main");
            kit::BackgroundQueue::global().async([&] { kit::MainQueue::async([&] { steps.push_back("again"); }); });
        });
    });
    kit::runUntilIdle();
    EXPECT_EQ(steps, (std::vector<std::string>{"main", "again"}));
}

} // namespace
