#include "charts/line/LineLegends.h"

namespace charts {

std::optional<LegendData> lineLegendEntry(kit::UUID id, ChartType chartType, const std::string& legend,
                                          const Stroke& strokeStyle, const ColourStyle& colour)
{
    const std::optional<ColourStyle> entryColour = legendColour(colour);
    if (!entryColour)
        return std::nullopt;
    return LegendData(id, legend, *entryColour, strokeStyle, 1, chartType);
}

} // namespace charts
