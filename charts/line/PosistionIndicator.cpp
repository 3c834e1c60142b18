#include "charts/line/PosistionIndicator.h"

#include "charts/core/ExtraLineTouchMarker.h"
#include "kit/ui/Shape.h"
#include "kit/ui/Stacks.h"

namespace charts {

kit::View PosistionIndicator::body() const
{
    return kit::ZStack(kit::Alignment::center(),
                       {kit::View(kit::Circle()).foregroundColor(lineColour),
                        kit::View(kit::Circle()).foregroundColor(fillColour).padding(lineWidth)});
}

kit::View posistionIndicatorDot(const DotStyle& style)
{
    return PosistionIndicator(style.fillColour, style.lineColour, style.lineWidth);
}

kit::View IndicatorSwitch::body() const
{
    if (const auto* dot = std::get_if<Dot::Style>(&indicator.value))
        return placedTouchDot(dot->style, location, posistionIndicatorDot);
    return kit::EmptyView();
}

} // namespace charts
