#pragma once

#include "kit/ui/ObservedObject.h"
#include "kit/ui/Stacks.h"
#include "kit/ui/View.h"

#include <memory>
#include <tuple>

namespace charts {

// Lays a line chart's point markers (its pointsView) over the content while
// the chart has data; redrawn whenever the chart data announces a change.
// The markers take no press: it passes to the chart under them, also when
// they are laid over its touch overlay.
template <class ChartData>
struct PointMarkers {
    kit::ObservedObject<ChartData> chartData;

    auto dynamicFields() { return std::tie(chartData); }

    kit::View body(const kit::View& content) const
    {
        if (!chartData->hasData())
            return kit::ZStack(kit::Alignment::center(), {content});
        return kit::ZStack(kit::Alignment::center(), {content, chartData->pointsView().allowsHitTesting(false)});
    }
};

template <class ChartData>
kit::View applyPointMarkers(const kit::View& view, std::shared_ptr<ChartData> chartData)
{
    return view.modifier(PointMarkers<ChartData>{std::move(chartData)});
}

} // namespace charts
