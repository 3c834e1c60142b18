#pragma once

#include "charts/overlays/ExtraLineReveal.h"
#include "kit/ui/ObservedObject.h"

#include <tuple>
#include <vector>

namespace charts {

// The chart's extra line stroked with a linear gradient of stops (the
// toolkit's, in order) from `startPoint` to `endPoint`, in front of the
// chart's content. It reads the line from the chart data at every redraw
// and reveals it each time it comes on screen (strokedExtraLine).
template <LineBarChartDataObject ChartData>
struct StopsExtraLineView {
    kit::ObservedObject<ChartData> chartData;
    std::vector<kit::Gradient::Stop> stops;
    kit::UnitPoint startPoint;
    kit::UnitPoint endPoint;
    Stroke stroke;
    kit::State<bool> startAnimation{false};

    auto dynamicFields() { return std::tie(chartData, startAnimation); }

    kit::View body() const
    {
        const kit::Paint paint = kit::LinearGradient{kit::Gradient(stops), startPoint, endPoint};
        return strokedExtraLine(chartData.object(), paint, stroke, startAnimation).zIndex(1);
    }
};

} // namespace charts
