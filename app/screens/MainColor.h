#pragma once

#include <QColor>

namespace qm {

// The application's own colour, behind the splash screen's white text: a
// violet blue, a little lighter in dark mode.
QColor mainColor(bool dark = false);

} // namespace qm
