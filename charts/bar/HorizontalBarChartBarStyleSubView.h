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

// The column of a horizontal bar chart whose bars all take the bar style's
// colour: one element view per data point, top to bottom, identified by the
// point's id, of the kind the colour calls for. None at all when the colour
// lacks a member its kind needs.
template <class ChartData>
    requires std::derived_from<ChartData, HorizontalBarChartData>
struct HorizontalBarChartBarStyleSubView {
    kit::ObservedObject<ChartData> chartData;

    auto dynamicFields() { return std::tie(chartData); }

    kit::View body() const
    {
        return barStyleElements<HorizontalColourBar, HorizontalGradientColoursBar, HorizontalGradientStopsBar>(
            chartData.object());
    }
};

} // namespace charts
