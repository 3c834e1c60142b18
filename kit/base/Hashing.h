#pragma once

#include <bit>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <ranges>
#include <type_traits>
#include <utility>

namespace kit {

// Hash of a double that agrees with ==: -0 and +0 hash alike.
inline std::size_t hashDouble(double value)
{
    if (value == 0)
        value = 0;
    return std::hash<std::uint64_t>{}(std::bit_cast<std::uint64_t>(value));
}

// Folds another hash into a running seed.
inline void hashCombine(std::size_t& seed, std::size_t value)
{
    seed ^= value + 0x9e3779b97f4a7c15ULL + (seed << 6) + (seed >> 2);
}

// Whether hashValue takes a T: anything std::hash takes, floating values,
// and optionals and ranges of hashable values.
template <class T>
consteval bool hashable()
{
    if constexpr (std::floating_point<T>)
        return true;
    else if constexpr (requires(const T& v) { std::hash<T>{}(v); })
        return true;
    else if constexpr (requires(const T& v) {
                           v.has_value();
                           *v;
                       })
        return hashable<std::remove_cvref_t<decltype(*std::declval<const T&>())>>();
    else if constexpr (std::ranges::input_range<const T>)
        return hashable<std::ranges::range_value_t<const T>>();
    else
        return false;
}

template <class T>
concept Hashable = hashable<T>();

// A hash that agrees with ==: doubles as hashDouble, an optional as its
// presence then its value, a range as its elements in order then its count,
// anything else by std::hash.
template <Hashable T>
std::size_t hashValue(const T& value)
{
    if constexpr (std::floating_point<T>) {
        return hashDouble(double(value));
    } else if constexpr (requires { std::hash<T>{}(value); }) {
        return std::hash<T>{}(value);
    } else if constexpr (requires {
                             value.has_value();
                             *value;
                         }) {
        std::size_t seed = value.has_value() ? 1 : 0;
        if (value.has_value())
            hashCombine(seed, hashValue(*value));
        return seed;
    } else {
        std::size_t seed = 0;
        std::size_t count = 0;
        for (const auto& element : value) {
            hashCombine(seed, hashValue(element));
            ++count;
        }
        hashCombine(seed, count);
        return seed;
    }
}

} // namespace kit
