#pragma once

#include "kit/ui/View.h"

#include <concepts>
#include <functional>
#include <memory>

namespace kit {

namespace detail {

struct StateBoxBase {
    std::weak_ptr<NodeAnchor> owner;
    bool bound = false;
};

template <class T>
struct StateBox : StateBoxBase {
    explicit StateBox(T v) : value(std::move(v)) {}
    T value;
};

} // namespace detail

template <class T>
class Binding;

// View state kept in the host's tree. Declare it as a field of a user view,
// list it in dynamicFields(), read it with *state and write it with
// state = value (also from a const copy captured by an action). A write
// marks the view dirty; it re-evaluates in the next update pass, animated
// when the write happens inside withAnimation.
//
//   struct Blink {
//       kit::State<bool> on{false};
//       auto dynamicFields() { return std::tie(on); }
//       kit::View body() const {
//           return kit::Circle().fill(*on ? kit::Color::red() : kit::Color::gray())
//               .onTapGesture([on = on] { on = !*on; });
//       }
//   };
//
// The value given at construction is used only when the node is inserted;
// later view values' initial values are ignored. Copies share the storage.
template <class T>
class State {
public:
    State() requires std::default_initializable<T> : box_(std::make_shared<detail::StateBox<T>>(T{})) {}
    State(T initial) : box_(std::make_shared<detail::StateBox<T>>(std::move(initial))) {}

    const T& get() const
    {
        if (!box_->bound && detail::isEvaluatingBody())
            detail::misuse("a State was read in body() but is not listed in dynamicFields()");
        return box_->value;
    }
    const T& operator*() const { return get(); }
    const T* operator->() const { return &get(); }

    void set(T value) const
    {
        if (!box_->bound)
            detail::misuse("a State was written but its view is not in a host (or it is not in dynamicFields())");
        box_->value = std::move(value);
        detail::markDirty(box_->owner);
    }
    const State& operator=(T value) const
    {
        set(std::move(value));
        return *this;
    }
    State(const State&) = default;
    State& operator=(const State&) = default;

    Binding<T> binding() const;

    // Called by the host while binding the view's dynamic fields.
    void bindTo(detail::FieldBinder& binder) { box_ = binder.stateBox<detail::StateBox<T>>(box_->value); }

private:
    std::shared_ptr<detail::StateBox<T>> box_;
};

// Reads and writes some storage: a State, a published property, a constant.
template <class T>
class Binding {
public:
    Binding(std::function<T()> get, std::function<void(const T&)> set) : get_(std::move(get)), set_(std::move(set)) {}
    static Binding constant(T value)
    {
        return Binding([value] { return value; }, [](const T&) {});
    }

    T get() const { return get_(); }
    T operator*() const { return get_(); }
    void set(const T& value) const { set_(value); }
    const Binding& operator=(const T& value) const
    {
        set_(value);
        return *this;
    }
    Binding(const Binding&) = default;
    Binding& operator=(const Binding&) = default;

private:
    std::function<T()> get_;
    std::function<void(const T&)> set_;
};

template <class T>
Binding<T> State<T>::binding() const
{
    State copy = *this;
    return Binding<T>([copy] { return *copy; }, [copy](const T& v) { copy = v; });
}

} // namespace kit
