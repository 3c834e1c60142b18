#pragma once

#include <optional>
#include <string>

namespace kit {

// Turns numbers into display text. Rounds half-to-even on the number's
// shortest decimal form (so 1.015 with two digits gives "1.02"). Subclasses
// may return nothing; callers pick their own fallback.
class NumberFormatter {
public:
    enum class Style { none, decimal, percent };

    NumberFormatter() = default;
    explicit NumberFormatter(Style style) { setNumberStyle(style); }
    virtual ~NumberFormatter() = default;

    // Sets the style and its defaults: none (0 fraction digits, no grouping),
    // decimal (up to 3 fraction digits, grouping), percent (×100, 0 fraction
    // digits, grouping, "%" appended).
    void setNumberStyle(Style style);
    Style numberStyle() const { return style_; }

    virtual std::optional<std::string> string(double value) const;

    int minimumFractionDigits = 0;
    int maximumFractionDigits = 0;
    bool usesGroupingSeparator = false;
    std::string decimalSeparator = ".";
    std::string groupingSeparator = ",";

private:
    Style style_ = Style::none;
};

} // namespace kit
