#pragma once

namespace kit {

// Steady time in seconds. Every kit timer and the animation system read it.
// Tests switch to a manual clock and move time by hand.
class Clock {
public:
    static double now();

    // Switches to manual time starting at `start`. Pending timers keep their
    // remaining time. Called while already manual, it jumps to `start`
    // without firing anything (the next runUntilIdle() fires what is then
    // due, once, skipping missed repeats).
    static void useManual(double start = 0);
    static void useReal();
    static bool isManual();

    // Manual clock only: moves time forward by `seconds`, firing due timers
    // in due order with now() set to each due time, and draining the main
    // queue after each fire. Ends with now() at the target time.
    static void advance(double seconds);
};

} // namespace kit
