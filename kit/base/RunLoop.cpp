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
        // Wait for the background first: work it finished just before the
        // wait has already handed its results to the main queue, drained next.
        bool busy = BackgroundQueue::waitForAll();
        busy = MainQueue::drain() || busy;
        busy = Timer::fireDue(Clock::now()) || busy;
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
