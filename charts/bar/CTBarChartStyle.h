#pragma once

#include "charts/bar/BarMarkerType.h"
#include "charts/core/ChartStyleProtocols.h"

#include <concepts>

namespace charts {

// The style of a bar chart: a chart style with axes whose touch marker is
// a BarMarkerType. It asks nothing more of a style than that.
template <class S>
concept CTBarChartStyle = CTLineBarChartStyle<S> && std::same_as<typename S::Mark, BarMarkerType>;

} // namespace charts
