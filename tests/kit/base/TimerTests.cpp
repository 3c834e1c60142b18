#include "ManualClockTest.h"

#include "kit/base/MainQueue.h"
#include "kit/base/Timer.h"
#include "kit/base/TimerPublisher.h"

#include <QEventLoop>
#include <QTimer>

#include <vector>

namespace {

using TimerTest = ManualClockTest;

TEST_F(TimerTest, OneShotFiresOnceNoEarlierThanItsInterval)
{
    std::vector<double> fired;
    auto timer = kit::Timer::scheduled(0.5, false, [&] { fired.push_back(kit::Clock::now()); });
    EXPECT_TRUE(timer->isValid());
    kit::Clock::advance(0.25);
    kit::runUntilIdle();
    EXPECT_TRUE(fired.empty());
    kit::Clock::advance(1.0);
    EXPECT_EQ(fired, (std::vector<double>{0.5}));
    EXPECT_FALSE(timer->isValid());
    EXPECT_DOUBLE_EQ(kit::Clock::now(), 1.25);
    timer->invalidate(); // no effect after the fire
    kit::Clock::advance(5);
    EXPECT_EQ(fired.size(), 1u);
}

TEST_F(TimerTest, InvalidateBeforeTheFireCancelsAndReleasesTheBlock)
{
    auto token = std::make_shared<int>(0);
    std::weak_ptr<int> watch = token;
    bool fired = false;
    auto timer = kit::Timer::scheduled(1, false, [&fired, token] { fired = true; });
    token.reset();
    EXPECT_FALSE(watch.expired());
    timer->invalidate();
    timer->invalidate();
    EXPECT_FALSE(timer->isValid());
    EXPECT_TRUE(watch.expired());
    kit::Clock::advance(2);
    EXPECT_FALSE(fired);
}

TEST_F(TimerTest, DroppingTheHandleDoesNotCancel)
{
    int fired = 0;
    kit::Timer::scheduled(1, false, [&] { ++fired; });
    kit::Clock::advance(1);
    EXPECT_EQ(fired, 1);
}

TEST_F(TimerTest, RepeatingFiresOnItsScheduleAndSkipsMissedFires)
{
    std::vector<double> fired;
    auto timer = kit::Timer::scheduled(1.0, true, [&] { fired.push_back(kit::Clock::now()); });
    kit::Clock::advance(3.5);
    EXPECT_EQ(fired, (std::vector<double>{1, 2, 3}));

    // The main loop was blocked from 3.5 to 7.25: one late fire, then back on the grid.
    kit::Clock::useManual(7.25);
    kit::runUntilIdle();
    kit::Clock::advance(1.0);
    EXPECT_EQ(fired, (std::vector<double>{1, 2, 3, 7.25, 8}));
    timer->invalidate();
    kit::Clock::advance(5);
    EXPECT_EQ(fired.size(), 5u);

    // An interval that is not a number is the shortest one, not a spin.
    int odd = 0;
    auto nan = kit::Timer::scheduled(std::nan(""), true, [&] { ++odd; });
    kit::Clock::advance(0.01);
    EXPECT_NEAR(odd, 100, 1);
    nan->invalidate();
}

TEST_F(TimerTest, AdvanceFiresInDueOrderAndDrainsTheMainQueueAfterEachFire)
{
    std::vector<std::string> log;
    auto late = kit::Timer::scheduled(2, false, [&] { log.push_back("late"); });
    auto early = kit::Timer::scheduled(1, false, [&] {
        log.push_back("early");
        kit::MainQueue::async([&] { log.push_back("queued by early"); });
        kit::Timer::scheduled(0.5, false, [&] { log.push_back("scheduled by early"); });
    });
    auto tie = kit::Timer::scheduled(1, false, [&] { log.push_back("tie"); });
    kit::Clock::advance(3);
    EXPECT_EQ(log, (std::vector<std::string>{"early", "queued by early", "tie", "scheduled by early", "late"}));
}

TEST_F(TimerTest, RepeatingBlockCanInvalidateItsOwnTimer)
{
    int fired = 0;
    kit::Timer::scheduled(1, true, [&](kit::Timer& t) {
        if (++fired == 2)
            t.invalidate();
    });
    kit::Clock::advance(10);
    EXPECT_EQ(fired, 2);
}

TEST_F(TimerTest, PendingTimersKeepTheirRemainingTimeAcrossClockSwitches)
{
    kit::Clock::useReal();
    bool fired = false;
    auto timer = kit::Timer::scheduled(2, false, [&] { fired = true; });
    kit::Clock::useManual(100);
    EXPECT_NEAR(timer->fireTime(), 102, 0.1);
    kit::Clock::advance(2.1);
    EXPECT_TRUE(fired);
}

TEST(RealClockTimer, FiresFromTheEventLoop)
{
    kit::Clock::useReal();
    QEventLoop loop;
    double scheduledAt = kit::Clock::now();
    double firedAt = 0;
    kit::Timer::scheduled(0.02, false, [&] {
        firedAt = kit::Clock::now();
        loop.quit();
    });
    QTimer::singleShot(10000, &loop, [&] { loop.quit(); }); // guard against a hang only
    loop.exec();
    EXPECT_GE(firedAt - scheduledAt, 0.02);
}

using TimerPublisherTest = ManualClockTest;

TEST_F(TimerPublisherTest, ConnectFiresOnePeriodAfterConnectionAndCancelStopsIt)
{
    kit::TimerPublisher publisher(2);
    std::vector<double> ticks;
    auto sub = publisher.sink([&] { ticks.push_back(kit::Clock::now()); });
    kit::Clock::advance(5);
    EXPECT_TRUE(ticks.empty()); // not connected yet
    auto connection = publisher.connect();
    kit::Clock::advance(4.5);
    EXPECT_EQ(ticks, (std::vector<double>{7, 9}));
    connection.cancel();
    kit::Clock::advance(10);
    EXPECT_EQ(ticks.size(), 2u);
}

TEST_F(TimerPublisherTest, AutoconnectSharesOneTimerAndRestartsAfterTheLastCancel)
{
    kit::TimerPublisher timer(1);
    auto ticks = timer.autoconnect();
    std::vector<std::string> log;
    auto a = ticks.sink([&](const kit::Date&) { log.push_back("a" + std::to_string(kit::Clock::now())); });
    kit::Clock::advance(0.5);
    auto b = ticks.sink([&] { log.push_back("b" + std::to_string(kit::Clock::now())); });
    kit::Clock::advance(0.6);
    EXPECT_EQ(log, (std::vector<std::string>{"a1.000000", "b1.000000"}));

    a.cancel();
    b.cancel();
    EXPECT_FALSE(timer.isConnected());
    kit::Clock::advance(0.3); // now 1.4
    auto c = ticks.sink([&] { log.push_back("c" + std::to_string(kit::Clock::now())); });
    kit::Clock::advance(1.0);
    EXPECT_EQ(log.back(), "c2.400000");
}

} // namespace
