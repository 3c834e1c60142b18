#pragma once

#include "charts/axes/LineBarChartDataObject.h"
#include "kit/base/Color.h"
#include "kit/ui/Layout.h"
#include "kit/ui/ObservedObject.h"
#include "kit/ui/Stacks.h"
#include "kit/ui/View.h"

#include <memory>
#include <optional>
#include <tuple>

namespace charts {

// The axis borders: a thin line along the chart's edge on the side of an
// axis's labels, over the content. Where the labels stand is noted once,
// when the modifier is made; the border colour is read at each redraw.
//
//   kit::View line = applyYAxisBorder(applyXAxisBorder(shape, chartData), chartData);

// `content` in a group, with the border line running `along` the axis over
// its `edge` when there is one: the plain divider, with `colour` behind it
// when one is set. The line has no frame of its own: it takes its direction
// from the stack it stands in, a column for a line along the horizontal
// axis, a row for one along the vertical axis.
inline kit::View withAxisBorder(kit::Axis along, const kit::View& content, std::optional<kit::Alignment> edge,
                                const std::optional<kit::Color>& colour)
{
    if (!edge)
        return kit::Group({content});
    const kit::View line = colour ? kit::Divider().background(kit::View(*colour), kit::Alignment::center())
                                  : kit::Divider();
    const kit::View bordered = kit::ZStack(*edge, {content, line});
    return kit::Group({along == kit::Axis::horizontal ? kit::VStack({bordered}) : kit::HStack({bordered})});
}

// The line along the chart's top or bottom edge, on the side of its x-axis
// labels: drawn only while the chart has data and its layout record says
// x-axis labels are shown (the axis-label decoration records that when it
// appears).
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
        std::optional<kit::Alignment> edge;
        if (chart.hasData() && (labelsAndBottom || labelsAndTop))
            edge = labelsAndBottom ? kit::Alignment::bottom() : kit::Alignment::top();
        return withAxisBorder(kit::Axis::horizontal, content, edge, chart.chartStyle->xAxisBorderColour);
    }
};

// The line along the chart's leading or trailing edge, on the side of its
// y-axis labels: drawn while the layout record says y-axis labels are
// shown, whether or not the chart has data.
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
        std::optional<kit::Alignment> edge;
        if (labelsAndLeading || labelsAndTrailing)
            edge = labelsAndLeading ? kit::Alignment::leading() : kit::Alignment::trailing();
        return withAxisBorder(kit::Axis::vertical, content, edge, chart.chartStyle->yAxisBorderColour);
    }
};

template <LineBarChartDataObject ChartData>
kit::View applyXAxisBorder(const kit::View& view, std::shared_ptr<ChartData> chartData)
{
    return view.modifier(XAxisBorder<ChartData>(std::move(chartData)));
}

template <LineBarChartDataObject ChartData>
kit::View applyYAxisBorder(const kit::View& view, std::shared_ptr<ChartData> chartData)
{
    return view.modifier(YAxisBorder<ChartData>(std::move(chartData)));
}

} // namespace charts
