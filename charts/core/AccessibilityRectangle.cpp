#include "charts/core/AccessibilityRectangle.h"

namespace charts {

kit::Path AccessibilityRectangle::path(const kit::Rect& rect) const
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

} // namespace charts
