#include "charts/core/LegendColour.h"

namespace charts {

std::optional<ColourStyle> legendColour(const ColourStyle& source)
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

} // namespace charts
