#pragma once

#include "counter/report/Summary.h"

#include <string>
#include <vector>

namespace qm::counter {

// The table output: a row per language (with a row per file under it when `byFile`), then
// the totals, each name shown safely on its one line.
std::string toTable(const std::vector<LanguageReport>& languages, bool byFile);

} // namespace qm::counter
