#pragma once

#include <functional>
#include <utility>

namespace qm {

// Two-way access to a value that someone else stores.
template <class T>
struct Binding {
    std::function<T()> get;
    std::function<void(T)> set;

    T operator()() const { return get(); }

    static Binding constant(T value)
    {
        return {[value] { return value; }, [](T) {}};
    }
};

} // namespace qm
