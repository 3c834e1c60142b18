#pragma once

#include "kit/base/Font.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kit {

enum class TruncationMode { head, tail, middle };

// Text broken into lines for one width.
struct TextLayout {
    std::vector<std::string> lines;
    std::vector<double> lineWidths;
    double width = 0;  // the widest line
    double height = 0; // lines × lineHeight
    double ascent = 0;
    double lineHeight = 0;
    bool truncated = false;

    double firstBaseline() const { return ascent; }
    double lastBaseline() const { return (lines.size() - 1) * lineHeight + ascent; }
};

// The one service through which layout and drawing measure text. The app
// uses the Qt implementation; tests install the fixed metrics, in which every
// grapheme cluster advances 0.6·size, ascent is 0.9·size, descent 0.3·size.
class FontMetrics {
public:
    virtual ~FontMetrics() = default;

    virtual double ascent(const Font& font) const = 0;
    virtual double descent(const Font& font) const = 0;
    virtual double lineHeight(const Font& font) const = 0;
    virtual double advance(const Font& font, std::string_view text) const = 0;

    // Breaks `text` into at most `maxLines` lines (0: unlimited). With no
    // width only explicit newlines break; with a width the text wraps after
    // spaces, and a word wider than the width breaks between grapheme
    // clusters. Text left over is truncated into the last line with "…".
    TextLayout layout(const Font& font, std::string_view text, std::optional<double> width, int maxLines = 0,
                      TruncationMode truncation = TruncationMode::tail) const;
    // `text` shortened with "…" to fit `width` (at least "…" itself).
    std::string elide(const Font& font, std::string_view text, double width, TruncationMode mode) const;

    static const FontMetrics& shared();
    static void setShared(std::shared_ptr<const FontMetrics> metrics);
    // Bumped by each setShared: sizes measured before may no longer hold.
    static std::uint64_t generation();
    // Installs the fixed metrics (for tests) or the Qt metrics (the default).
    static void useFixed();
    static void useQt();
};

} // namespace kit
