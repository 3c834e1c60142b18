#pragma once

#include "charts/axes/FlexibleGap.h"
#include "charts/axes/TempText.h"
#include "charts/axes/XAxisLabelCell.h"
#include "charts/core/DataFunctions.h"
#include "kit/ui/ForEach.h"
#include "kit/ui/GeometryReader.h"
#include "kit/ui/Stacks.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace charts {

// Each row shows nothing for a chart that no shared pointer owns (sharedSelf).

// One x-axis label cell (xAxisLabelCell) framed `width` wide (unconstrained
// when absent) and as high as the tallest measured label (unconstrained
// when none is measured).
template <class ChartData>
kit::View framedXAxisLabelCell(const std::shared_ptr<ChartData>& chartData, const std::string& label,
                               kit::Angle rotation, std::optional<double> width)
{
    return xAxisLabelCell(chartData, label, rotation)
        .frame(width, largestOf(chartData->viewData->xAxisLabelHeights), kit::Alignment::center());
}

// A row of one label per data point (its x-axis label, or none), each cell
// no wider than the chart's width per point nor than the narrowest measured
// label (0 before any is measured), with flexible gaps between.
template <class ChartData, class DataPoint>
kit::View dataPointXAxisLabels(const std::shared_ptr<ChartData>& chartData, const std::vector<DataPoint>& points,
                               kit::Angle rotation)
{
    if (!chartData || points.empty())
        return kit::EmptyView();
    const ChartViewData& viewData = *chartData->viewData;
    const double width = std::min(smallestOf(viewData.xAxislabelWidths).value_or(0),
                                  viewData.chartSize.width() / static_cast<double>(points.size()));
    const DataPoint& last = points.back();
    return kit::HStack(kit::VerticalAlignment::center, 0, {kit::ForEach(points, [&](const DataPoint& point) {
                           const kit::View cell = framedXAxisLabelCell(chartData, point.xAxisLabel.value_or(""),
                                                                       rotation, width);
                           return point == last ? cell : kit::Group({cell, flexibleLabelGap()});
                       })});
}

// A row of the chart's own x-axis labels, each cell as wide as the
// narrowest measured label (unconstrained before any is measured), with
// flexible gaps between; nothing when the chart has no labels.
template <class ChartData>
kit::View chartDataXAxisLabels(const std::shared_ptr<ChartData>& chartData, kit::Angle rotation)
{
    if (!chartData || !*chartData->xAxisLabels)
        return kit::EmptyView();
    const auto& labels = *chartData->xAxisLabels;
    const std::optional<double> width = smallestOf(chartData->viewData->xAxislabelWidths);
    const int count = static_cast<int>(labels->size());
    return kit::HStack(kit::VerticalAlignment::center, 0, {kit::ForEach(kit::Range{0, count}, [&](int i) {
                           const kit::View cell =
                               framedXAxisLabelCell(chartData, (*labels)[static_cast<std::size_t>(i)], rotation, width);
                           return i == count - 1 ? cell : kit::Group({cell, flexibleLabelGap()});
                       })});
}

// Labels laid over each other and each moved to its point's x: a TempText
// per point with a label that is not empty, in a label cell (so that it
// stands level with the labels of the other charts) as wide as the narrowest
// measured label but no wider than the chart's width per point, as high as
// the tallest, centred on x = (width / (n − 1)) × i (0 for a line of one
// point), where the point is drawn. The row is as high as the tallest
// label: no height at all while none is measured, so that a line whose
// points carry no label leaves the chart its height.
template <class ChartData, class DataPoint>
kit::View placedXAxisLabels(const std::shared_ptr<ChartData>& chartData, const std::vector<DataPoint>& points,
                            kit::Angle rotation)
{
    if (!chartData)
        return kit::EmptyView();
    const ChartViewData& viewData = *chartData->viewData;
    const int count = static_cast<int>(points.size());
    const double width = std::min(smallestOf(viewData.xAxislabelWidths).value_or(0),
                                  viewData.chartSize.width() / static_cast<double>(count));
    const double height = largestOf(viewData.xAxisLabelHeights).value_or(0);
    const XAxisLabelPosistion position = chartData->chartStyle->xAxisLabelPosition;
    const kit::View labels =
        kit::ZStack(kit::Alignment::center(), {kit::ForEach(kit::Range{0, count}, [&](int i) {
                        const std::optional<std::string> label = points[static_cast<std::size_t>(i)].xAxisLabel;
                        return kit::GeometryReader([=](const kit::GeometryProxy& proxy) -> kit::View {
                            if (!label || label->empty())
                                return kit::EmptyView();
                            const double frameWidth = proxy.frame(kit::CoordinateSpace::local()).width();
                            const double x = count > 1 ? frameWidth / static_cast<double>(count - 1) * i : 0;
                            return xAxisLabelCell(TempText<ChartData>{chartData, *label, rotation}, position)
                                .frame(width, height, kit::Alignment::center())
                                .offset(x - width / 2, 0);
                        });
                    })});
    return labels.frame(std::nullopt, height);
}

} // namespace charts
