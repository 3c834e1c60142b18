#pragma once

#include "kit/base/Localization.h"

namespace qm {

// The application's string table: readable English for the keys that the
// chart library shows or announces as they are ("Pie-Chart-Legend" and the
// like) when no translation stands in for them.
kit::StringTable::Entries applicationStrings();

// Makes it the active string table.
void installApplicationStrings();

} // namespace qm
