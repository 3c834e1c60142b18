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

// One x-axis label cell around the label view `text`: the label above a
// spacer when the labels stand at the `bottom` of the chart, below a spacer
// when they stand at its top, so that the label keeps to the chart's side of
// its cell. Its callers frame it. A label that takes no room (TempText)
// stands in its cell where a measured one would.
inline kit::View xAxisLabelCell(const kit::View& text, XAxisLabelPosistion position)
{
    if (position == XAxisLabelPosistion::bottom)
        return kit::VStack(kit::HorizontalAlignment::center, {text, kit::Spacer()});
    return kit::VStack(kit::HorizontalAlignment::center, {kit::Spacer(), text});
}

// The cell of the label's RotatedText.
template <LineBarChartDataObject ChartData>
kit::View xAxisLabelCell(const std::shared_ptr<ChartData>& chartData, const std::string& label, kit::Angle rotation)
{
    return xAxisLabelCell(RotatedText<ChartData>{chartData, label, rotation},
                          chartData->chartStyle->xAxisLabelPosition);
}

} // namespace charts
