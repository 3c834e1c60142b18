#include "charts/bar/StackedBarParts.h"

#include "charts/bar/BarGeometry.h"
#include "charts/core/DataPointTexts.h"
#include "kit/ui/ForEach.h"
#include "kit/ui/GeometryReader.h"
#include "kit/ui/Stacks.h"

#include <cmath>
#include <vector>

namespace charts {

namespace {

// The part of `point`, `height` high, in its group's colour; none when that
// colour lacks a member its kind needs.
std::optional<kit::View> partView(const StackedBarDataPoint& point, double height)
{
    return viewForFill(point.group.colour,
                       [height]<class Fill>(Fill fill) { return PartBar<Fill>(std::move(fill), height); });
}

} // namespace

double StackElementSubView::partHeight(const StackedBarDataPoint& dataPoint, double height) const
{
    return stackedPartHeight(dataPoint.value, dataSet.totalValue(), height);
}

kit::View StackElementSubView::body() const
{
    const StackElementSubView self = *this;
    return kit::GeometryReader([self](const kit::GeometryProxy& proxy) {
        // The total once per column, not once per part (partHeight sums it).
        const double total = self.dataSet.totalValue();
        if (!(std::isfinite(total) && total > 0))
            return kit::EmptyView();
        const std::vector<StackedBarDataPoint>& points = self.dataSet.dataPoints;
        const std::vector<StackedBarDataPoint> topDown(points.rbegin(), points.rend());
        return kit::VStack(kit::HorizontalAlignment::center, 0,
                           {kit::ForEach(topDown, [&](const StackedBarDataPoint& point) {
                               const std::optional<kit::View> part =
                                   partView(point, stackedPartHeight(point.value, total, proxy.size.height));
                               if (!part)
                                   return kit::EmptyView();
                               return part->accessibilityValue(
                                   accessibilityValueString(point, self.specifier, self.formatter));
                           })});
    });
}

} // namespace charts
