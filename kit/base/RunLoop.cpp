#include "kit/base/RunLoop.h"

#include "kit/base/BackgroundQueue.h"
#include "kit/base/Clock.h"
#include "kit/base/MainQueue.h"
#include "kit/base/Timer.h"

#include <cstdio>

namespace kit {

void runUntilIdle()
{
    // Work that keeps re-queueing itself would never settle: give up after
    // this many rounds rather than hang.
    constexpr int maximumRounds = 100000;
    for (int round = 0; round < maximumRounds; ++round) {
        bool busy = MainQueue::drain();
        busy = Timer::fireDue(Clock::now()) || busy;
        busy = BackgroundQueue::waitForAll() || busy;
        if (!busy)
            return;
    }
    std::fprintf(stderr, "kit::runUntilIdle: still busy after %d rounds\n", maximumRounds);
}

void discardPendingWork()
{
    MainQueue::discardAll();
    Timer::invalidateAll();
}

} // namespace kit
