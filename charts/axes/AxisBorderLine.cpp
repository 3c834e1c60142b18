#include "charts/axes/AxisBorderLine.h"

#include "kit/ui/Stacks.h"

namespace charts {

kit::View axisBorderLine(const std::optional<kit::Color>& colour)
{
    if (!colour)
        return kit::Divider();
    return kit::Divider().background(kit::View(*colour), kit::Alignment::center());
}

} // namespace charts
