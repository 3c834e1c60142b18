#pragma once

#include "charts/pie/PieDoughnutChartData.h"

#include <memory>
#include <vector>

namespace qm {

class LanguageEntry;

// The chart data of the overview's pie chart: one slice per language by
// code lines, largest first, the nine largest on their own and the rest as
// one white "Other" slice, titled "Code breakdown" / "By language".
std::shared_ptr<charts::PieChartData> makeLanguagePieData(const std::vector<std::shared_ptr<LanguageEntry>>& languages);

} // namespace qm
