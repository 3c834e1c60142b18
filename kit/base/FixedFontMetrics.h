#pragma once

#include "kit/base/FontMetrics.h"

namespace kit {

// Deterministic metrics for tests: every grapheme cluster (spaces included)
// advances 0.6·size; ascent 0.9·size, descent 0.3·size, no leading, so a
// line is 1.2·size high.
class FixedFontMetrics final : public FontMetrics {
public:
    double ascent(const Font& font) const override { return 0.9 * font.size(); }
    double descent(const Font& font) const override { return 0.3 * font.size(); }
    double lineHeight(const Font& font) const override { return 1.2 * font.size(); }
    double advance(const Font& font, std::string_view text) const override;
};

} // namespace kit
