#include "charts/overlays/POILabels.h"

#include "charts/axes/MeasuredLabel.h"
#include "kit/ui/Stacks.h"

#include <algorithm>
#include <cmath>

namespace charts {

double PositionedPOILabel::leadingGap() const
{
    const double gap = (*containerSize - *contentSize) * distanceFromLeading;
    return std::isfinite(gap) ? std::max(gap, 0.0) : 0;
}

kit::View PositionedPOILabel::body() const
{
    const bool horizontal = orientation == kit::Axis::horizontal;
    // The length along the row or column of a measured frame.
    auto lengthOf = [horizontal](const kit::Rect& frame) { return horizontal ? frame.width() : frame.height(); };
    const kit::State<double> measuredContent = contentSize;
    const kit::State<double> measuredContainer = containerSize;
    const double gap = leadingGap();
    const kit::View label =
        content()
            .background(sizeReader([=](const kit::Rect& frame) { measuredContent = lengthOf(frame); }),
                        kit::Alignment::center())
            .fixedSize(true, true);
    const kit::View before = horizontal ? kit::Spacer(0).frame(gap, std::nullopt)
                                        : kit::Spacer(0).frame(std::nullopt, gap);
    const kit::View stack = horizontal
                                ? kit::HStack(kit::VerticalAlignment::center, 0, {before, label, kit::Spacer(0)})
                                : kit::VStack(kit::HorizontalAlignment::center, 0, {before, label, kit::Spacer(0)});
    return stack.background(sizeReader([=](const kit::Rect& frame) { measuredContainer = lengthOf(frame); }),
                            kit::Alignment::center());
}

std::string poiAccessibilityValue(const std::string& markerName, const std::string& valueText)
{
    const std::string format = kit::localized(markerName + " %@");
    const std::size_t placeholder = format.find("%@");
    if (placeholder == std::string::npos)
        return format;
    return format.substr(0, placeholder) + valueText + format.substr(placeholder + 2);
}

} // namespace charts
