#include "kit/base/TimerPublisher.h"

namespace kit {

TimerPublisher::TimerPublisher(double every) : state_(std::make_shared<State>())
{
    state_->period = every;
}

void TimerPublisher::State::start()
{
    if (timer && timer->isValid())
        return;
    std::weak_ptr<detail::SubscriberList<Date>> list = subscribers;
    timer = Timer::scheduled(period, true, [list] {
        if (auto l = list.lock())
            l->send(Date::now());
    });
}

void TimerPublisher::State::stop()
{
    if (timer)
        timer->invalidate();
    timer = nullptr;
}

Cancellable TimerPublisher::connect() const
{
    state_->start();
    return Cancellable([state = state_] { state->stop(); });
}

Publisher<Date> TimerPublisher::autoconnect() const
{
    return Publisher<Date>([state = state_](detail::Handler<Date> handler) {
        auto subscription = std::make_shared<Cancellable>(state->subscribers->add(std::move(handler)));
        if (state->autoSubscribers++ == 0)
            state->start();
        return Cancellable([state, subscription] {
            subscription->cancel();
            if (--state->autoSubscribers == 0)
                state->stop();
        });
    });
}

} // namespace kit
