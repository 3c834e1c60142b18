#pragma once

#include "charts/overlays/ExtraLineReveal.h"
#include "kit/ui/ObservedObject.h"

#include <tuple>

namespace charts {

// The chart's extra line stroked in one flat colour, in front of the
// chart's content. It reads the line from the chart data at every redraw
// and reveals it each time it comes on screen (strokedExtraLine).
template <LineBarChartDataObject ChartData>
struct ColourExtraLineView {
    kit::ObservedObject<ChartData> chartData;
    kit::Color colour;
    Stroke stroke;
    kit::State<bool> startAnimation{false};

    auto dynamicFields() { return std::tie(chartData, startAnimation); }

    kit::View body() const
    {
        return strokedExtraLine(chartData.object(), kit::Paint(colour), stroke, startAnimation).zIndex(1);
    }
};

} // namespace charts
