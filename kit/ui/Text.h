#pragma once

#include "kit/ui/View.h"

#include <string_view>

namespace kit {

// A text whose content is the translation of `key` (the key itself when
// untranslated), in the environment's font and foreground colour.
View Text(std::string_view key);
// A text shown exactly as given.
View Text(Verbatim text);

} // namespace kit
