#pragma once

#include "kit/base/Color.h"
#include "kit/base/Font.h"
#include "kit/base/FontMetrics.h"

#include <optional>

namespace kit {

enum class TextAlignment { leading, center, trailing };
enum class ImageScale { small, medium, large };
enum class SymbolRenderingMode { monochrome, palette };

// Values that flow down the view tree; the nearest setting wins.
struct EnvironmentValues {
    Font font; // body
    Color foregroundColor = Color::primary();
    std::optional<Color> secondaryForeground; // palette rendering's second colour
    ColorScheme colorScheme = ColorScheme::light;
    std::optional<ColorPalette> palette; // host colours replacing the tables
    std::optional<int> lineLimit;        // unlimited
    TruncationMode truncationMode = TruncationMode::tail;
    TextAlignment multilineTextAlignment = TextAlignment::leading;
    ImageScale imageScale = ImageScale::medium;
    // Unset: palette when a secondary foreground is given, else monochrome.
    std::optional<SymbolRenderingMode> symbolRenderingMode;

    RGBA resolve(const Color& c) const { return c.resolved(colorScheme, palette ? &*palette : nullptr); }
    // Whether views measure the same in `other`: the values text and images
    // are sized by are equal.
    bool measuresAs(const EnvironmentValues& other) const
    {
        return font == other.font && lineLimit == other.lineLimit && truncationMode == other.truncationMode &&
               imageScale == other.imageScale;
    }

    friend bool operator==(const EnvironmentValues&, const EnvironmentValues&) = default;
};

} // namespace kit
