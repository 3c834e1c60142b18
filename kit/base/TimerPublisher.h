#pragma once

#include "kit/base/Date.h"
#include "kit/base/Publisher.h"
#include "kit/base/Timer.h"

#include <memory>

namespace kit {

// Publishes the Date of each fire of a repeating main-loop timer, with no
// tolerance. It fires only while connected: the first value comes one period
// after connecting, at t0 + k·period; missed fires are skipped and the
// schedule stays aligned to t0. Copies share one timer and one subscriber list.
class TimerPublisher {
public:
    explicit TimerPublisher(double every);

    // Starts the timer (if not running); cancelling the result stops it.
    Cancellable connect() const;
    // A publisher that connects at its first subscription and stops the timer
    // when its last subscriber cancels; a later subscription starts afresh.
    Publisher<Date> autoconnect() const;

    // Subscribes without connecting.
    template <class F>
    Cancellable sink(F receiveValue) const
    {
        return state_->subscribers->add(detail::toHandler<Date>(std::move(receiveValue)));
    }

    double period() const { return state_->period; }
    // One identity per timer, shared by copies: subscribers can tell a new
    // timer from the one they already follow.
    const void* identity() const { return state_.get(); }
    bool isConnected() const { return state_->timer && state_->timer->isValid(); }

private:
    struct State {
        double period = 0;
        std::shared_ptr<Timer> timer;
        std::shared_ptr<detail::SubscriberList<Date>> subscribers = std::make_shared<detail::SubscriberList<Date>>();
        int autoSubscribers = 0;
        ~State() { stop(); }
        void start();
        void stop();
    };
    std::shared_ptr<State> state_;
};

} // namespace kit
