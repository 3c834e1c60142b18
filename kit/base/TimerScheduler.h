#pragma once

#include "kit/base/Timer.h"

#include <memory>
#include <vector>

class QTimer;

namespace kit {

// The main thread's list of scheduled timers. In real time one precise
// QTimer wakes the event loop for the earliest one; under a manual clock
// Clock::advance() fires them.
class TimerScheduler {
public:
    static TimerScheduler& shared();

    void add(const std::shared_ptr<Timer>& timer);
    void remove(Timer* timer);
    // The earliest timer due at or before `limit` (ties: first scheduled).
    std::shared_ptr<Timer> nextDue(double limit) const;
    // Fires the timer as at time `now` and moves it to its next due time.
    void fire(const std::shared_ptr<Timer>& timer, double now);
    bool fireDue(double now);
    // Moves every due time by `delta` (when the clock changes its time base).
    void shift(double delta);
    void removeAll();
    // Points the wake-up QTimer at the earliest due time (real clock only).
    void arm();

private:
    std::vector<std::shared_ptr<Timer>> timers_;
    std::uint64_t nextOrder_ = 0;
    QTimer* wakeUp_ = nullptr;
};

} // namespace kit
