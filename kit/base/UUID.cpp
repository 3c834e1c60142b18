#include "kit/base/UUID.h"

#include "kit/base/HexDigit.h"

#include <QRandomGenerator>

#include <cstring>

namespace kit {

UUID::UUID()
{
    // The system generator is the platform's cryptographically secure source.
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32*>(bytes_.data()), 4);
    bytes_[6] = static_cast<std::uint8_t>((bytes_[6] & 0x0F) | 0x40); // version 4
    bytes_[8] = static_cast<std::uint8_t>((bytes_[8] & 0x3F) | 0x80); // variant 10
}

std::optional<UUID> UUID::fromString(std::string_view text)
{
    if (text.size() != 36)
        return std::nullopt;
    std::array<std::uint8_t, 16> bytes{};
    std::size_t byte = 0;
    int high = -1;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (i == 8 || i == 13 || i == 18 || i == 23) {
            if (c != '-')
                return std::nullopt;
            continue;
        }
        const int digit = hexDigit(static_cast<unsigned char>(c));
        if (digit < 0)
            return std::nullopt;
        if (high < 0) {
            high = digit;
        } else {
            bytes[byte++] = static_cast<std::uint8_t>(high * 16 + digit);
            high = -1;
        }
    }
    return UUID(bytes);
}

std::string UUID::uuidString() const
{
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(36);
    for (std::size_t i = 0; i < bytes_.size(); ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10)
            text += '-';
        text += digits[bytes_[i] >> 4];
        text += digits[bytes_[i] & 0x0F];
    }
    return text;
}

} // namespace kit

std::size_t std::hash<kit::UUID>::operator()(const kit::UUID& uuid) const noexcept
{
    std::uint64_t halves[2];
    std::memcpy(halves, uuid.bytes().data(), sizeof halves);
    return std::hash<std::uint64_t>{}(halves[0] ^ (halves[1] * 0x9E3779B97F4A7C15ULL));
}
