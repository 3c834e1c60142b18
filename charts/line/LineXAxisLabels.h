#pragma once

#include "charts/axes/RotatedText.h"
#include "charts/axes/TempText.h"
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

// The rotation the style's x-axis label source carries.
inline kit::Angle xAxisLabelRotation(const LabelsFrom& labelsFrom)
{
    return std::visit([](const auto& source) { return source.rotation; }, labelsFrom.value);
}

// The flexible gap after each label but the last.
inline kit::View xAxisLabelGap() { return kit::Spacer().frame(kit::FlexFrame{.minWidth = 0, .maxWidth = 500}); }

// One x-axis label cell: the label above a spacer when the labels stand
// below the chart, below it when they stand above; framed `width` wide and
// as high as the tallest measured label (either unconstrained when none).
template <class ChartData>
kit::View xAxisLabelCell(const std::shared_ptr<ChartData>& chartData, const std::string& label, kit::Angle rotation,
                         std::optional<double> width)
{
    const kit::View text = RotatedText<ChartData>{chartData, label, rotation};
    const bool below = chartData->chartStyle->xAxisLabelPosition == XAxisLabelPosistion::bottom;
    const kit::View cell = kit::VStack(kit::HorizontalAlignment::center,
                                       below ? std::vector<kit::View>{text, kit::Spacer()}
                                             : std::vector<kit::View>{kit::Spacer(), text});
    return cell.frame(width, largestOf(chartData->viewData->xAxisLabelHeights), kit::Alignment::center());
}

// A row of one label per data point (its x-axis label, or none), each cell
// no wider than the chart's width per point nor than the narrowest measured
// label (0 before any is measured), with flexible gaps between.
template <class ChartData, class DataPoint>
kit::View dataPointXAxisLabels(const std::shared_ptr<ChartData>& chartData, const std::vector<DataPoint>& points,
                               kit::Angle rotation)
{
    if (points.empty())
        return kit::EmptyView();
    const ChartViewData& viewData = *chartData->viewData;
    const double width = std::min(smallestOf(viewData.xAxislabelWidths).value_or(0),
                                  viewData.chartSize.width() / static_cast<double>(points.size()));
    const DataPoint& last = points.back();
    return kit::HStack(kit::VerticalAlignment::center, 0,
                       {kit::ForEach(points, [&](const DataPoint& point) {
                           const kit::View cell =
                               xAxisLabelCell(chartData, point.xAxisLabel.value_or(""), rotation, width);
                           return point == last ? cell : kit::Group({cell, xAxisLabelGap()});
                       })});
}

// A row of the chart's own x-axis labels, each cell as wide as the
// narrowest measured label (unconstrained before any is measured), with
// flexible gaps between; nothing when the chart has no labels.
template <class ChartData>
kit::View chartDataXAxisLabels(const std::shared_ptr<ChartData>& chartData, kit::Angle rotation)
{
    const auto& labels = *chartData->xAxisLabels;
    if (!labels)
        return kit::EmptyView();
    const std::optional<double> width = smallestOf(chartData->viewData->xAxislabelWidths);
    const int count = static_cast<int>(labels->size());
    return kit::HStack(kit::VerticalAlignment::center, 0, {kit::ForEach(kit::Range{0, count}, [&](int i) {
                           const kit::View cell =
                               xAxisLabelCell(chartData, (*labels)[static_cast<std::size_t>(i)], rotation, width);
                           return i == count - 1 ? cell : kit::Group({cell, xAxisLabelGap()});
                       })});
}

// Labels laid over each other and each moved to its point's x: a TempText
// per point with a label that is not empty, as wide as the narrowest
// measured label but no wider than the chart's width per point, as high as
// the tallest, at x = (width / (n − 1)) × i (0 for a line of one point).
template <class ChartData, class DataPoint>
kit::View placedXAxisLabels(const std::shared_ptr<ChartData>& chartData, const std::vector<DataPoint>& points,
                            kit::Angle rotation)
{
    const ChartViewData& viewData = *chartData->viewData;
    const int count = static_cast<int>(points.size());
    const double width = std::min(smallestOf(viewData.xAxislabelWidths).value_or(0),
                                  viewData.chartSize.width() / static_cast<double>(count));
    const double height = largestOf(viewData.xAxisLabelHeights).value_or(0);
    const kit::View labels = kit::ZStack(kit::Alignment::center(), {kit::ForEach(kit::Range{0, count}, [&](int i) {
        const std::optional<std::string> label = points[static_cast<std::size_t>(i)].xAxisLabel;
        return kit::GeometryReader([=](const kit::GeometryProxy& proxy) -> kit::View {
            if (!label || label->empty())
                return kit::EmptyView();
            const double frameWidth = proxy.frame(kit::CoordinateSpace::local()).width();
            const double x = count > 1 ? frameWidth / static_cast<double>(count - 1) * i : 0;
            return kit::View(TempText<ChartData>{chartData, *label, rotation})
                .frame(width, height, kit::Alignment::center())
                .offset(x, 0);
        });
    })});
    return labels.frame(std::nullopt, largestOf(viewData.xAxisLabelHeights));
}

} // namespace charts
