#pragma once

#include <cstdint>
#include <functional>

namespace kit {

// The one source of randomness. Seeded from the system by default; tests
// seed it for repeatable draws.
class Random {
public:
    // Replaces the generator with a std::mt19937_64 seeded with `seed`.
    static void seed(std::uint64_t seed);
    // Back to a generator seeded from the system.
    static void reseedFromSystem();

    // A uniform draw from the closed range [a, b]: a + (b − a)·k/2^53 with k
    // uniform in 0…2^53.
    static double uniform(double a, double b);
    // A uniform draw from 0…n − 1, without modulo bias (0 when n is 0).
    static std::uint64_t uniformInt(std::uint64_t n);
    // 64 uniformly random bits.
    static std::uint64_t next();
};

} // namespace kit
