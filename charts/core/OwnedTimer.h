#pragma once

#include "kit/base/Timer.h"

#include <memory>
#include <utility>

namespace charts {

// A scheduled run-loop timer that ends with its owner. Kept in a view's
// state, the timer lives as long as the view's node: when the node goes
// (its host is destroyed), a timer that has not fired yet is invalidated and
// never fires.
//
//   timer = std::make_shared<OwnedTimer>(kit::Timer::scheduled(0.5, false, block));
class OwnedTimer {
public:
    explicit OwnedTimer(std::shared_ptr<kit::Timer> timer) : timer_(std::move(timer)) {}
    ~OwnedTimer() { invalidate(); }
    OwnedTimer(const OwnedTimer&) = delete;
    OwnedTimer& operator=(const OwnedTimer&) = delete;

    // Stops the timer; does nothing once it has fired.
    void invalidate()
    {
        if (timer_)
            timer_->invalidate();
    }
    // Pending: neither fired nor invalidated.
    bool isValid() const { return timer_ && timer_->isValid(); }
    const std::shared_ptr<kit::Timer>& timer() const { return timer_; }

private:
    std::shared_ptr<kit::Timer> timer_;
};

} // namespace charts
