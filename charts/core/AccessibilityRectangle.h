#pragma once

#include "kit/base/Path.h"
#include "kit/base/Rect.h"

namespace charts {

// The area of one data point of a line whose points span the whole width:
// a full-height band one step wide, centred on the point, with 10 × 10
// rounded corners. It carries the point's accessibility label and value.
struct AccessibilityRectangle {
    int dataPointCount = 0;
    int dataPointNo = 0;

    // A line of one point or none has no step between points: its one band
    // spans the whole width.
    kit::Path path(const kit::Rect& rect) const
    {
        double left = 0;
        double width = rect.width();
        if (dataPointCount > 1) {
            width = rect.width() / (dataPointCount - 1);
            left = width * dataPointNo - width * 0.5;
        }
        kit::Path path;
        path.addRoundedRect(kit::Rect(left, 0, width, rect.height()), kit::Size{10, 10},
                            kit::RoundedCornerStyle::continuous);
        return path;
    }
};

} // namespace charts
