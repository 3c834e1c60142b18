#pragma once

#include "charts/overlays/ExtraLinePointView.h"

namespace charts {

// A marker of the extra line filled with the point's own fill colour, else
// the point style's.
template <LineBarChartDataObject ChartData>
using FilledDataPointExtraLineView = ExtraLinePointView<ChartData, ExtraLinePointPaint::fill>;

} // namespace charts
