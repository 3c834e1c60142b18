#pragma once

#include "charts/bar/BarChartData.h"
#include "charts/bar/ColourBar.h"
#include "charts/bar/ColourKindView.h"
#include "charts/bar/GradientColoursBar.h"
#include "charts/bar/GradientStopsBar.h"
#include "kit/ui/ObservedObject.h"

#include <concepts>
#include <memory>
#include <tuple>

namespace charts {

// The row of a standard bar chart whose bars take their own data point's
// colour: one element view per point, identified by the point's id, of the
// kind its colour calls for; a point whose colour lacks a member its kind
// needs is drawn in the standard blue.
template <class ChartData>
    requires std::derived_from<ChartData, BarChartData>
struct BarChartDataPointSubView {
    kit::ObservedObject<ChartData> chartData;

    auto dynamicFields() { return std::tie(chartData); }

    kit::View body() const
    {
        return dataPointElements<ColourBar, GradientColoursBar, GradientStopsBar>(
            chartData.object(), [&](const BarChartDataPoint& point) {
                return kit::View(
                    ColourBar<ChartData, BarChartDataPoint>(chartData.object(), point, kit::Color::blue()));
            });
    }
};

} // namespace charts
