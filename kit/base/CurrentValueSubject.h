#pragma once

#include "kit/base/Publisher.h"

namespace kit {

// A subject that holds a value: it gives each new subscriber the current
// value at once, and send() stores the value before delivering it.
template <class T>
class CurrentValueSubject {
public:
    explicit CurrentValueSubject(T initial) : state_(std::make_shared<State>(std::move(initial))) {}
    CurrentValueSubject(const CurrentValueSubject&) = delete;
    CurrentValueSubject& operator=(const CurrentValueSubject&) = delete;

    const T& value() const { return state_->value; }

    void send(T value) const
    {
        if (state_->finished)
            return;
        state_->value = std::move(value);
        state_->list->send(state_->value);
    }
    void sendCompletion() const
    {
        state_->finished = true;
        state_->list->finish();
    }

    Publisher<T> publisher() const
    {
        return Publisher<T>([state = state_](detail::Handler<T> handler) {
            handler(state->value);
            return state->list->add(std::move(handler));
        });
    }
    operator Publisher<T>() const { return publisher(); }

    template <class F>
    Cancellable sink(F receiveValue) const
    {
        return publisher().sink(std::move(receiveValue));
    }

private:
    struct State {
        explicit State(T initial) : value(std::move(initial)) {}
        T value;
        bool finished = false;
        std::shared_ptr<detail::SubscriberList<T>> list = std::make_shared<detail::SubscriberList<T>>();
    };
    std::shared_ptr<State> state_;
};

} // namespace kit
