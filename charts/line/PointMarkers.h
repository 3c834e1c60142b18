#pragma once

// The point markers of a line chart: the marker shape of one data point
// (Point), the markers of one line (PointsSubView), and the modifier that
// lays a chart's markers over it (PointMarkers).

#include "charts/core/ChartEnums.h"
#include "charts/core/ViewExtensions.h"
#include "charts/line/LineDataPoints.h"
#include "charts/line/LineDataSets.h"
#include "kit/base/Path.h"
#include "kit/base/Rect.h"
#include "kit/ui/Animation.h"
#include "kit/ui/ForEach.h"
#include "kit/ui/ObservedObject.h"
#include "kit/ui/Shape.h"
#include "kit/ui/Stacks.h"
#include "kit/ui/State.h"
#include "kit/ui/View.h"

#include <memory>
#include <tuple>

namespace charts {

// The marker of one data point: a circle, square or rounded square
// `pointSize` across, centred where the line geometry puts the point (its
// index among `datapointCount` points and its value). A shape over the
// whole chart rectangle that draws only its own small box. A point of value
// 0 under `ignoreZero`, or whose value is not a finite number, has no marker.
struct Point : kit::ShapeBase<Point> {
    double value = 0;
    int index = 0;
    double minValue = 0;
    double range = 0;
    int datapointCount = 0;
    double pointSize = 0;
    bool ignoreZero = false;
    PointShape pointStyle = PointShape::circle;

    Point(double value, int index, double minValue, double range, int datapointCount, double pointSize, bool ignoreZero,
          PointShape pointStyle)
        : value(value), index(index), minValue(minValue), range(range), datapointCount(datapointCount),
          pointSize(pointSize), ignoreZero(ignoreZero), pointStyle(pointStyle)
    {
    }

    kit::Path path(const kit::Rect& rect) const;
};

// The colours of one point's marker: the point's own when it has them, else
// the point style's.
struct MarkerColours {
    kit::Color fill;
    kit::Color border;
};

template <CTLineDataPointProtocol DataPoint>
MarkerColours markerColours(const DataPoint& point, const PointStyle& style)
{
    if (point.pointColour)
        return {point.pointColour->fill, point.pointColour->border};
    return {style.fillColour, style.borderColour};
}

// One marker painted by the point style's type: filled, outlined, or an
// outline over a fill that stands complete from the first frame. `animated`
// is the marker traced or risen so far; `complete` the marker itself.
kit::View pointMarker(const kit::Shape& animated, const kit::Shape& complete, const PointStyle& style,
                      const MarkerColours& colours);

// The point markers of one line: a Point shape per data point, painted by
// the set's point style (a point's own colours win for that point), traced
// in along their outlines or, over a filled chart, risen from the bottom
// edge as the chart appears; complete at once when animation is disabled.
// The markers lie over one another in one stack, each filling the whole
// frame.
template <CTLineChartDataSet DataSet>
requires CTLineDataPointProtocol<typename DataSet::DataPoint> &&
    CTStandardDataPointProtocol<typename DataSet::DataPoint>
struct PointsSubView : kit::ViewMethods<PointsSubView<DataSet>> {
    DataSet dataSets;
    double minValue = 0;
    double range = 0;
    kit::Animation animation;
    bool isFilled = false;
    bool disableAnimation = false;
    kit::State<bool> startAnimation{false};

    PointsSubView(DataSet dataSets, double minValue, double range, kit::Animation animation, bool isFilled,
                  bool disableAnimation)
        : dataSets(std::move(dataSets)), minValue(minValue), range(range), animation(std::move(animation)),
          isFilled(isFilled), disableAnimation(disableAnimation)
    {
    }

    auto dynamicFields() { return std::tie(startAnimation); }

    kit::View body() const
    {
        const double t = disableAnimation || *startAnimation ? 1.0 : 0.0;
        const PointStyle& style = dataSets.pointStyle;
        const auto& points = dataSets.dataPoints;
        const int count = static_cast<int>(points.size());
        kit::View markers = kit::ForEach(kit::Range{0, count}, [&](int i) {
            const auto& point = points[static_cast<std::size_t>(i)];
            const kit::Shape shape = Point(point.value, i, minValue, range, count, style.pointSize,
                                           dataSets.style.ignoreZero, style.pointShape)
                                         .shape();
            const kit::Shape animated = isFilled ? shape.scale(1, t, kit::UnitPoint::bottom()) : shape.trim(0, t);
            return pointMarker(animated, shape, style, markerColours(point, style));
        });
        markers = kit::ZStack(kit::Alignment::center(), {markers});
        markers = animateOnAppear(markers, disableAnimation, animation, [flag = startAnimation] { flag = true; });
        return animateOnDisappear(markers, disableAnimation, animation, [flag = startAnimation] { flag = false; });
    }
};

// Lays a line chart's point markers (its pointsView) over the content while
// the chart has data; redrawn whenever the chart data announces a change.
// The markers take no press: it passes to the chart under them, also when
// they are laid over its touch overlay.
template <class ChartData>
struct PointMarkers {
    kit::ObservedObject<ChartData> chartData;

    auto dynamicFields() { return std::tie(chartData); }

    kit::View body(const kit::View& content) const
    {
        if (!chartData->hasData())
            return kit::ZStack(kit::Alignment::center(), {content});
        return kit::ZStack(kit::Alignment::center(), {content, chartData->pointsView().allowsHitTesting(false)});
    }
};

template <class ChartData>
kit::View applyPointMarkers(const kit::View& view, std::shared_ptr<ChartData> chartData)
{
    return view.modifier(PointMarkers<ChartData>{std::move(chartData)});
}

} // namespace charts
