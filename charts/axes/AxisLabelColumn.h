#pragma once

#include "charts/axes/AxisLabelSizes.h"
#include "charts/axes/FlexibleGap.h"
#include "charts/axes/LineBarChartDataObject.h"
#include "charts/axes/MeasuredLabel.h"
#include "kit/ui/ForEach.h"
#include "kit/ui/Stacks.h"

#include <memory>
#include <string>
#include <vector>

namespace charts {

// The column frame of a value-label column beside the chart: `content` in a
// centred column, reaching 8 points past the plot area on the side away
// from the x-axis labels (its top edge when they stand below, its bottom
// edge when they stand above).
template <LineBarChartDataObject ChartData>
kit::View axisLabelColumn(const ChartData& chartData, const kit::View& content)
{
    const bool below = chartData.chartStyle->xAxisLabelPosition == XAxisLabelPosistion::bottom;
    return kit::VStack(kit::HorizontalAlignment::center, {content})
        .padding(below ? kit::Edge::top : kit::Edge::bottom, -8.0);
}

// The room kept level with the x-axis labels and title at one end of a
// column: a spacer as high as they are, on the side where they stand
// (`atTop`: the top end), nothing at the other end.
template <LineBarChartDataObject ChartData>
kit::View xAxisLabelsSpacer(const ChartData& chartData, bool atTop)
{
    const bool labelsOnTop = chartData.chartStyle->xAxisLabelPosition == XAxisLabelPosistion::top;
    if (labelsOnTop != atTop)
        return kit::EmptyView();
    return kit::Spacer().frame(std::nullopt, xAxisLabelsAndTitleHeight(*chartData.viewData));
}

// Appends the width of a shown y-axis label to the chart's layout record
// (one announced change).
template <LineBarChartDataObject ChartData>
void recordYAxisLabelWidth(ChartData& chartData, const kit::Rect& frame)
{
    chartData.viewData.modify([&](ChartViewData& data) { data.yAxisLabelWidth.push_back(frame.width()); });
}

// One value label of a column: the text on one line in the style's y-axis
// label font and colour, announced as "Y-Axis-Label" with the text as value,
// recording its width each time it appears; below every label but the
// lowest (index 0), a flexible gap.
template <LineBarChartDataObject ChartData>
kit::View yAxisLabelText(const std::shared_ptr<ChartData>& chartData, const std::string& label, int index)
{
    const auto& style = *chartData->chartStyle;
    const kit::View text =
        measuredLabelText(label, style.yAxisLabelFont, style.yAxisLabelColour,
                          [chartData](const kit::Rect& frame) { recordYAxisLabelWidth(*chartData, frame); })
            .accessibilityLabel("Y-Axis-Label")
            .accessibilityValue(kit::LocalizedKey{label});
    if (index == 0)
        return text;
    return kit::Group({text, flexibleColumnGap()});
}

// The content of a value-label column: the x-axis spacer on the side of
// the x-axis labels and the `labels` (lowest value first) from the highest
// at the top down to the lowest, each label identified by its index and
// built by `labelText(chartData, label, index)`.
template <LineBarChartDataObject ChartData, class LabelText>
kit::View axisLabelColumnContent(const std::shared_ptr<ChartData>& chartData, const std::vector<std::string>& labels,
                                 LabelText labelText)
{
    const int count = static_cast<int>(labels.size());
    return kit::Group({xAxisLabelsSpacer(*chartData, true),
                       kit::ForEach(kit::Range{0, count}.reversed(),
                                    [&](int i) { return labelText(chartData, labels[std::size_t(i)], i); }),
                       xAxisLabelsSpacer(*chartData, false)});
}

} // namespace charts
