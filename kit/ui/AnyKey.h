#pragma once

#include <concepts>
#include <cstdint>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <type_traits>
#include <typeindex>

namespace kit {

template <class T>
concept HashableKey = std::equality_comparable<T> && requires(const T& t)
{
    {
        std::hash<T>{}(t)
        } -> std::convertible_to<std::size_t>;
};

// A type-erased hashable value: the identity of a ForEach element or of an
// explicit id(). Integers of every type become one 64-bit integer, and text
// literals become std::string, so id(3) equals a ForEach index 3. An
// integer is held in the key itself; other values are shared.
class AnyKey {
public:
    AnyKey() = default;
    AnyKey(const char* text) : AnyKey(std::string(text)) {}
    template <class T>
    requires(!std::is_same_v<std::decay_t<T>, AnyKey> && HashableKey<T>) explicit AnyKey(T value)
    {
        if constexpr (std::is_integral_v<T> && !std::is_same_v<T, bool>) {
            integer_ = static_cast<std::int64_t>(value);
            isInteger_ = true;
        } else {
            impl_ = std::make_shared<Holder<T>>(std::move(value));
        }
    }

    bool isEmpty() const { return !isInteger_ && !impl_; }
    std::size_t hash() const
    {
        if (isInteger_)
            return std::hash<std::int64_t>{}(integer_);
        return impl_ ? impl_->hash() : 0;
    }
    // A readable form for integers and texts (diagnostics and tests).
    std::string description() const
    {
        if (isInteger_)
            return std::to_string(integer_);
        return impl_ ? impl_->description() : std::string();
    }
    template <class T>
    const T* as() const
    {
        if constexpr (std::is_same_v<T, std::int64_t>) {
            return isInteger_ ? &integer_ : nullptr;
        } else {
            auto* holder = dynamic_cast<const Holder<T>*>(impl_.get());
            return holder ? &holder->value : nullptr;
        }
    }

    friend bool operator==(const AnyKey& a, const AnyKey& b)
    {
        if (a.isInteger_ || b.isInteger_)
            return a.isInteger_ && b.isInteger_ && a.integer_ == b.integer_;
        if (!a.impl_ || !b.impl_)
            return !a.impl_ && !b.impl_;
        return a.impl_->type() == b.impl_->type() && a.impl_->equals(*b.impl_);
    }

private:
    struct Base {
        virtual ~Base() = default;
        virtual std::type_index type() const = 0;
        virtual bool equals(const Base& other) const = 0;
        virtual std::size_t hash() const = 0;
        virtual std::string description() const = 0;
    };
    template <class T>
    struct Holder final : Base {
        explicit Holder(T v) : value(std::move(v)) {}
        std::type_index type() const override { return typeid(T); }
        bool equals(const Base& other) const override { return value == static_cast<const Holder&>(other).value; }
        std::size_t hash() const override { return std::hash<T>{}(value); }
        std::string description() const override
        {
            if constexpr (requires(std::ostream & os, const T& v) { os << v; }) {
                std::ostringstream os;
                os << value;
                return os.str();
            } else {
                return "#" + std::to_string(hash());
            }
        }
        T value;
    };
    std::shared_ptr<const Base> impl_;
    std::int64_t integer_ = 0;
    bool isInteger_ = false;
};

} // namespace kit

template <>
struct std::hash<kit::AnyKey> {
    std::size_t operator()(const kit::AnyKey& k) const noexcept { return k.hash(); }
};
