#pragma once

#include <QString>

#include <string_view>

namespace qm {

// How a name or path (bytes) is shown: UTF-8, with U+FFFD for bytes that are
// not, on one line whatever it holds. Line breaks (line feed, carriage
// return, vertical tab, form feed, next line, line and paragraph separators)
// are drawn as "↵" (U+21B5); other control characters as their pictures
// (U+2400 and on, U+2421 for delete).
QString displayText(std::string_view bytes);

} // namespace qm
