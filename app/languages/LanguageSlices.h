#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace qm {

class LanguageEntry;

// One slice of the overview's pie chart: a language, or "Other" for all
// languages after the ninth.
struct LanguageSlice {
    double value = 0;
    std::string description;
    std::optional<std::string> colorText; // none: the "Other" slice, drawn white
    bool operator==(const LanguageSlice&) const = default;
};

// The slices by code lines, largest first (ties keep their order): the nine
// largest languages on their own, the rest summed into "Other" when that sum
// is not zero.
std::vector<LanguageSlice> languageSlices(const std::vector<std::shared_ptr<LanguageEntry>>& languages);

} // namespace qm
