#pragma once

#include <concepts>
#include <memory>

namespace charts {

// The base of a chart-data object whose own views observe it: made with
// std::make_shared, the object can hand those views the shared pointer that
// owns it (sharedSelf).
class SharedSelf : public std::enable_shared_from_this<SharedSelf> {
protected:
    SharedSelf() = default;
    SharedSelf(const SharedSelf&) = default;
    SharedSelf& operator=(const SharedSelf&) = default;
    ~SharedSelf() = default;
};

// `object` as the shared pointer that owns it holds it; null when no shared
// pointer owns it (then no view can observe it, and its views show nothing).
template <class T>
requires std::derived_from<T, SharedSelf> std::shared_ptr<T> sharedSelf(const T& object)
{
    return std::const_pointer_cast<T>(std::static_pointer_cast<const T>(object.weak_from_this().lock()));
}

} // namespace charts
