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

// The row of a standard bar chart whose bars all take the bar style's
// colour: one element view per data point, identified by the point's id,
// of the kind the colour calls for. None at all when the colour lacks a
// member its kind needs.
template <class ChartData>
    requires std::derived_from<ChartData, BarChartData>
struct BarChartBarStyleSubView {
    kit::ObservedObject<ChartData> chartData;

    auto dynamicFields() { return std::tie(chartData); }

    kit::View body() const
    {
        return barStyleElements<ColourBar, GradientColoursBar, GradientStopsBar>(chartData.object());
    }
};

} // namespace charts
