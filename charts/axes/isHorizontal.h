#pragma once

#include "charts/axes/LineBarChartDataObject.h"
#include "kit/ui/Layout.h"

#include <concepts>

namespace charts {

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

} // namespace charts
