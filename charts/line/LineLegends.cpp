#include "charts/line/LineLegends.h"

namespace charts {

std::optional<ColourStyle> lineLegendColour(const ColourStyle& source)
{
    switch (source.colourType) {
    case ColourType::colour:
        if (source.colour)
            return ColourStyle(*source.colour);
        break;
    case ColourType::gradientColour:
        if (source.colours)
            return ColourStyle(*source.colours, kit::UnitPoint::leading(), kit::UnitPoint::trailing());
        break;
    case ColourType::gradientStops:
        if (source.stops)
            return ColourStyle(*source.stops, kit::UnitPoint::leading(), kit::UnitPoint::trailing());
        break;
    }
    return std::nullopt;
}

std::optional<LegendData> lineLegendEntry(kit::UUID id, ChartType chartType, const std::string& legend,
                                          const Stroke& strokeStyle, const ColourStyle& colour)
{
    const std::optional<ColourStyle> entryColour = lineLegendColour(colour);
    if (!entryColour)
        return std::nullopt;
    return LegendData(id, legend, *entryColour, strokeStyle, 1, chartType);
}

} // namespace charts
