#include "app/languages/LanguageSlices.h"

#include "app/languages/LanguageInfo.h"
#include "core/LanguageEntry.h"

#include <algorithm>

namespace qm {

std::vector<LanguageSlice> languageSlices(const std::vector<std::shared_ptr<LanguageEntry>>& languages)
{
    auto sorted = languages;
    std::stable_sort(sorted.begin(), sorted.end(), [](const auto& a, const auto& b) { return a->code > b->code; });
    std::vector<LanguageSlice> slices;
    double other = 0.0;
    for (const auto& language : sorted) {
        if (slices.size() < 9)
            slices.push_back({double(language->code), language->name, languageColorText(language->name)});
        else
            other += double(language->code);
    }
    if (other != 0.0)
        slices.push_back({other, "Other", std::nullopt});
    return slices;
}

} // namespace qm
