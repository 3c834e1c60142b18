#pragma once

// The value-label columns beside the plot: the chart's own
// (yAxisLabelsView) and the extra line's (extraYAxisLabelsView), each label
// at its value's height, and the room a column keeps level with the x-axis
// labels and title.

#include "charts/axes/AxisLabelPlacement.h"
#include "charts/axes/LineBarChartDataObject.h"
#include "charts/axes/MeasuredLabel.h"
#include "charts/axes/YAxisLabelValues.h"
#include "charts/core/ChartViewData.h"
#include "charts/core/DataFunctions.h"
#include "charts/core/SharedSelf.h"
#include "kit/ui/ForEach.h"
#include "kit/ui/Stacks.h"

#include <memory>
#include <string>
#include <vector>

namespace charts {

// The room the x-axis labels and title take across the chart: the tallest
// measured x-axis label (0 before any is measured) plus the x-axis title's
// height.
inline double xAxisLabelsAndTitleHeight(const ChartViewData& viewData)
{
    return largestOf(viewData.xAxisLabelHeights).value_or(0) + viewData.xAxisTitleHeight;
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

// The y-axis label column of a chart with axes: the view a class answers
// for yAxisLabelsView(): yAxisLabelValues formatted with the layout record's
// y-axis specifier and formatter, each at its value's height beside the
// plot. Nothing for a chart that no shared pointer owns.
template <class ChartData>
requires LineBarChartDataObject<ChartData> && GetDataProtocol<ChartData> && std::derived_from<ChartData, SharedSelf>
    kit::View yAxisLabelsView(const ChartData& chart)
{
    const std::shared_ptr<ChartData> chartData = sharedSelf(chart);
    if (!chartData)
        return kit::EmptyView();
    const ChartViewData& viewData = *chartData->viewData;
    return axisLabelColumn(chartData,
                           yAxisLabelValues(*chartData, viewData.yAxisSpecifier, viewData.yAxisNumberFormatter));
}

// The extra line's y-axis label column of a chart with axes: the view a
// class answers for extraYAxisLabelsView(): the twin of the chart's own, its
// labels extraYAxisLabelValues formatted with the layout record's y-axis
// specifier, each at its value's height on the extra line's own scale.
// Nothing without an extra line, or for a chart that no shared pointer owns.
template <class ChartData>
requires LineBarChartDataObject<ChartData> && std::derived_from<ChartData, SharedSelf> kit::View
extraYAxisLabelsView(const ChartData& chart)
{
    const std::shared_ptr<ChartData> chartData = sharedSelf(chart);
    if (!chartData)
        return kit::EmptyView();
    return axisLabelColumn(chartData, extraYAxisLabelValues(*chartData, chartData->viewData->yAxisSpecifier));
}

} // namespace charts
