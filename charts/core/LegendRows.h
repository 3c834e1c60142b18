#pragma once

#include "charts/core/LegendData.h"
#include "kit/base/Color.h"
#include "kit/base/Font.h"
#include "kit/base/Path.h"
#include "kit/base/Rect.h"
#include "kit/ui/View.h"

#include <string>

namespace charts {

// The sample of a line legend entry: one segment `width` long along the top
// edge of its frame, whatever the frame's size. Not animated.
struct LegendLine {
    double width = 0;

    kit::Path path(const kit::Rect&) const
    {
        kit::Path path;
        path.move({0, 0});
        path.addLine({width, 0});
        return path;
    }
};

// The row of one legend entry, its symbol chosen by the entry's chart type:
// a line sample `width` long in the entry's stroke (text in `textColor`), a
// square or a circle `width` / 2 on a side (text in the inherited colour).
// Without the paint or stroke it needs, the row is empty.
kit::View legendItemView(const LegendData& legend, double width, const kit::Font& font, const kit::Color& textColor);

// The square row: flat colour, or a gradient of colours or stops from the
// entry's start point to its end point (both needed).
kit::View barLegendItemView(const LegendData& legend, const kit::Font& font, double width);

// A row with a circle `width` wide whatever the chart type, its gradients
// running from leading to trailing; the text in `font` and `textColor`.
kit::View circleLegendItemView(const LegendData& legend, const kit::Font& font, const kit::Color& textColor,
                               double width);

// "Line-Chart-Legend", "Bar-Chart-Legend" or "Pie-Chart-Legend" by chart
// type for an entry of priority 1, "P-O-I-Marker-Legend" for any other.
std::string accessibilityLegendLabel(const LegendData& legend);

} // namespace charts
