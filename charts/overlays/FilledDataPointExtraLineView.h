#pragma once

#include "charts/overlays/ExtraLineMarker.h"
#include "charts/overlays/ExtraLineReveal.h"
#include "kit/ui/ObservedObject.h"

#include <tuple>

namespace charts {

// One marker of the chart's extra line, filled with the point's own fill
// colour or else the point style's, revealed like the line each time it
// comes on screen. Empty while the chart has no extra line.
template <LineBarChartDataObject ChartData>
struct FilledDataPointExtraLineView {
    kit::ObservedObject<ChartData> chartData;
    ExtraLineDataPoint dataPoint;
    int index = 0;
    kit::State<bool> startAnimation{false};

    auto dynamicFields() { return std::tie(chartData, startAnimation); }

    kit::View body() const
    {
        const std::optional<ExtraLineData>& extraLine = *chartData->extraLineData;
        if (!extraLine)
            return kit::EmptyView();
        const ExtraLineStyle& style = extraLine->style;
        const kit::Shape marker = revealedExtraLine(extraLineMarker(*extraLine, dataPoint.value, index),
                                                    style.animationType,
                                                    extraLineFraction(*chartData, *startAnimation));
        const kit::View painted = marker.fill(extraLineMarkerColours(dataPoint, style.pointStyle).fill);
        return extraLineRevealActions(painted, chartData.object(), startAnimation);
    }
};

} // namespace charts
