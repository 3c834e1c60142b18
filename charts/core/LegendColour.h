#pragma once

#include "charts/core/ColourStyle.h"

#include <optional>

namespace charts {

// The colour of a bar or line legend entry, made from a style colour by its
// kind: the flat colour alone, or the gradient's colours or stops running
// from leading to trailing (the source's own start and end points are not
// copied). None when the member the kind needs is missing.
std::optional<ColourStyle> legendColour(const ColourStyle& source);

} // namespace charts
