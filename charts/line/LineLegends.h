#pragma once

#include "charts/core/ChartType.h"
#include "charts/core/ColourStyle.h"
#include "charts/core/LegendData.h"
#include "charts/core/Stroke.h"
#include "kit/base/UUID.h"

#include <optional>
#include <string>

namespace charts {

// The colour of a line chart's legend entry, made from a style colour by
// its kind: the flat colour alone, or the gradient's colours or stops
// running from leading to trailing (the source's own start and end points
// are not copied). None when the member the kind needs is missing.
std::optional<ColourStyle> lineLegendColour(const ColourStyle& source);

// The legend entry of a line or band, of priority 1 with the line's stroke;
// none when its colour is missing.
std::optional<LegendData> lineLegendEntry(kit::UUID id, ChartType chartType, const std::string& legend,
                                          const Stroke& strokeStyle, const ColourStyle& colour);

} // namespace charts
