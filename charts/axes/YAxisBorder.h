#pragma once

#include "charts/axes/AxisBorderLine.h"
#include "charts/axes/LineBarChartDataObject.h"
#include "kit/ui/ObservedObject.h"
#include "kit/ui/Stacks.h"
#include "kit/ui/View.h"

#include <memory>
#include <tuple>

namespace charts {

// A thin line along the chart's leading or trailing edge, on the side of
// its y-axis labels, over the content: drawn while the layout record says
// y-axis labels are shown, whether or not the chart has data. Where the
// labels stand is noted once, when the modifier is made; the border colour
// is read at each redraw.
//
//   kit::View line = applyYAxisBorder(shape, chartData);
template <LineBarChartDataObject ChartData>
struct YAxisBorder {
    kit::ObservedObject<ChartData> chartData;
    // Y-axis labels are shown, on the leading side.
    bool labelsAndLeading = false;
    // Y-axis labels are shown, on the trailing side.
    bool labelsAndTrailing = false;

    explicit YAxisBorder(std::shared_ptr<ChartData> data) : chartData(std::move(data))
    {
        const ChartData& chart = *chartData.object();
        const bool labels = chart.viewData->hasYAxisLabels;
        labelsAndLeading = labels && chart.chartStyle->yAxisLabelPosition == YAxisLabelPosistion::leading;
        labelsAndTrailing = labels && chart.chartStyle->yAxisLabelPosition == YAxisLabelPosistion::trailing;
    }

    auto dynamicFields() { return std::tie(chartData); }

    kit::View body(const kit::View& content) const
    {
        const ChartData& chart = *chartData;
        if (!labelsAndLeading && !labelsAndTrailing)
            return kit::Group({content});
        const kit::Alignment edge = labelsAndLeading ? kit::Alignment::leading() : kit::Alignment::trailing();
        return kit::Group(
            {kit::HStack({kit::ZStack(edge, {content, axisBorderLine(chart.chartStyle->yAxisBorderColour)})})});
    }
};

template <LineBarChartDataObject ChartData>
kit::View applyYAxisBorder(const kit::View& view, std::shared_ptr<ChartData> chartData)
{
    return view.modifier(YAxisBorder<ChartData>(std::move(chartData)));
}

} // namespace charts
