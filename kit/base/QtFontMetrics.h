#pragma once

#include "kit/base/FontMetrics.h"

namespace kit {

// Measures with QFontMetricsF at the primary screen's resolution, so that a
// font of size s has an em of s logical pixels.
class QtFontMetrics final : public FontMetrics {
public:
    double ascent(const Font& font) const override;
    double descent(const Font& font) const override;
    double lineHeight(const Font& font) const override;
    double advance(const Font& font, std::string_view text) const override;
};

} // namespace kit
