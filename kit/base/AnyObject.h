#pragma once

#include <any>
#include <memory>

namespace kit {

// An arbitrary object with an identity: a shared pointer that remembers its
// type. Two AnyObjects are the same object when they point at the same
// thing; values are boxed into a new object each time.
//
//   auto urls = kit::AnyObject::box(std::vector<kit::Url>{...});
//   if (auto list = urls.as<std::vector<kit::Url>>()) { ... }
class AnyObject {
public:
    AnyObject() = default;
    template <class T>
    AnyObject(std::shared_ptr<T> object) : identity_(object), typed_(std::move(object))
    {
    }

    template <class T>
    static AnyObject box(T value)
    {
        return AnyObject(std::make_shared<T>(std::move(value)));
    }

    // The object when it is a T (exactly as stored), else null.
    template <class T>
    std::shared_ptr<T> as() const
    {
        auto* object = std::any_cast<std::shared_ptr<T>>(&typed_);
        return object ? *object : nullptr;
    }

    bool isNone() const { return !identity_; }
    const void* identity() const { return identity_.get(); }
    std::weak_ptr<const void> weakIdentity() const { return identity_; }
    friend bool operator==(const AnyObject& a, const AnyObject& b) { return a.identity() == b.identity(); }

private:
    std::shared_ptr<const void> identity_;
    std::any typed_;
};

} // namespace kit
