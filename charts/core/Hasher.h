#pragma once

#include "kit/base/Hashing.h"

#include <concepts>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <tuple>
#include <type_traits>
#include <variant>
#include <vector>

namespace charts {

// Feeds values into one running hash, in the order they are given, the way
// the chart value types describe their hashing: doubles with both zeros
// alike, enumerations by case position (with their associated values), an
// optional as a presence byte (1 or 0) followed by its value, a list as its
// count followed by its elements.
class Hasher {
public:
    Hasher& combine(double value)
    {
        kit::hashCombine(seed_, kit::hashDouble(value));
        return *this;
    }

    template <class T>
    requires std::is_enum_v<T> Hasher& combine(T value)
    {
        kit::hashCombine(seed_, std::hash<std::int64_t>{}(static_cast<std::int64_t>(value)));
        return *this;
    }

    template <class T>
    requires std::integral<T> Hasher& combine(T value)
    {
        kit::hashCombine(seed_, std::hash<std::int64_t>{}(static_cast<std::int64_t>(value)));
        return *this;
    }

    template <class T>
    requires(!std::is_arithmetic_v<T> && !std::is_enum_v<T>) Hasher& combine(const T& value)
    {
        kit::hashCombine(seed_, std::hash<T>{}(value));
        return *this;
    }

    template <class T>
    Hasher& combine(const std::optional<T>& value)
    {
        if (!value)
            return combine(std::uint8_t{0});
        combine(std::uint8_t{1});
        return combine(*value);
    }

    template <class T>
    Hasher& combine(const std::vector<T>& values)
    {
        combine(values.size());
        for (const T& value : values)
            combine(value);
        return *this;
    }

    // An enumeration with associated values (a variant of case structs): the
    // case's position, then the values the case lists in `members()`, a
    // tuple of references in hashing order (a case without it has none).
    template <class... Cases>
    Hasher& combine(const std::variant<Cases...>& value)
    {
        combine(value.index());
        std::visit(
            [this](const auto& c) {
                if constexpr (requires { c.members(); })
                    std::apply([this](const auto&... member) { (combine(member), ...); }, c.members());
            },
            value);
        return *this;
    }

    std::size_t finalize() const { return seed_; }

private:
    std::size_t seed_ = 0;
};

// Hashes the given values in order.
template <class... Ts>
std::size_t hashValues(const Ts&... values)
{
    Hasher hasher;
    (hasher.combine(values), ...);
    return hasher.finalize();
}

} // namespace charts
