#pragma once

#include "charts/core/CTLineBarChartDataProtocol.h"
#include "kit/ui/Layout.h"

#include <concepts>

namespace charts {

// Chart data with axes (the bar and line families): what the value range,
// the axis labels and the axis decorations are generic over, which way its
// values run and how its categories are spread.

// Any chart-data object with axes.
template <class T>
concept LineBarChartDataObject = ChartDataObject<T> &&
    std::derived_from<T, CTLineBarChartDataProtocol<typename T::SetType, typename T::SetPoint, typename T::DataPoint,
                                                    typename T::CTStyle>>;

// Marks chart data whose bars lie horizontally: its value axis runs along
// the width and its categories down the height, top to bottom. The
// horizontal label texts, markers and info boxes accept only such data.
struct isHorizontal {};

template <class T>
concept HorizontalChartData = LineBarChartDataObject<T> && std::derived_from<T, isHorizontal>;

// The axis along which the chart data's values are measured: the
// horizontal one for chart data marked isHorizontal, the vertical one for
// any other.
template <class ChartData>
inline constexpr kit::Axis valueAxisOf = std::derived_from<ChartData, isHorizontal> ? kit::Axis::horizontal
                                                                                    : kit::Axis::vertical;

// How a chart with axes spreads its data points along the category axis:
// a bar chart gives each of n points an equal slot and marks the slot's
// centre; a line chart puts its first point on the leading edge and its last
// on the trailing edge. Each chart-data class with axes states its kind as
// `static constexpr CategorySpacing categorySpacing`.
enum class CategorySpacing { bar, line };

} // namespace charts
