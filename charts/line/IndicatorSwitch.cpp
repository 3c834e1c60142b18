#include "charts/line/IndicatorSwitch.h"

#include "charts/core/ExtraLineTouchMarker.h"
#include "charts/line/PosistionIndicator.h"

namespace charts {

kit::View IndicatorSwitch::body() const
{
    if (const auto* dot = std::get_if<Dot::Style>(&indicator.value))
        return placedTouchDot(dot->style, location, posistionIndicatorDot);
    return kit::EmptyView();
}

} // namespace charts
