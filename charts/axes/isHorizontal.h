#pragma once

#include "charts/axes/LineBarChartDataObject.h"

#include <concepts>

namespace charts {

// Marks chart data whose bars lie horizontally: its value axis runs along
// the width and its categories down the height, top to bottom. The
// horizontal label texts, markers and info boxes accept only such data.
struct isHorizontal {};

template <class T>
concept HorizontalChartData = LineBarChartDataObject<T> && std::derived_from<T, isHorizontal>;

} // namespace charts
