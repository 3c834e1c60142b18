#pragma once

#include "kit/base/NumberFormatter.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace charts {

// An optional number formatter, shared like the reference object it is.
using NumberFormatterPtr = std::shared_ptr<const kit::NumberFormatter>;

// printf-style text of one value. A specifier is literal text (with %% for a
// percent sign) and exactly one floating conversion
// %[flags][width][.precision] with f, F, e, E, g, G, a or A; any other
// specifier formats as "%.0f". Rounding is C printf's in the "C" locale.
std::string specifierText(std::string_view specifier, double value);

// The formatter's text for the value, or "" when the formatter gives none.
std::string formatterText(const kit::NumberFormatter& formatter, double value);

// The value text of a data point: the formatter's text when a formatter is
// given, otherwise the specifier's.
std::string valueText(double value, std::string_view specifier, const NumberFormatterPtr& formatter);

// "lower-upper", each side as valueText gives it.
std::string rangeText(double lower, double upper, std::string_view specifier, const NumberFormatterPtr& formatter);

// The accessibility value of a data point: the localized format of the key
// "%@ " followed by the description, with the value text in place of its
// first "%@". Every other character of the format is copied as it stands,
// so a "%" in a description never acts as a directive.
std::string accessibilityValueString(const std::optional<std::string>& description, std::string_view valueText);

} // namespace charts
