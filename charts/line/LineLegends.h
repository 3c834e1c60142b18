#pragma once

#include "charts/core/ChartEnums.h"
#include "charts/core/ColourStyle.h"
#include "charts/core/LegendData.h"
#include "charts/core/Stroke.h"
#include "kit/base/UUID.h"

#include <optional>
#include <string>

namespace charts {

// The legend entry of a line or band, of priority 1 with the line's stroke;
// none when its colour is missing.
std::optional<LegendData> lineLegendEntry(kit::UUID id, ChartType chartType, const std::string& legend,
                                          const Stroke& strokeStyle, const ColourStyle& colour);

} // namespace charts
