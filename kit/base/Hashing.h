#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <functional>

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

} // namespace kit
