#pragma once

#include "charts/overlays/TouchOverlayBox.h"
#include "kit/ui/State.h"

#include <memory>

namespace charts {

// The touch overlay box that an info box shows: it reports its size into
// the info box's `boxFrame`. `placed` is the box after the info box's own
// position and band; every info box then pads it 6 points on each side and
// draws it above the chart.
template <ChartDataObject ChartData>
kit::View touchBoxOverChart(const std::shared_ptr<ChartData>& chartData, const kit::State<kit::Rect>& boxFrame,
                            const std::function<kit::View(const kit::View&)>& placed)
{
    const kit::View box = TouchOverlayBox<ChartData>{chartData, boxFrame.binding()};
    return placed(box).padding(kit::Edge::horizontal, 6).zIndex(1);
}

// The touch coordinate of an info box's chart data along the axis the box
// follows, for the box that `boxFrame` measured.
template <class ChartData>
double infoBoxCentre(const ChartData& chartData, double touch, const kit::Rect& boxFrame)
{
    return chartData.infoBoxPosition(touch, boxFrame, chartData.infoView->chartSize);
}

} // namespace charts
