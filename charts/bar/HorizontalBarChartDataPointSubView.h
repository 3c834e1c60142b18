#pragma once

#include "charts/bar/ColourKindView.h"
#include "charts/bar/HorizontalBarChartData.h"
#include "charts/bar/HorizontalColourBar.h"
#include "charts/bar/HorizontalGradientColoursBar.h"
#include "charts/bar/HorizontalGradientStopsBar.h"
#include "kit/ui/ObservedObject.h"

#include <concepts>
#include <memory>
#include <tuple>

namespace charts {

// The column of a horizontal bar chart whose bars take their own data
// point's colour: one element view per point, top to bottom, identified by
// the point's id, of the kind its colour calls for. A point whose colour
// lacks a member its kind needs has no bar, and no slot: the other bars
// share the chart's height.
template <class ChartData>
    requires std::derived_from<ChartData, HorizontalBarChartData>
struct HorizontalBarChartDataPointSubView {
    kit::ObservedObject<ChartData> chartData;

    auto dynamicFields() { return std::tie(chartData); }

    kit::View body() const
    {
        return dataPointElements<HorizontalColourBar, HorizontalGradientColoursBar, HorizontalGradientStopsBar>(
            chartData.object(), [](const BarChartDataPoint&) { return kit::EmptyView(); });
    }
};

} // namespace charts
