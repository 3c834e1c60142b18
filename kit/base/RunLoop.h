#pragma once

namespace kit {

// Test hook: runs queued main-queue work, timers due at the current clock
// time and waits for background queues, until nothing is left to do.
void runUntilIdle();

// Test hook: drops queued main-queue work and invalidates every timer.
void discardPendingWork();

} // namespace kit
