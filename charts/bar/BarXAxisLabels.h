#pragma once

#include "charts/axes/FlexibleGap.h"
#include "charts/axes/XAxisLabelCell.h"
#include "charts/core/ChartViewData.h"
#include "charts/core/DataFunctions.h"
#include "charts/core/LabelsFrom.h"
#include "kit/ui/ForEach.h"
#include "kit/ui/Stacks.h"

#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace charts {

// The pieces the bar charts build their x-axis label rows from; the cell,
// its rotation and the gaps are those of every chart with axes.

// A row of `count` label cells identified by their index, cell i showing
// labelAt(i) framed to `width` × `height` (a dimension left free when
// absent), centred. A flexible gap follows every cell but the last and,
// with `gapsBeforeToo`, also precedes every cell but the first.
template <class ChartData, class LabelAt>
kit::View indexedLabelRow(const std::shared_ptr<ChartData>& chartData, int count, LabelAt labelAt, kit::Angle rotation,
                          std::optional<double> width, std::optional<double> height, bool gapsBeforeToo)
{
    return kit::HStack(kit::VerticalAlignment::center, 0, {kit::ForEach(kit::Range{0, count}, [&](int i) {
                           std::vector<kit::View> parts;
                           if (gapsBeforeToo && i >= 1)
                               parts.push_back(flexibleLabelGap());
                           parts.push_back(xAxisLabelCell(chartData, labelAt(i), rotation)
                                               .frame(width, height, kit::Alignment::center()));
                           if (i < count - 1)
                               parts.push_back(flexibleLabelGap());
                           return kit::Group(std::move(parts));
                       })});
}

// A row of one label cell per element, identified by the element's id,
// cell e showing labelOf(e) framed to `width` × `height` (a dimension left
// free when absent), centred, with a flexible gap on each side.
template <class ChartData, class Elements, class LabelOf>
kit::View identifiedLabelRow(const std::shared_ptr<ChartData>& chartData, const Elements& elements, LabelOf labelOf,
                             kit::Angle rotation, std::optional<double> width, std::optional<double> height)
{
    return kit::HStack(kit::VerticalAlignment::center, 0, {kit::ForEach(elements, [&](const auto& element) {
                           return kit::Group({flexibleLabelGap(),
                                              xAxisLabelCell(chartData, labelOf(element), rotation)
                                                  .frame(width, height, kit::Alignment::center()),
                                              flexibleLabelGap()});
                       })});
}

// The row of the chart's own x-axis labels (nothing without them), each
// cell as wide as the widest and as high as the tallest label measured so
// far (free while none is measured).
template <class ChartData>
kit::View chartDataLabelRow(const std::shared_ptr<ChartData>& chartData, kit::Angle rotation, bool gapsBeforeToo)
{
    const std::optional<std::vector<std::string>>& labels = *chartData->xAxisLabels;
    if (!labels)
        return kit::EmptyView();
    const ChartViewData& viewData = *chartData->viewData;
    return indexedLabelRow(
        chartData, static_cast<int>(labels->size()), [&](int i) { return (*labels)[std::size_t(i)]; }, rotation,
        largestOf(viewData.xAxislabelWidths), largestOf(viewData.xAxisLabelHeights), gapsBeforeToo);
}

// The x-axis label view of a bar chart (`chart`, null when no shared
// pointer holds it: then nothing): in a group, the row of the chart's own
// labels (chartDataLabelRow) when the style takes them from the chart
// data, otherwise fromPoints(rotation), the row the chart makes from its
// data.
template <class ChartData, class FromPoints>
kit::View barXAxisLabelsView(const std::shared_ptr<ChartData>& chart, bool gapsBeforeToo, FromPoints fromPoints)
{
    if (!chart)
        return kit::EmptyView();
    const LabelsFrom& labelsFrom = chart->chartStyle->xAxisLabelsFrom;
    const kit::Angle rotation = xAxisLabelRotation(labelsFrom);
    if (std::holds_alternative<LabelsFrom::ChartData>(labelsFrom.value))
        return kit::Group({chartDataLabelRow(chart, rotation, gapsBeforeToo)});
    return kit::Group({fromPoints(rotation)});
}

} // namespace charts
