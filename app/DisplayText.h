#pragma once

#include <QString>

#include <string_view>

namespace qm {

// How a name or path (bytes) is shown: UTF-8, with U+FFFD for bytes that are
// not, and control characters (a line feed in a folder name...) drawn as
// their visible pictures (U+2400 and on), so the text stays on one line.
QString displayText(std::string_view bytes);

} // namespace qm
