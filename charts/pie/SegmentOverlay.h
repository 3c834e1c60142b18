#pragma once

#include "charts/pie/PieChartDataPoint.h"
#include "kit/base/Rect.h"
#include "kit/ui/View.h"

namespace charts {

// What is drawn over one pie or doughnut segment in `rect` (the chart area,
// in the segment's own coordinates): the point's label text (a localized
// key) or its symbol fitted in a size × size frame, centred on the segment's
// label point, in the overlay's colour; nothing for `none`. An overlay whose
// place or size is not a finite number is left out.
kit::View segmentOverlay(const PieChartDataPoint& point, const kit::Rect& rect);

} // namespace charts
