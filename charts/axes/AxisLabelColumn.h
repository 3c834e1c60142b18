#pragma once

#include "charts/axes/AxisLabelPlacement.h"
#include "charts/axes/AxisLabelSizes.h"
#include "charts/axes/LineBarChartDataObject.h"
#include "charts/axes/MeasuredLabel.h"
#include "kit/ui/ForEach.h"
#include "kit/ui/Stacks.h"

#include <memory>
#include <string>
#include <vector>

namespace charts {

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
// recording its width each time it appears.
template <LineBarChartDataObject ChartData>
kit::View yAxisLabelText(const std::shared_ptr<ChartData>& chartData, const std::string& label)
{
    const auto& style = *chartData->chartStyle;
    return measuredLabelText(label, style.yAxisLabelFont, style.yAxisLabelColour,
                             [chartData](const kit::Rect& frame) { recordYAxisLabelWidth(*chartData, frame); })
        .accessibilityLabel("Y-Axis-Label")
        .accessibilityValue(kit::LocalizedKey{label});
}

// The height of one value label.
template <LineBarChartDataObject ChartData>
double yAxisLabelHeight(const ChartData& chartData)
{
    return kit::FontMetrics::shared().lineHeight(chartData.chartStyle->yAxisLabelFont);
}

// A value-label column beside the plot: `labels` (lowest value first) each
// centred on its value's height, the lowest on the plot's bottom edge, the
// highest on its top edge and the others evenly between (thinned where
// they would overlap), in a column as wide as the widest label.
template <LineBarChartDataObject ChartData>
kit::View axisLabelColumn(const std::shared_ptr<ChartData>& chartData, const std::vector<std::string>& labels)
{
    const auto& style = *chartData->chartStyle;
    return valueLabelColumn(chartData.get(), labels, evenFractions(labels.size()),
                            widestLabel(style.yAxisLabelFont, labels), style.yAxisLabelFont,
                            [chartData](const std::string& label) { return yAxisLabelText(chartData, label); });
}

} // namespace charts
