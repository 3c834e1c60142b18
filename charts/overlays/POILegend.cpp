#include "charts/overlays/POILegend.h"

namespace charts {

std::string poiAccessibilityValue(const std::string& markerName, const std::string& valueText)
{
    const std::string format = kit::localized(markerName + " %@");
    const std::size_t placeholder = format.find("%@");
    if (placeholder == std::string::npos)
        return format;
    return format.substr(0, placeholder) + valueText + format.substr(placeholder + 2);
}

} // namespace charts
