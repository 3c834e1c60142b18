#include "charts/pie/SegmentOverlay.h"

#include "charts/pie/SegmentGeometry.h"
#include "kit/ui/Image.h"
#include "kit/ui/Text.h"

#include <cmath>

namespace charts {

kit::View segmentOverlay(const PieChartDataPoint& point, const kit::Rect& rect)
{
    if (const auto* label = std::get_if<OverlayType::Label>(&point.label.value)) {
        const kit::Point at = segmentLabelPoint(point.startAngle, point.amount, label->rFactor, rect);
        if (!at.isFinite())
            return kit::EmptyView();
        return kit::Text(label->text).font(label->font).foregroundColor(label->colour).position(at);
    }
    if (const auto* icon = std::get_if<OverlayType::Icon>(&point.label.value)) {
        const kit::Point at = segmentLabelPoint(point.startAngle, point.amount, icon->rFactor, rect);
        if (!at.isFinite() || !std::isfinite(icon->size))
            return kit::EmptyView();
        return kit::Image(icon->systemName)
            .resizable()
            .aspectRatio(std::nullopt, kit::ContentMode::fit)
            .frame(icon->size, icon->size)
            .foregroundColor(icon->colour)
            .position(at);
    }
    return kit::EmptyView();
}

} // namespace charts
