#include "kit/base/Color.h"

#include "kit/base/HexDigit.h"

#include <QColor>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace kit {

namespace {

RGBA fromHex24(unsigned v, double alpha = 1)
{
    return {((v >> 16) & 0xFF) / 255.0, ((v >> 8) & 0xFF) / 255.0, (v & 0xFF) / 255.0, alpha};
}

struct SchemePair {
    RGBA light, dark;
};

SchemePair table(Color::Name name)
{
    using N = Color::Name;
    switch (name) {
    case N::primary:
        return {{0, 0, 0, 0.85}, {1, 1, 1, 0.85}};
    case N::secondary:
        return {{0, 0, 0, 0.50}, {1, 1, 1, 0.55}};
    case N::accent:
        return {fromHex24(0x007AFF), fromHex24(0x0A84FF)};
    case N::windowBackground:
        return {fromHex24(0xECECEC), fromHex24(0x323232)};
    case N::separator:
        return {{0, 0, 0, 0.10}, {1, 1, 1, 0.10}};
    case N::red:
        return {fromHex24(0xFF3B30), fromHex24(0xFF453A)};
    case N::orange:
        return {fromHex24(0xFF9500), fromHex24(0xFF9F0A)};
    case N::yellow:
        return {fromHex24(0xFFCC00), fromHex24(0xFFD60A)};
    case N::green:
        return {fromHex24(0x28CD41), fromHex24(0x32D74B)};
    case N::blue:
        return {fromHex24(0x007AFF), fromHex24(0x0A84FF)};
    case N::purple:
        return {fromHex24(0xAF52DE), fromHex24(0xBF5AF2)};
    case N::pink:
        return {fromHex24(0xFF2D55), fromHex24(0xFF375F)};
    case N::brown:
        return {fromHex24(0xA2845E), fromHex24(0xAC8E68)};
    case N::gray:
        return {fromHex24(0x8E8E93), fromHex24(0x98989D)};
    case N::fixed:
        break;
    }
    return {};
}

const std::optional<RGBA>* paletteEntry(const ColorPalette& p, Color::Name name)
{
    switch (name) {
    case Color::Name::primary:
        return &p.primary;
    case Color::Name::secondary:
        return &p.secondary;
    case Color::Name::accent:
        return &p.accent;
    case Color::Name::windowBackground:
        return &p.windowBackground;
    case Color::Name::separator:
        return &p.separator;
    default:
        return nullptr;
    }
}

} // namespace

RGBA RGBA::mix(const RGBA& a, const RGBA& b, double t)
{
    const double alpha = a.alpha + (b.alpha - a.alpha) * t;
    auto channel = [&](double ca, double cb) {
        const double premultiplied = ca * a.alpha + (cb * b.alpha - ca * a.alpha) * t;
        return alpha != 0 ? premultiplied / alpha : ca + (cb - ca) * t;
    };
    return {channel(a.red, b.red), channel(a.green, b.green), channel(a.blue, b.blue), alpha};
}

QColor RGBA::toQColor() const
{
    auto clamp = [](double v) { return std::isnan(v) ? 0.0 : std::clamp(v, 0.0, 1.0); };
    return QColor::fromRgbF(clamp(red), clamp(green), clamp(blue), clamp(alpha));
}

Color Color::hsb(double h, double s, double v, double opacity)
{
    h = std::fmod(h, 1.0);
    if (h < 0)
        h += 1;
    const double sector = h * 6;
    const int i = static_cast<int>(std::floor(sector)) % 6;
    const double f = sector - std::floor(sector);
    const double p = v * (1 - s), q = v * (1 - s * f), t = v * (1 - s * (1 - f));
    switch (i) {
    case 0:
        return rgb(v, t, p, opacity);
    case 1:
        return rgb(q, v, p, opacity);
    case 2:
        return rgb(p, v, t, opacity);
    case 3:
        return rgb(p, q, v, opacity);
    case 4:
        return rgb(t, p, v, opacity);
    default:
        return rgb(v, p, q, opacity);
    }
}

std::optional<Color> Color::parseHex(std::string_view text)
{
    if (text.empty() || text.front() != '#')
        return std::nullopt;
    text.remove_prefix(1);
    if (text.size() != 3 && text.size() != 6 && text.size() != 8)
        return std::nullopt;
    unsigned digits[8] = {};
    for (std::size_t i = 0; i < text.size(); ++i) {
        const int d = hexDigit(static_cast<unsigned char>(text[i]));
        if (d < 0)
            return std::nullopt;
        digits[i] = static_cast<unsigned>(d);
    }
    if (text.size() == 3)
        return rgb(digits[0] * 17 / 255.0, digits[1] * 17 / 255.0, digits[2] * 17 / 255.0);
    auto byte = [&](int i) { return (digits[2 * i] * 16 + digits[2 * i + 1]) / 255.0; };
    return rgb(byte(0), byte(1), byte(2), text.size() == 8 ? byte(3) : 1.0);
}

Color Color::hex(std::string_view text)
{
    return parseHex(text).value_or(clear());
}

Color Color::opacity(double f) const
{
    Color c = *this;
    c.rgba_.alpha *= f;
    return c;
}

RGBA Color::resolved(ColorScheme scheme, const ColorPalette* palette) const
{
    if (name_ == Name::fixed)
        return rgba_;
    RGBA base = scheme == ColorScheme::dark ? table(name_).dark : table(name_).light;
    if (palette)
        if (const auto* entry = paletteEntry(*palette, name_); entry && *entry)
            base = **entry;
    base.alpha *= rgba_.alpha;
    return base;
}

std::string Color::hexString() const
{
    auto byte = [](double v) { return static_cast<unsigned>(std::lround(std::clamp(v, 0.0, 1.0) * 255)); };
    char buffer[16];
    if (rgba_.alpha >= 1)
        std::snprintf(buffer, sizeof buffer, "#%02X%02X%02X", byte(rgba_.red), byte(rgba_.green), byte(rgba_.blue));
    else
        std::snprintf(buffer, sizeof buffer, "#%02X%02X%02X%02X", byte(rgba_.red), byte(rgba_.green), byte(rgba_.blue),
                      byte(rgba_.alpha));
    return buffer;
}

} // namespace kit
