#pragma once

#include "charts/axes/LineBarChartDataObject.h"
#include "charts/axes/MeasuredLabel.h"
#include "kit/ui/Text.h"

#include <memory>
#include <string>

namespace charts {

// Records the x-axis title's measured height (its 2-point padding included)
// plus 10 as the room the title takes (one announced change).
template <LineBarChartDataObject ChartData>
void recordXAxisTitleHeight(ChartData& chartData, const kit::Rect& frame)
{
    chartData.viewData.modify([&](ChartViewData& data) { data.xAxisTitleHeight = frame.height() + 10; });
}

// The x-axis title in the style's x-axis title font and colour, 2 points
// clear of the x-axis labels (padded below when they stand above the chart,
// above when they stand below), recording its height each time it appears;
// nothing without a title.
template <LineBarChartDataObject ChartData>
kit::View xAxisTitleView(const std::shared_ptr<ChartData>& chartData)
{
    const auto& style = *chartData->chartStyle;
    if (!style.xAxisTitle)
        return kit::EmptyView();
    const kit::Edge facingLabels = style.xAxisLabelPosition == XAxisLabelPosistion::top ? kit::Edge::bottom
                                                                                        : kit::Edge::top;
    return kit::Text(*style.xAxisTitle)
        .font(style.xAxisTitleFont)
        .foregroundColor(style.xAxisTitleColour)
        .padding(facingLabels, 2.0)
        .background(sizeReader([chartData](const kit::Rect& frame) { recordXAxisTitleHeight(*chartData, frame); }),
                    kit::Alignment::center());
}

} // namespace charts
