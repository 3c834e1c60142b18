#include "kit/base/Random.h"

#include <mutex>
#include <random>

namespace kit {

namespace {

struct Generator {
    std::mutex mutex;
    std::mt19937_64 engine{std::random_device{}()};
};

Generator& generator()
{
    static Generator g;
    return g;
}

} // namespace

void Random::seed(std::uint64_t seed)
{
    auto& g = generator();
    std::lock_guard lock(g.mutex);
    g.engine.seed(seed);
}

void Random::reseedFromSystem()
{
    std::random_device device;
    seed((static_cast<std::uint64_t>(device()) << 32) ^ device());
}

std::uint64_t Random::next()
{
    auto& g = generator();
    std::lock_guard lock(g.mutex);
    return g.engine();
}

std::uint64_t Random::uniformInt(std::uint64_t n)
{
    if (n == 0)
        return 0;
    // Reject the low values that would make some remainders more likely.
    std::uint64_t threshold = (0 - n) % n;
    for (;;) {
        std::uint64_t r = next();
        if (r >= threshold)
            return r % n;
    }
}

double Random::uniform(double a, double b)
{
    constexpr std::uint64_t steps = std::uint64_t{1} << 53;
    auto k = static_cast<double>(uniformInt(steps + 1));
    return a + (b - a) * (k / static_cast<double>(steps));
}

} // namespace kit
