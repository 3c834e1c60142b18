#pragma once

#include "charts/axes/AxisLabelPlacement.h"
#include "charts/axes/MeasuredLabel.h"
#include "charts/core/ChartEnums.h"
#include "charts/core/CommonLineBarChartStyle.h"
#include "kit/ui/Stacks.h"

#include <functional>
#include <memory>
#include <string>
#include <variant>
#include <vector>

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

// One x-axis label as a category row shows it: the text on one line in the
// style's x-axis label font and colour, announced as "X-Axis-Label" with the
// label as value, appending its extents to the chart's layout record each
// time it appears (recordXAxisLabelSize).
template <LineBarChartDataObject ChartData>
kit::View xAxisCategoryLabel(const std::shared_ptr<ChartData>& chartData, const std::string& label, kit::Angle rotation)
{
    const auto& style = *chartData->chartStyle;
    return measuredLabelText(label, style.xAxisLabelFont, style.xAxisLabelColour,
                             [chartData, rotation](const kit::Rect& frame) {
                                 recordXAxisLabelSize(*chartData, frame, rotation);
                             })
        .accessibilityLabel("X-Axis-Label")
        .accessibilityValue(kit::LocalizedKey{label});
}

// The x-axis label row of a chart with axes (categoryLabelRow): `labels`
// (empty ones show nothing) each centred where centreAt(i, plot width) puts
// its category along the plot, in the style's font, turned by the
// rotation its label source carries, on the plot's side of the row.
template <LineBarChartDataObject ChartData>
kit::View xAxisCategoryRow(const std::shared_ptr<ChartData>& chartData, std::vector<std::string> labels,
                           std::function<double(std::size_t, double)> centreAt, bool endsOnEdges)
{
    if (!chartData)
        return kit::EmptyView();
    const auto& style = *chartData->chartStyle;
    const kit::Angle rotation = xAxisLabelRotation(style.xAxisLabelsFrom);
    return categoryLabelRow(chartData.get(), std::move(labels), std::move(centreAt), endsOnEdges, rotation,
                            style.xAxisLabelFont, style.xAxisLabelPosition == XAxisLabelPosistion::top,
                            [chartData, rotation](const std::string& label) {
                                return xAxisCategoryLabel(chartData, label, rotation);
                            });
}

// Where category i of `count` stands along a plot `width` wide when the
// categories share it in equal slots: the middle of its slot.
inline std::function<double(std::size_t, double)> slotMiddles(std::size_t count)
{
    return [count](std::size_t i, double width) { return (double(i) + 0.5) * width / double(count); };
}

// Where point i of `count` stands along a plot `width` wide when the first
// and the last lie on its edges (a line); a lone point on the leading edge.
inline std::function<double(std::size_t, double)> edgeToEdge(std::size_t count)
{
    return [count](std::size_t i, double width) { return count > 1 ? double(i) * width / double(count - 1) : 0.0; };
}

} // namespace charts
