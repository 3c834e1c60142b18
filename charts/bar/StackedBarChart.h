#pragma once

#include "charts/axes/AxisLabelPlacement.h"
#include "charts/bar/BarElementModifiers.h"
#include "charts/bar/BarGeometry.h"
#include "charts/bar/RoundedRectangleBarShape.h"
#include "charts/bar/StackedBarChartData.h"
#include "charts/bar/StackedBarParts.h"
#include "charts/core/CTChartData.h"
#include "charts/core/ViewExtensions.h"
#include "kit/base/AnyObject.h"
#include "kit/ui/ForEach.h"
#include "kit/ui/GeometryReader.h"
#include "kit/ui/ObservedObject.h"
#include "kit/ui/Stacks.h"

#include <algorithm>
#include <concepts>
#include <memory>
#include <tuple>

namespace charts {

// A stacked bar chart: one column per data set, side by side in equal
// slots with no gaps, each barWidth of its slot wide, centred, and its
// total / maxValue of the chart's height high from the bottom edge (a total
// not above 0 gives no column). The column is clipped to the bar shape of
// the bar style's corner radii and split into its parts (StackElementSubView),
// so only its outer corners are rounded. All columns grow together from the
// bottom edge when the chart appears, with the chart style's
// globalAnimation (at once when the chart data disables animation), and
// move with the default animation when the data sets change. Each column
// lies on the near-invisible touchable background and carries the chart's
// title as its accessibility label. The chart is never scaled for negative
// values and never writes its size into the chart data.
//
// A chart whose data sets hold no point shows the no-data view. Half a
// second after each appearance the chart posts layoutDidFinishNotification.
//
//   kit::View chart = charts::StackedBarChart(chartData);
template <class ChartData>
requires std::derived_from<ChartData, StackedBarChartData>
struct StackedBarChart {
    kit::ObservedObject<ChartData> chartData;
    kit::State<std::shared_ptr<OwnedTimer>> timer;
    kit::State<bool> startAnimation{false};

    explicit StackedBarChart(std::shared_ptr<ChartData> chartData) : chartData(std::move(chartData)) {}

    auto dynamicFields() { return std::tie(chartData, timer, startAnimation); }

    // The height of a column of `total` in a slot `height` high.
    double columnHeight(double total, double height) const { return column(total).span(height).length; }
    // Where the column of `total` lies in a slot `width` × `height`: its
    // top-left corner.
    kit::Point columnOffset(double total, double width, double height) const
    {
        return barRectInSlot(column(total), {width, height}, kit::Axis::vertical).origin;
    }

    kit::View body() const
    {
        const ChartData& data = *chartData;
        return markedAsPlot(kit::If(
                                anySetHasDataPoints(data),
                                [&] {
                                    const kit::View columns = kit::HStack(
                                        kit::VerticalAlignment::bottom, 0,
                                        {kit::ForEach(data.dataSets->dataSets,
                                                      [&](const StackedBarDataSet& set) { return columnView(set); })});
                                    return onAppearAfterDelay(columns, timer,
                                                              kit::AnyObject::box(StackedBarChart(chartData.object())));
                                },
                                [&] { return kit::View(CustomNoDataView<ChartData>{chartData.object()}); }),
                            &data);
    }

private:
    SlotBar column(double total) const
    {
        const ChartData& data = *chartData;
        return {.fraction = std::max(0.0, barFraction(total, data.maxValue())),
                .barWidth = data.barStyle->barWidth,
                .shown = data.disableAnimation || *startAnimation};
    }

    kit::View columnView(const StackedBarDataSet& set) const
    {
        const ChartData& data = *chartData;
        const auto& info = *data.infoView;
        const SlotBar bar = column(set.totalValue());
        const RoundedRectangleBarShape shape = barShape(data.barStyle->cornerRadius);
        const StackElementSubView parts{.dataSet = set,
                                        .specifier = info.touchSpecifier,
                                        .formatter = info.touchFormatter};
        const kit::View slot = kit::GeometryReader([bar, shape, parts](const kit::GeometryProxy& proxy) {
            return placedInSlot(kit::View(parts).clipShape(shape), bar, proxy.size, kit::Axis::vertical);
        });
        return growsOnAppear(slot.animation(barChangeAnimation(data), data.dataSets).background(touchableBackground()),
                             data, startAnimation)
            .accessibilityLabel(data.metadata->title);
    }
};

} // namespace charts
