#pragma once

#include <string_view>

namespace kit {

// Whether two UTF-8 texts are canonically equivalent: equal once both are
// in Unicode normalization form D, so "é" written as one code point equals
// "e" followed by a combining acute accent. Invalid UTF-8 compares by its
// replacement characters.
bool canonicallyEquivalent(std::string_view a, std::string_view b);

} // namespace kit
