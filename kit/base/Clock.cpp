#include "kit/base/Clock.h"

#include "kit/base/MainQueue.h"
#include "kit/base/TimerScheduler.h"

#include <algorithm>
#include <atomic>
#include <chrono>

namespace kit {

namespace {

std::atomic<bool> manual = false;
std::atomic<double> manualNow = 0;

double realNow()
{
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

} // namespace

double Clock::now()
{
    return manual ? manualNow.load() : realNow();
}

void Clock::useManual(double start)
{
    if (!manual)
        TimerScheduler::shared().shift(start - realNow());
    manual = true;
    manualNow = start;
    TimerScheduler::shared().arm();
}

void Clock::useReal()
{
    if (manual) {
        manual = false;
        TimerScheduler::shared().shift(realNow() - manualNow.load());
    }
}

bool Clock::isManual()
{
    return manual;
}

void Clock::advance(double seconds)
{
    if (!manual)
        return;
    double target = manualNow + std::max(seconds, 0.0);
    auto& scheduler = TimerScheduler::shared();
    // Work queued before the advance belongs to the present moment.
    MainQueue::drain();
    while (auto timer = scheduler.nextDue(target)) {
        manualNow = std::max(manualNow.load(), timer->fireTime());
        scheduler.fire(timer, manualNow.load());
        MainQueue::drain();
    }
    manualNow = std::max(manualNow.load(), target);
}

} // namespace kit
