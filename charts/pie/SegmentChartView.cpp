#include "charts/pie/SegmentChartView.h"

#include "charts/core/DataPointTexts.h"
#include "charts/pie/SegmentGeometry.h"
#include "charts/pie/SegmentShapes.h"
#include "kit/base/Format.h"
#include "kit/ui/ForEach.h"
#include "kit/ui/GeometryReader.h"
#include "kit/ui/Image.h"
#include "kit/ui/Shape.h"
#include "kit/ui/Stacks.h"
#include "kit/ui/Text.h"

#include <algorithm>
#include <cmath>

namespace charts {

namespace {

// The share of the whole that a slice of `amount` radians stands for, in per
// cent to a tenth: "25.0%" for a quarter turn.
std::string shareText(double amount)
{
    return kit::format("%.1f", amount / 6.283185307179586 * 100) + "%";
}

// A ring segment of a doughnut slice: between the circles half the stroke
// width inside and outside the arc the slice strokes.
struct RingSegment {
    double startAngle = 0;
    double amount = 0;
    double strokeWidth = 0;

    kit::Path path(const kit::Rect& rect) const
    {
        const kit::Point centre = segmentCentre(rect);
        // The ring stands inside the largest circle of the frame (doughnutSegment).
        const double radius = segmentRadius(rect) - strokeWidth / 2;
        kit::Path path;
        path.addRelativeArc(centre, std::max(0.0, radius + strokeWidth / 2), startAngle, amount);
        if (const double inner = radius - strokeWidth / 2; inner > 0)
            path.addRelativeArc(centre, inner, startAngle + amount, -amount);
        else
            path.addLine(centre);
        path.closeSubpath();
        return path;
    }
};

kit::View segment(const SegmentChartContent& content, int index, const kit::Rect& rect)
{
    const PieChartDataPoint& point = content.dataPoints[static_cast<std::size_t>(index)];
    if (!std::isfinite(point.startAngle) || !std::isfinite(point.amount))
        return kit::EmptyView();
    const kit::View shape = content.segmentShape(point);
    if (shape.isEmptyView())
        return kit::EmptyView();
    const double delay = static_cast<double>(index) * 0.06;
    const kit::View grown = shape.overlay(segmentOverlay(point, rect), kit::Alignment::center())
                                .scaleEffect(content.scale)
                                .opacity(content.scale)
                                .transaction([delay](kit::Transaction& t) {
                                    if (!t.disablesAnimations)
                                        t.animation = kit::Animation::spring(0.5, 1.0, 0).delay(delay);
                                });
    const bool touched = content.touchOverlayInfo == std::vector<PieChartDataPoint>{point};
    return conditionalModifier(grown, touched,
                               [](const kit::View& view) {
                                   return view.scaleEffect(1.1).zIndex(1).shadow(kit::Color::primary(), 10, 0, 0);
                               })
        .contentShape(kit::ContentShapeKind::accessibility, content.segmentArea(point))
        .accessibilityLabel(kit::Verbatim{content.title})
        .accessibilityValue(accessibilityValueString(point, content.touchSpecifier, content.touchFormatter))
        .accessibilityHint(kit::Verbatim{shareText(point.amount)});
}

} // namespace

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

kit::View pieSegment(const PieChartDataPoint& point)
{
    return kit::Shape(PieSegmentShape{point.id, point.startAngle, point.amount}).fill(point.colour);
}

kit::View doughnutSegment(const PieChartDataPoint& point, double strokeWidth)
{
    if (!std::isfinite(strokeWidth))
        return kit::EmptyView();
    const kit::StrokeStyle style{.lineWidth = strokeWidth,
                                 .lineCap = kit::LineCap::butt,
                                 .lineJoin = kit::LineJoin::miter,
                                 .miterLimit = 10};
    // Inset by half the ring, so that the ring's outer edge is the largest
    // circle the chart's frame holds rather than half the ring past it.
    return kit::Shape(
               DoughnutSegmentShape{.id = point.id, .startAngle = point.startAngle, .amount = point.amount}.inset(
                   strokeWidth / 2))
        .stroke(point.colour, style);
}

kit::Shape pieSegmentArea(const PieChartDataPoint& point)
{
    return kit::Shape(PieSegmentShape{point.id, point.startAngle, point.amount});
}

SegmentArea doughnutSegmentArea(double strokeWidth)
{
    return [strokeWidth](const PieChartDataPoint& point) {
        return kit::Shape(RingSegment{point.startAngle, point.amount, strokeWidth});
    };
}

kit::View segmentChart(SegmentChartContent content)
{
    auto shared = std::make_shared<const SegmentChartContent>(std::move(content));
    return kit::GeometryReader([shared](const kit::GeometryProxy& proxy) {
        const kit::Rect rect = proxy.frame(kit::CoordinateSpace::local());
        const int count = static_cast<int>(shared->dataPoints.size());
        return kit::ZStack(kit::Alignment::center(),
                           {kit::ForEach(kit::Range{0, count}, [&](int i) { return segment(*shared, i, rect); })});
    });
}

} // namespace charts
