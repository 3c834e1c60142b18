#pragma once

#include "charts/core/ValueText.h"
#include "charts/core/ViewExtensions.h"
#include "charts/pie/PieChartDataPoint.h"
#include "kit/base/AnyObject.h"
#include "kit/base/Rect.h"
#include "kit/ui/ObservedObject.h"
#include "kit/ui/Shape.h"
#include "kit/ui/State.h"
#include "kit/ui/View.h"

#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

namespace charts {

// The painted shape of one point in the chart area; EmptyView when it
// cannot be drawn.
using SegmentShape = std::function<kit::View(const PieChartDataPoint&)>;

// A slice as a wedge filled in its colour.
kit::View pieSegment(const PieChartDataPoint& point);

// A slice as an arc stroked in its colour, `strokeWidth` wide with butt caps
// and miter joins, centred on the largest circle that fits the chart area;
// nothing for a width that is not a finite number.
kit::View doughnutSegment(const PieChartDataPoint& point, double strokeWidth);

// The area a slice covers, whose box a screen reader gives as the slice's
// place: the wedge of a pie slice, the ring segment of a doughnut slice.
using SegmentArea = std::function<kit::Shape(const PieChartDataPoint&)>;
kit::Shape pieSegmentArea(const PieChartDataPoint& point);
SegmentArea doughnutSegmentArea(double strokeWidth);

// What is drawn over one pie or doughnut segment in `rect` (the chart area,
// in the segment's own coordinates): the point's label text (a localized
// key) or its symbol fitted in a size × size frame, centred on the segment's
// label point, in the overlay's colour; nothing for `none`. An overlay whose
// place or size is not a finite number is left out.
kit::View segmentOverlay(const PieChartDataPoint& point, const kit::Rect& rect);

// What one evaluation of a pie or doughnut chart draws. The data points are
// read once per evaluation, so the number of segments and the point each
// segment draws always come from the same list.
struct SegmentChartContent {
    std::vector<PieChartDataPoint> dataPoints;
    std::string title;
    std::vector<PieChartDataPoint> touchOverlayInfo;
    std::string touchSpecifier;
    NumberFormatterPtr touchFormatter;
    // Scale and opacity of every segment: 0.001 before the start animation, else 1.
    double scale = 1;
    SegmentShape segmentShape;
    SegmentArea segmentArea;
};

// A geometry reader taking the whole chart area, with one segment per point
// laid over each other. Each segment carries the point's overlay, grows and
// fades in with its own spring (0.06 s after the one before it), is drawn
// 1.1 times larger, above the others and with a shadow while it is the one
// touched point, and is labelled for accessibility with the chart's title
// and the point's value text, with its share of the whole (in per cent, to
// a tenth) as the hint, over the box of the area it covers. A point whose
// angles are not finite numbers (values that sum to zero) draws nothing.
kit::View segmentChart(SegmentChartContent content);

// What the pie and doughnut chart views share: the chart data they observe,
// the pending layout timer and the start animation's flag, and the body
// drawn from them. `Derived` supplies the segment shape and its area through
// `static SegmentShape segmentShape(const ChartData&)` and
// `static SegmentArea segmentArea(const ChartData&)`.
template <class Derived, class ChartData>
struct SegmentChartView : kit::ViewMethods<Derived> {
    kit::ObservedObject<ChartData> chartData;
    kit::State<std::shared_ptr<OwnedTimer>> timer;
    kit::State<bool> startAnimation{false};

    auto dynamicFields() { return std::tie(chartData, timer, startAnimation); }

    // The segments painted by the chart's segment shape, the start
    // animation's appear and disappear actions, then the layout timer.
    kit::View body() const
    {
        const ChartData& data = *chartData;
        const bool disableAnimation = data.disableAnimation;
        kit::View chart = segmentChart({.dataPoints = data.dataSets->dataPoints,
                                        .title = data.metadata->title,
                                        .touchOverlayInfo = data.infoView->touchOverlayInfo,
                                        .touchSpecifier = data.infoView->touchSpecifier,
                                        .touchFormatter = data.infoView->touchFormatter,
                                        .scale = disableAnimation || *startAnimation ? 1.0 : 0.001,
                                        .segmentShape = Derived::segmentShape(data),
                                        .segmentArea = Derived::segmentArea(data)});
        const kit::Animation animation = data.chartStyle->globalAnimation;
        chart = animateOnAppear(chart, disableAnimation, animation, [flag = startAnimation] { flag = true; });
        chart = animateOnDisappear(chart, disableAnimation, animation, [flag = startAnimation] { flag = false; });
        // Each appearance cancels a pending layout timer; the new one posts
        // a copy of this view half a second later.
        return keepingHalfOfTheFrame(onAppearAfterDelay(chart, timer, kit::AnyObject::box(copy())), &data);
    }

protected:
    explicit SegmentChartView(std::shared_ptr<ChartData> data) : chartData(std::move(data)) {}

private:
    // The view as a value of its own: the same chart data and appearance,
    // sharing no state with this node, so whoever holds it (a pending timer)
    // keeps neither the node's state nor the timer alive.
    Derived copy() const
    {
        Derived value(chartData.object());
        value.startAnimation = kit::State<bool>(*startAnimation);
        return value;
    }
};

} // namespace charts
