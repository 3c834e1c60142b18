#include "core/FreshId.h"

#include "kit/base/UUID.h"

#include <cstring>
#include <random>

namespace qm {

kit::UUID freshId()
{
    thread_local std::mt19937_64 generator = [] {
        const kit::UUID source;
        const auto& seed = source.bytes();
        std::seed_seq sequence(seed.begin(), seed.end());
        return std::mt19937_64(sequence);
    }();
    std::array<std::uint8_t, 16> bytes;
    const std::uint64_t halves[2] = {generator(), generator()};
    std::memcpy(bytes.data(), halves, bytes.size());
    bytes[6] = static_cast<std::uint8_t>((bytes[6] & 0x0F) | 0x40); // version 4
    bytes[8] = static_cast<std::uint8_t>((bytes[8] & 0x3F) | 0x80); // variant 10
    return kit::UUID(bytes);
}

} // namespace qm
