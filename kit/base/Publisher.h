#pragma once

#include "kit/base/Cancellable.h"
#include "kit/base/MainQueue.h"

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <type_traits>
#include <utility>
#include <vector>

namespace kit {

// The value a publisher of `void` carries.
struct Void {
    friend bool operator==(Void, Void) { return true; }
};

template <class T>
using ValueOf = std::conditional_t<std::is_void_v<T>, Void, T>;

template <class T>
class Published;

namespace detail {

template <class V>
using Handler = std::function<void(const V&)>;

// Accepts closures taking the value or taking nothing.
template <class V, class F>
Handler<V> toHandler(F f)
{
    if constexpr (std::is_invocable_v<F&, const V&>)
        return Handler<V>(std::move(f));
    else
        return [f = std::move(f)](const V&) mutable { f(); };
}

// One subscriber's closure. Clearing it releases the closure; a delivery in
// progress keeps its own reference, so a closure may cancel itself.
template <class V>
class HandlerSlot {
public:
    explicit HandlerSlot(Handler<V> handler) : handler_(std::make_shared<const Handler<V>>(std::move(handler))) {}

    void call(const V& value) const
    {
        std::shared_ptr<const Handler<V>> handler;
        {
            std::lock_guard lock(mutex_);
            handler = handler_;
        }
        if (handler)
            (*handler)(value);
    }

    void clear()
    {
        std::shared_ptr<const Handler<V>> released;
        std::lock_guard lock(mutex_);
        released.swap(handler_);
    }

private:
    mutable std::mutex mutex_;
    std::shared_ptr<const Handler<V>> handler_;
};

// The subscribers of one subject, delivered synchronously in subscription order.
template <class V>
class SubscriberList : public std::enable_shared_from_this<SubscriberList<V>> {
public:
    Cancellable add(Handler<V> handler)
    {
        auto slot = std::make_shared<HandlerSlot<V>>(std::move(handler));
        {
            std::lock_guard lock(mutex_);
            slots_.push_back(slot);
        }
        return Cancellable([list = this->weak_from_this(), weakSlot = std::weak_ptr(slot)] {
            auto slot = weakSlot.lock();
            if (!slot)
                return;
            slot->clear();
            if (auto strongList = list.lock())
                strongList->remove(slot.get());
        });
    }

    // Subscribers added during this delivery do not receive the value.
    void send(const V& value)
    {
        if (finished_)
            return;
        std::vector<std::shared_ptr<HandlerSlot<V>>> snapshot;
        {
            std::lock_guard lock(mutex_);
            snapshot = slots_;
        }
        for (const auto& slot : snapshot)
            slot->call(value);
    }

    void finish() { finished_ = true; }

    std::size_t count() const
    {
        std::lock_guard lock(mutex_);
        return slots_.size();
    }

private:
    void remove(const HandlerSlot<V>* slot)
    {
        std::lock_guard lock(mutex_);
        std::erase_if(slots_, [slot](const auto& s) { return s.get() == slot; });
    }

    mutable std::mutex mutex_;
    std::vector<std::shared_ptr<HandlerSlot<V>>> slots_;
    std::atomic<bool> finished_ = false;
};

} // namespace detail

// A source of values to subscribe to. Subjects, published properties, timer
// publishers and notification publishers all hand one out.
template <class T>
class Publisher {
public:
    using Value = ValueOf<T>;
    using Subscribe = std::function<Cancellable(detail::Handler<Value>)>;

    explicit Publisher(Subscribe subscribe) : subscribe_(std::move(subscribe)) {}

    // `receiveValue` takes the value, or nothing.
    template <class F>
    Cancellable sink(F receiveValue) const
    {
        return subscribe_(detail::toHandler<Value>(std::move(receiveValue)));
    }

    // Re-delivers each value through MainQueue::async, in FIFO order; values
    // still queued when the subscription is cancelled are dropped.
    Publisher receiveOnMain() const
    {
        return Publisher([upstream = subscribe_](detail::Handler<Value> handler) {
            auto slot = std::make_shared<detail::HandlerSlot<Value>>(std::move(handler));
            auto inner = std::make_shared<Cancellable>(
                upstream([slot](const Value& value) { MainQueue::async([slot, value] { slot->call(value); }); }));
            return Cancellable([slot, inner] {
                slot->clear();
                inner->cancel();
            });
        });
    }

    // Writes each value into the property; each value is one write.
    Cancellable assign(Published<T>& target) const requires(!std::is_void_v<T>)
    {
        return sink([&target](const Value& value) { target = value; });
    }

private:
    Subscribe subscribe_;
};

} // namespace kit
