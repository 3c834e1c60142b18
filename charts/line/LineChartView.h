#pragma once

#include "charts/axes/AxisLabelPlacement.h"
#include "charts/core/CTChartData.h"
#include "charts/core/ChartViewData.h"
#include "charts/core/DataFunctions.h"
#include "charts/core/ViewExtensions.h"
#include "charts/line/CTLineChartDataProtocol.h"
#include "charts/line/LineSubViews.h"
#include "kit/base/AnyObject.h"
#include "kit/ui/GeometryReader.h"
#include "kit/ui/ObservedObject.h"
#include "kit/ui/Stacks.h"
#include "kit/ui/State.h"
#include "kit/ui/View.h"

#include <functional>
#include <memory>
#include <tuple>

namespace charts {

// What the four line chart views share: the chart data they observe, the
// pending layout timer, and the frame they draw their lines in. `Derived`
// is the chart view.
template <class Derived, LineChartDataObject ChartData>
struct LineChartView : kit::ViewMethods<Derived> {
    kit::ObservedObject<ChartData> chartData;
    kit::State<std::shared_ptr<OwnedTimer>> timer;

    auto dynamicFields() { return std::tie(chartData, timer); }

protected:
    explicit LineChartView(std::shared_ptr<ChartData> data) : chartData(std::move(data)) {}

    // A geometry reader taking the whole offered frame. With data, it holds
    // the chart data's accessibility layer with `lines()` over it; when that
    // stack appears it writes the reader's local frame into
    // `viewData.chartSize` (on appearance only: a later resize does not
    // rewrite it), and half a second after each appearance a copy of the
    // chart view is posted with layoutDidFinishNotification (an appearance
    // within that half second replaces the pending post). Without data, the
    // chart data's no-data view, which writes and posts nothing.
    kit::View lineChartFrame(bool hasData, std::function<kit::View()> lines) const
    {
        std::shared_ptr<ChartData> data = chartData.object();
        kit::AnyObject chartView = hasData ? kit::AnyObject::box(copy()) : kit::AnyObject();
        return markedAsPlot(kit::GeometryReader([hasData, data, lines = std::move(lines), chartView,
                                                 timer = timer](const kit::GeometryProxy& proxy) {
                                return kit::If(
                                    hasData,
                                    [&] {
                                        const kit::Rect frame = proxy.frame(kit::CoordinateSpace::local());
                                        const kit::View stack = kit::ZStack(kit::Alignment::center(),
                                                                            {data->accessibilityView(), lines()})
                                                                    .onAppear([data, frame] {
                                                                        data->viewData.modify([&](ChartViewData& view) {
                                                                            view.chartSize = frame;
                                                                        });
                                                                    });
                                        return onAppearAfterDelay(stack, timer, chartView);
                                    },
                                    [&] { return kit::View(CustomNoDataView<ChartData>{data}); });
                            }),
                            data.get());
    }

    // The frame of a chart of one line (LineChart, FilledLineChart): the
    // sub-view of the chart data's own set, nothing copied, made now, so that
    // it takes what it draws of the points while the pass over them for the
    // value range has just read them.
    kit::View singleLineFrame(double minValue, double range, bool isFilled) const
    {
        const std::shared_ptr<ChartData> chart = chartData.object();
        const ChartData& data = *chart;
        const kit::View line = lineSubView(chart, std::shared_ptr<const LineDataSet>(chart, &data.dataSets.get()),
                                           minValue, range, isFilled);
        return lineChartFrame(hasMultipleDataPoints(data), [line] { return line; });
    }

private:
    // The chart view as a value of its own: the same chart data and fields,
    // with a timer state of its own, so that the pending timer which holds
    // it keeps neither this node's state nor itself alive.
    Derived copy() const
    {
        Derived value = static_cast<const Derived&>(*this);
        value.timer = kit::State<std::shared_ptr<OwnedTimer>>();
        return value;
    }
};

} // namespace charts
