#pragma once

#include "charts/overlays/ExtraLineReveal.h"
#include "kit/ui/ObservedObject.h"

#include <tuple>
#include <vector>

namespace charts {

// The chart's extra line stroked with a linear gradient of evenly spread
// colours from `startPoint` to `endPoint`, behind the chart's content (it
// sets no z-index). It reads the line from the chart data at every redraw
// and reveals it each time it comes on screen (strokedExtraLine).
template <LineBarChartDataObject ChartData>
struct ColoursExtraLineView {
    kit::ObservedObject<ChartData> chartData;
    std::vector<kit::Color> colours;
    kit::UnitPoint startPoint;
    kit::UnitPoint endPoint;
    Stroke stroke;
    kit::State<bool> startAnimation{false};

    auto dynamicFields() { return std::tie(chartData, startAnimation); }

    kit::View body() const
    {
        const kit::Paint paint = kit::LinearGradient{kit::Gradient(colours), startPoint, endPoint};
        return strokedExtraLine(chartData.object(), paint, stroke, startAnimation);
    }
};

} // namespace charts
