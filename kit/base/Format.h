#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kit {

// printf-style formatting of one double, as C printf does it in the "C"
// locale whatever the process locale: exact binary value, ties to even,
// "." as the decimal point, no grouping.
// A valid pattern is literal text (with %% for a percent sign) and exactly
// one %[flags][width][.precision](f|F|e|E|g|G|a|A) with flags from "-+ 0#" and
// width and precision of at most three digits. Any other pattern is
// replaced by "%.0f".
std::string format(std::string_view pattern, double value);

// The same for one 64-bit integer: exactly one %d, %i, %ld or %lld (flags,
// width and precision as above). Any other pattern is replaced by "%lld".
std::string formatInt(std::string_view pattern, std::int64_t value);

} // namespace kit
