#pragma once

#include "kit/base/Hashing.h"

#include <cstdint>
#include <optional>

class QFont;

namespace kit {

// A text style or a system font of a given size, plus weight, italic and
// digit modifiers. Sizes are in points: a font of size s has an em of s.
class Font {
public:
    enum class TextStyle : std::uint8_t {
        largeTitle,
        title,
        title2,
        title3,
        headline,
        subheadline,
        body,
        callout,
        footnote,
        caption,
        caption2,
    };
    // Numeric (CSS/Qt) weights.
    enum class Weight : std::int32_t {
        ultraLight = 100,
        thin = 200,
        light = 300,
        regular = 400,
        medium = 500,
        semibold = 600,
        bold = 700,
        heavy = 800,
        black = 900,
    };
    // `standard` is the system sans; rounded falls back to it.
    enum class Design : std::uint8_t { standard, serif, rounded, monospaced };

    // The default font: body.
    Font() : style_(TextStyle::body) {}

    static Font largeTitle() { return Font(TextStyle::largeTitle); }
    static Font title() { return Font(TextStyle::title); }
    static Font title2() { return Font(TextStyle::title2); }
    static Font title3() { return Font(TextStyle::title3); }
    static Font headline() { return Font(TextStyle::headline); }
    static Font subheadline() { return Font(TextStyle::subheadline); }
    static Font body() { return Font(TextStyle::body); }
    static Font callout() { return Font(TextStyle::callout); }
    static Font footnote() { return Font(TextStyle::footnote); }
    static Font caption() { return Font(TextStyle::caption); }
    static Font caption2() { return Font(TextStyle::caption2); }
    static Font system(double size, Weight weight = Weight::regular, Design design = Design::standard);
    static Font system(TextStyle style, Design design = Design::standard);

    Font weight(Weight w) const;
    Font bold() const { return weight(Weight::bold); }
    Font italic() const;
    Font monospacedDigit() const;

    std::optional<TextStyle> textStyle() const { return style_; }
    double size() const;
    Weight resolvedWeight() const;
    Design design() const { return design_; }
    bool isItalic() const { return italic_; }
    bool hasMonospacedDigits() const { return monospacedDigit_; }

    // A Qt font whose em is size() logical pixels on a device of `dpiY`.
    QFont toQFont(double dpiY) const;

    friend bool operator==(const Font&, const Font&) = default;

private:
    explicit Font(TextStyle style) : style_(style) {}
    explicit Font(std::nullopt_t) {}

    std::optional<TextStyle> style_;
    double size_ = 0;
    std::optional<Weight> weight_;
    Design design_ = Design::standard;
    bool italic_ = false;
    bool monospacedDigit_ = false;
};

} // namespace kit

template <>
struct std::hash<kit::Font> {
    std::size_t operator()(const kit::Font& f) const noexcept
    {
        std::size_t seed = f.textStyle() ? static_cast<std::size_t>(*f.textStyle()) + 1 : 0;
        kit::hashCombine(seed, kit::hashDouble(f.size()));
        kit::hashCombine(seed, static_cast<std::size_t>(f.resolvedWeight()));
        kit::hashCombine(seed, static_cast<std::size_t>(f.design()));
        kit::hashCombine(seed, (f.isItalic() ? 1u : 0u) | (f.hasMonospacedDigits() ? 2u : 0u));
        return seed;
    }
};
