#pragma once

#include "charts/bar/BarMarkerType.h"
#include "kit/base/Point.h"
#include "kit/ui/View.h"

#include <optional>

namespace charts {

// The marker a touch draws on a bar chart, by the style's marker type, at
// `position` in the rectangle it is drawn in: the cross-hair (for `full`
// and `vertical` alike) or a corner marker, stroked in the marker's colour
// and stroke; nothing for `none`, without a position, or at a position that
// is not finite (a chart whose value range is 0).
kit::View barMarkerView(const BarMarkerType& markerType, std::optional<kit::Point> position);

// The marker of the bar under the chart data's current touch: placed where
// the chart data's touchPointLocation puts it for its data sets and the
// touch location and chart frame of its touch state.
template <class ChartData>
kit::View barTouchMarker(const ChartData& chartData)
{
    const auto& info = *chartData.infoView;
    const std::optional<kit::Point> position = chartData.touchPointLocation(*chartData.dataSets, info.touchLocation,
                                                                            info.chartSize);
    if (!position)
        return kit::EmptyView();
    return barMarkerView(chartData.chartStyle->markerType, position);
}

} // namespace charts
