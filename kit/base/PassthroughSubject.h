#pragma once

#include "kit/base/Publisher.h"

#include <mutex>

namespace kit {

// Sends values to its current subscribers, synchronously and in subscription
// order. It replays nothing; after sendCompletion() further sends are ignored.
// PassthroughSubject<void> carries no value: send() with no argument.
// Its list of subscribers is made the first time it is used: most subjects
// (one in every decoded record of a count) are never used at all.
template <class T>
class PassthroughSubject {
public:
    using Value = ValueOf<T>;

    PassthroughSubject() = default;
    PassthroughSubject(const PassthroughSubject&) = delete;
    PassthroughSubject& operator=(const PassthroughSubject&) = delete;

    void send(const Value& value) const { list()->send(value); }
    void send() const requires std::is_void_v<T> { list()->send(Void{}); }
    void sendCompletion() const { list()->finish(); }

    Publisher<T> publisher() const
    {
        return Publisher<T>([list = list()](detail::Handler<Value> handler) { return list->add(std::move(handler)); });
    }
    operator Publisher<T>() const { return publisher(); }

    template <class F>
    Cancellable sink(F receiveValue) const
    {
        return list()->add(detail::toHandler<Value>(std::move(receiveValue)));
    }

    std::size_t subscriberCount() const { return list()->count(); }

private:
    const std::shared_ptr<detail::SubscriberList<Value>>& list() const
    {
        std::call_once(made_, [this] { list_ = std::make_shared<detail::SubscriberList<Value>>(); });
        return list_;
    }

    mutable std::once_flag made_;
    mutable std::shared_ptr<detail::SubscriberList<Value>> list_;
};

} // namespace kit
