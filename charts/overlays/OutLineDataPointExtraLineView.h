#pragma once

#include "charts/overlays/ExtraLinePointView.h"

namespace charts {

// A marker of the extra line whose outline is stroked in the point's own
// border colour, else the point style's, at the point style's line width.
template <LineBarChartDataObject ChartData>
using OutLineDataPointExtraLineView = ExtraLinePointView<ChartData, ExtraLinePointPaint::outline>;

} // namespace charts
