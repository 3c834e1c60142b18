#pragma once

#include "kit/base/Hashing.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class QColor;

namespace kit {

enum class ColorScheme { light, dark };

// A colour after resolution: sRGB components and alpha, not premultiplied.
// Components outside 0...1 are kept; painting clamps them.
struct RGBA {
    double red = 0, green = 0, blue = 0, alpha = 0;

    // Component-wise interpolation on premultiplied values.
    static RGBA mix(const RGBA& from, const RGBA& to, double t);
    QColor toQColor() const;
    friend bool operator==(const RGBA&, const RGBA&) = default;
};

// Host-supplied replacements for the semantic colours (from the system
// palette); unset entries come from the light/dark tables.
struct ColorPalette {
    std::optional<RGBA> primary, secondary, accent, windowBackground, separator;
    friend bool operator==(const ColorPalette&, const ColorPalette&) = default;
};

// A fixed sRGB colour, or a semantic colour resolved at draw time from the
// colour scheme. Fixed colours compare by components, semantic ones by name
// (and opacity factor), so primary != black.
class Color {
public:
    enum class Name : std::uint8_t {
        fixed,
        primary,
        secondary,
        accent,
        windowBackground,
        separator,
        red,
        orange,
        yellow,
        green,
        blue,
        purple,
        pink,
        brown,
        gray,
    };

    constexpr Color() = default; // clear

    static constexpr Color rgb(double r, double g, double b, double opacity = 1) { return Color(r, g, b, opacity); }
    static constexpr Color white(double w, double opacity = 1) { return Color(w, w, w, opacity); }
    // Hue, saturation and brightness in 0...1.
    static Color hsb(double hue, double saturation, double brightness, double opacity = 1);
    // "#RGB", "#RRGGBB" or "#RRGGBBAA"; nullopt for anything else.
    static std::optional<Color> parseHex(std::string_view text);
    // As parseHex, for known-good literals: malformed text gives clear.
    static Color hex(std::string_view text);

    static constexpr Color black() { return Color(0, 0, 0, 1); }
    static constexpr Color white() { return Color(1, 1, 1, 1); }
    static constexpr Color clear() { return Color(0, 0, 0, 0); }
    // Plain colours that never follow the appearance.
    static constexpr Color grayFixed() { return Color(0.5, 0.5, 0.5, 1); }
    static constexpr Color redFixed() { return Color(1, 0, 0, 1); }

    static constexpr Color primary() { return Color(Name::primary); }
    static constexpr Color secondary() { return Color(Name::secondary); }
    static constexpr Color accent() { return Color(Name::accent); }
    static constexpr Color windowBackground() { return Color(Name::windowBackground); }
    static constexpr Color separator() { return Color(Name::separator); }
    static constexpr Color red() { return Color(Name::red); }
    static constexpr Color orange() { return Color(Name::orange); }
    static constexpr Color yellow() { return Color(Name::yellow); }
    static constexpr Color green() { return Color(Name::green); }
    static constexpr Color blue() { return Color(Name::blue); }
    static constexpr Color purple() { return Color(Name::purple); }
    static constexpr Color pink() { return Color(Name::pink); }
    static constexpr Color brown() { return Color(Name::brown); }
    static constexpr Color gray() { return Color(Name::gray); }

    // Multiplies alpha by f (for semantic colours, after resolution).
    Color opacity(double f) const;

    Name name() const { return name_; }
    bool isSemantic() const { return name_ != Name::fixed; }
    // Components of a fixed colour (a semantic colour's opacity factor in alpha).
    RGBA components() const { return rgba_; }
    RGBA resolved(ColorScheme scheme = ColorScheme::light, const ColorPalette* palette = nullptr) const;
    // "#RRGGBB" or "#RRGGBBAA" of a fixed colour.
    std::string hexString() const;

    friend bool operator==(const Color&, const Color&) = default;

private:
    constexpr Color(double r, double g, double b, double a) : rgba_{r, g, b, a} {}
    constexpr explicit Color(Name n) : name_(n), rgba_{0, 0, 0, 1} {}

    Name name_ = Name::fixed;
    RGBA rgba_{0, 0, 0, 0};
};

} // namespace kit

template <>
struct std::hash<kit::Color> {
    std::size_t operator()(const kit::Color& c) const noexcept
    {
        const kit::RGBA v = c.components();
        std::size_t seed = static_cast<std::size_t>(c.name());
        for (double x : {v.red, v.green, v.blue, v.alpha})
            kit::hashCombine(seed, kit::hashDouble(x));
        return seed;
    }
};
