#include "charts/bar/BarTouchMarker.h"

#include "charts/core/MarkerShapes.h"
#include "kit/ui/Shape.h"

#include <cmath>

namespace charts {

namespace {

kit::Shape markerShape(const BarMarkerType& markerType, kit::Point position)
{
    using M = BarMarkerType;
    if (std::holds_alternative<M::BottomLeading>(markerType.value))
        return MarkerBottomLeading{position};
    if (std::holds_alternative<M::BottomTrailing>(markerType.value))
        return MarkerBottomTrailing{position};
    if (std::holds_alternative<M::TopLeading>(markerType.value))
        return MarkerTopLeading{position};
    if (std::holds_alternative<M::TopTrailing>(markerType.value))
        return MarkerTopTrailing{position};
    return MarkerFull{position};
}

} // namespace

kit::View barMarkerView(const BarMarkerType& markerType, std::optional<kit::Point> position)
{
    if (!position || !std::isfinite(position->x) || !std::isfinite(position->y))
        return kit::EmptyView();
    const BarMarkerType::Marker* marker = markerType.marker();
    if (!marker)
        return kit::EmptyView();
    return markerShape(markerType, *position).stroke(marker->colour, marker->style);
}

} // namespace charts
