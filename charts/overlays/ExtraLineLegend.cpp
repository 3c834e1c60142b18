#include "charts/overlays/ExtraLineLegend.h"

namespace charts {

std::optional<ColourStyle> extraLineLegendColour(const ColourStyle& lineColour)
{
    switch (lineColour.colourType) {
    case ColourType::colour:
        if (lineColour.colour)
            return ColourStyle(*lineColour.colour);
        break;
    case ColourType::gradientColour:
        if (lineColour.colours)
            return ColourStyle(*lineColour.colours, kit::UnitPoint::leading(), kit::UnitPoint::trailing());
        break;
    case ColourType::gradientStops:
        if (lineColour.stops)
            return ColourStyle(*lineColour.stops, kit::UnitPoint::leading(), kit::UnitPoint::trailing());
        break;
    }
    return std::nullopt;
}

bool isExtraLineLegend(const LegendData& legend, const ExtraLineData& extraLine, const ColourStyle& colour)
{
    return kit::equalAfterNFC(legend.legend, extraLine.legendTitle) && legend.colour == colour
           && legend.prioity == 3 && legend.chartType == ChartType::line;
}

} // namespace charts
