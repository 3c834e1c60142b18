#pragma once

#include "kit/base/ObservableObject.h"
#include "kit/ui/View.h"

#include <functional>
#include <memory>

namespace kit {

// A model a user view observes: list it in dynamicFields(); a will-change
// announcement of the object re-evaluates the view on the next turn of the
// main loop (several announcements make one pass). The view holds the
// object by shared_ptr; the node only subscribes.
//
//   template <class ChartData>
//   struct Legend {
//       kit::ObservedObject<ChartData> chartData;
//       auto dynamicFields() { return std::tie(chartData); }
//       kit::View body() const { return kit::Text(chartData->metadata->title); }
//   };
template <class T>
class ObservedObject {
    static_assert(std::is_base_of_v<ObservableObject, T>, "an observed object must be an ObservableObject");

public:
    ObservedObject() = default;
    ObservedObject(std::shared_ptr<T> object) : object_(std::move(object)) {}
    // A copy is not bound: only the host binds the copy it evaluates.
    ObservedObject(const ObservedObject& other) : object_(other.object_) {}
    ObservedObject& operator=(const ObservedObject& other)
    {
        object_ = other.object_;
        return *this;
    }

    T* operator->() const { return &**this; }
    T& operator*() const
    {
        if (!bound_ && detail::isEvaluatingBody())
            detail::misuse("an ObservedObject was read in body() but is not listed in dynamicFields()");
        return *object_;
    }
    const std::shared_ptr<T>& object() const { return object_; }
    explicit operator bool() const { return object_ != nullptr; }

    void bindTo(detail::FieldBinder& binder)
    {
        binder.observe(object_);
        bound_ = true;
    }

private:
    std::shared_ptr<T> object_;
    bool bound_ = false;
};

// An object a user view owns: the factory runs once, when the view's node is
// first inserted, and the object lives as long as the node. Observed like an
// ObservedObject.
template <class T>
class StateObject {
public:
    explicit StateObject(std::function<std::shared_ptr<T>()> factory) : factory_(std::move(factory)) {}

    T* operator->() const { return &**this; }
    T& operator*() const
    {
        std::shared_ptr<T> object = object_.lock();
        if (!object)
            detail::misuse("a StateObject was read before its view was inserted (or after it was removed)");
        return *object;
    }
    std::shared_ptr<T> object() const { return object_.lock(); }

    void bindTo(detail::FieldBinder& binder) { object_ = binder.stateObject<T>(factory_); }

private:
    std::function<std::shared_ptr<T>()> factory_;
    std::weak_ptr<T> object_;
};

} // namespace kit
