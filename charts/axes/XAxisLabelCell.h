#pragma once

#include "charts/axes/RotatedText.h"
#include "charts/core/LabelsFrom.h"
#include "charts/core/XAxisLabelPosistion.h"
#include "kit/ui/Stacks.h"

#include <memory>
#include <string>
#include <variant>

namespace charts {

// The rotation the style's x-axis label source carries, whichever source it is.
inline kit::Angle xAxisLabelRotation(const LabelsFrom& labelsFrom)
{
    return std::visit([](const auto& source) { return source.rotation; }, labelsFrom.value);
}

// One x-axis label cell: the label's RotatedText above a spacer when the
// labels stand below the chart, below a spacer when they stand above it, so
// that the label keeps to the chart's side of its cell. Its callers frame it.
template <LineBarChartDataObject ChartData>
kit::View xAxisLabelCell(const std::shared_ptr<ChartData>& chartData, const std::string& label, kit::Angle rotation)
{
    const kit::View text = RotatedText<ChartData>{chartData, label, rotation};
    if (chartData->chartStyle->xAxisLabelPosition == XAxisLabelPosistion::bottom)
        return kit::VStack(kit::HorizontalAlignment::center, {text, kit::Spacer()});
    return kit::VStack(kit::HorizontalAlignment::center, {kit::Spacer(), text});
}

} // namespace charts
