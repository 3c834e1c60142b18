#pragma once

#include <array>
#include <compare>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace kit {

// A random (version 4) UUID. Every construction makes a fresh one from a
// cryptographic source; copies keep theirs. Equality, ordering and hashing
// use the 16 bytes.
class UUID {
public:
    UUID();
    explicit UUID(const std::array<std::uint8_t, 16>& bytes) : bytes_(bytes) {}

    // Accepts 8-4-4-4-12 hexadecimal groups in either case.
    static std::optional<UUID> fromString(std::string_view text);

    // 36 characters of uppercase hexadecimal in 8-4-4-4-12 groups.
    std::string uuidString() const;
    const std::array<std::uint8_t, 16>& bytes() const { return bytes_; }

    friend bool operator==(const UUID&, const UUID&) = default;
    friend auto operator<=>(const UUID&, const UUID&) = default;

private:
    std::array<std::uint8_t, 16> bytes_;
};

} // namespace kit

template <>
struct std::hash<kit::UUID> {
    std::size_t operator()(const kit::UUID& uuid) const noexcept;
};
