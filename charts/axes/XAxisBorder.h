#pragma once

#include "charts/axes/AxisBorderLine.h"
#include "charts/axes/LineBarChartDataObject.h"
#include "kit/ui/ObservedObject.h"
#include "kit/ui/Stacks.h"
#include "kit/ui/View.h"

#include <memory>
#include <tuple>

namespace charts {

// A thin line along the chart's top or bottom edge, on the side of its
// x-axis labels, over the content: drawn only while the chart has data and
// its layout record says x-axis labels are shown (the axis-label
// decoration records that when it appears). Where the labels stand is
// noted once, when the modifier is made; the border colour is read at each
// redraw.
//
//   kit::View line = applyXAxisBorder(shape, chartData);
template <LineBarChartDataObject ChartData>
struct XAxisBorder {
    kit::ObservedObject<ChartData> chartData;
    // X-axis labels are shown, at the top.
    bool labelsAndTop = false;
    // X-axis labels are shown, at the bottom.
    bool labelsAndBottom = false;

    explicit XAxisBorder(std::shared_ptr<ChartData> data) : chartData(std::move(data))
    {
        const ChartData& chart = *chartData.object();
        const bool labels = chart.viewData->hasXAxisLabels;
        labelsAndTop = labels && chart.chartStyle->xAxisLabelPosition == XAxisLabelPosistion::top;
        labelsAndBottom = labels && chart.chartStyle->xAxisLabelPosition == XAxisLabelPosistion::bottom;
    }

    auto dynamicFields() { return std::tie(chartData); }

    kit::View body(const kit::View& content) const
    {
        const ChartData& chart = *chartData;
        if (!chart.hasData() || (!labelsAndBottom && !labelsAndTop))
            return kit::Group({content});
        const kit::Alignment edge = labelsAndBottom ? kit::Alignment::bottom() : kit::Alignment::top();
        return kit::Group(
            {kit::VStack({kit::ZStack(edge, {content, axisBorderLine(chart.chartStyle->xAxisBorderColour)})})});
    }
};

template <LineBarChartDataObject ChartData>
kit::View applyXAxisBorder(const kit::View& view, std::shared_ptr<ChartData> chartData)
{
    return view.modifier(XAxisBorder<ChartData>(std::move(chartData)));
}

} // namespace charts
