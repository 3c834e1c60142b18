#pragma once

#include "kit/base/Publisher.h"

namespace kit {

// Sends values to its current subscribers, synchronously and in subscription
// order. It replays nothing; after sendCompletion() further sends are ignored.
// PassthroughSubject<void> carries no value: send() with no argument.
template <class T>
class PassthroughSubject {
public:
    using Value = ValueOf<T>;

    PassthroughSubject() = default;
    PassthroughSubject(const PassthroughSubject&) = delete;
    PassthroughSubject& operator=(const PassthroughSubject&) = delete;

    void send(const Value& value) const { list_->send(value); }
    void send() const
        requires std::is_void_v<T>
    {
        list_->send(Void{});
    }
    void sendCompletion() const { list_->finish(); }

    Publisher<T> publisher() const
    {
        return Publisher<T>([list = list_](detail::Handler<Value> handler) { return list->add(std::move(handler)); });
    }
    operator Publisher<T>() const { return publisher(); }

    template <class F>
    Cancellable sink(F receiveValue) const
    {
        return list_->add(detail::toHandler<Value>(std::move(receiveValue)));
    }

    std::size_t subscriberCount() const { return list_->count(); }

private:
    std::shared_ptr<detail::SubscriberList<Value>> list_ = std::make_shared<detail::SubscriberList<Value>>();
};

} // namespace kit
