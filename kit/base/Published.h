#pragma once

#include "kit/base/ObservableObject.h"

#include <concepts>
#include <cstdint>
#include <functional>
#include <memory>
#include <utility>

namespace kit {

// A property of an ObservableObject that announces every write. A write
// (an assignment, or one modify() call) does, in this order:
//   1. owner->objectWillChange.send();
//   2. the property's own publisher emits the new value;
//   3. the value is stored;
//   4. the optional did-set hook runs with the old value.
// There is no equality check: writing an equal value still announces.
//
//   struct Progress : kit::ObservableObject {
//       kit::Published<double> fraction{this, 0.0};
//   };
//   model->fraction = 0.5;                        // one write
//   model->fraction.modify([](double& v) { v *= 2; });  // one write
//   double f = *model->fraction;                  // or .get(), or implicitly
template <class T>
class Published {
public:
    using DidSet = std::function<void(const T& oldValue)>;

    explicit Published(ObservableObject* owner, T initial = T{}, DidSet didSet = {})
        : owner_(owner), didSet_(std::move(didSet)), state_(std::make_shared<State>(std::move(initial)))
    {
    }
    Published(const Published&) = delete;

    Published& operator=(T value)
    {
        write(std::move(value));
        return *this;
    }
    // Copies the other property's value in: one write.
    Published& operator=(const Published& other)
    {
        write(T(other.get()));
        return *this;
    }

    // Changes the value in place as one write. Where nothing would see the
    // new value before it is stored (no subscriber of the property's own
    // once the object has announced the change, no did-set hook) the value
    // changes where it lies, after the announcement, instead of in a copy
    // stored over it: a large value (a chart's thousands of points) is not
    // copied for a change of one of its parts.
    template <class F>
    void modify(F&& change)
    {
        if (didSet_) {
            T next = state_->value;
            std::forward<F>(change)(next);
            write(std::move(next));
            return;
        }
        assertMainThread();
        if (owner_)
            owner_->objectWillChange.send();
        if (state_->list->count() == 0) {
            std::forward<F>(change)(state_->value);
            ++state_->version;
            return;
        }
        T next = state_->value;
        std::forward<F>(change)(next);
        state_->list->send(next);
        ++state_->version;
        state_->value = std::move(next);
    }

    const T& get() const { return state_->value; }
    // How many writes the property has had: a cheap stand-in for its value
    // where only "did it change" matters (.animation(animation, property)).
    std::uint64_t version() const { return state_->version; }
    const T& operator*() const { return state_->value; }
    const T* operator->() const { return &state_->value; }
    operator const T&() const { return state_->value; }

    // Gives each new subscriber the current value at once, then every write.
    Publisher<T> publisher() const
    {
        return Publisher<T>([state = state_](detail::Handler<T> handler) {
            handler(state->value);
            return state->list->add(std::move(handler));
        });
    }

    template <class F>
    Cancellable sink(F receiveValue) const
    {
        return publisher().sink(std::move(receiveValue));
    }

    friend bool operator==(const Published& a, const T& b) requires std::equality_comparable<T> { return a.get() == b; }

private:
    struct State {
        explicit State(T initial) : value(std::move(initial)) {}
        T value;
        std::uint64_t version = 0;
        std::shared_ptr<detail::SubscriberList<T>> list = std::make_shared<detail::SubscriberList<T>>();
    };

    void write(T next)
    {
        assertMainThread();
        if (owner_)
            owner_->objectWillChange.send();
        state_->list->send(next);
        ++state_->version;
        if (!didSet_) {
            state_->value = std::move(next);
            return;
        }
        T old = std::exchange(state_->value, std::move(next));
        didSet_(old);
    }

    ObservableObject* owner_;
    DidSet didSet_;
    std::shared_ptr<State> state_;
};

} // namespace kit
