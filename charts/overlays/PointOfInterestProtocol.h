#pragma once

#include "charts/axes/GetDataProtocol.h"
#include "charts/axes/LineBarChartDataObject.h"
#include "kit/ui/Layout.h"

#include <concepts>

namespace charts {

// Chart data that can carry points of interest: a chart with axes that knows
// its value range and states how it spreads its data points along the
// category axis (`categorySpacing`). Everything that depends on the kind of
// chart follows from two traits: whether its bars lie horizontally
// (HorizontalChartData: the value axis runs across, the categories down)
// and its spacing (bar: the middle of one of n equal slots; line: from edge
// to edge). The eight bar and line chart-data classes qualify as they are.
template <class T>
concept PointOfInterestProtocol = LineBarChartDataObject<T> && GetDataProtocol<T> && requires
{
    {
        T::categorySpacing
        } -> std::convertible_to<CategorySpacing>;
};

// The axis along which the line of a point of interest runs: at a value,
// across the value axis (horizontal, upright on a horizontal bar chart); at
// a data point, across the category axis.
template <class ChartData>
inline constexpr kit::Axis poiMarkerAxis = HorizontalChartData<ChartData> ? kit::Axis::vertical : kit::Axis::horizontal;
template <class ChartData>
inline constexpr kit::Axis poiAbscissaMarkerAxis = HorizontalChartData<ChartData> ? kit::Axis::horizontal
                                                                                  : kit::Axis::vertical;

} // namespace charts
