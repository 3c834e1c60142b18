#pragma once

#include "charts/axes/GetDataProtocol.h"
#include "charts/axes/LineBarChartDataObject.h"
#include "charts/bar/BarGeometry.h"
#include "charts/bar/BarStyle.h"
#include "charts/core/DataPointTexts.h"
#include "charts/core/ViewExtensions.h"
#include "kit/base/Color.h"
#include "kit/base/Size.h"
#include "kit/ui/Layout.h"
#include "kit/ui/State.h"
#include "kit/ui/View.h"

#include <optional>
#include <type_traits>

namespace charts {

// Chart data the bar element views draw: a chart with axes that knows its
// value range and keeps a bar style.
template <class T>
concept BarElementChartData = LineBarChartDataObject<T> && GetDataProtocol<T> && requires(const T& chartData)
{
    requires CTBarStyle<std::remove_cvref_t<decltype(chartData.barStyle.get())>>;
};

// `bar` (a shape or column) placed in a slot of `size` as `slot` says:
// across the value axis its thickness, centred; along it its span from the
// bottom edge (vertical) or the leading edge (horizontal).
inline kit::View placedInSlot(const kit::View& bar, const SlotBar& slot, kit::Size size, kit::Axis axis)
{
    const kit::Rect r = barRectInSlot(slot, size, axis);
    return bar.frame(r.width(), r.height()).offset(r.minX(), r.minY());
}

// `view` whose `started` flag turns true on each appearance and false on
// each disappearance, inside the chart style's globalAnimation, or without
// animation when the chart data disables it.
template <class ChartData>
kit::View growsOnAppear(const kit::View& view, const ChartData& chartData, const kit::State<bool>& started)
{
    const kit::Animation animation = chartData.chartStyle->globalAnimation;
    const kit::View appearing = animateOnAppear(view, chartData.disableAnimation, animation,
                                                [started] { started = true; });
    return animateOnDisappear(appearing, chartData.disableAnimation, animation, [started] { started = false; });
}

// The animation bars move with when the chart's data sets change: the
// default one, none when the chart data disables animation (the new data
// then shows in the next frame).
template <class ChartData>
std::optional<kit::Animation> barChangeAnimation(const ChartData& chartData)
{
    if (chartData.disableAnimation)
        return std::nullopt;
    return kit::Animation::defaultAnimation();
}

// The slot of one bar (`slot`, a geometry reader holding the bar) as every
// bar element view and ranged cell dresses it: moving with
// barChangeAnimation when the chart's data sets change, on the touchable
// background, growing in as `started` says, and carrying the point's value
// text in the chart's touch specifier and formatter as its accessibility
// value.
template <class ChartData, class DataPoint>
kit::View dressedAsBar(const kit::View& slot, const ChartData& chartData, const DataPoint& dataPoint,
                       const kit::State<bool>& started)
{
    const auto& info = *chartData.infoView;
    return growsOnAppear(
               slot.animation(barChangeAnimation(chartData), chartData.dataSets).background(touchableBackground()),
               chartData, started)
        .accessibilityValue(accessibilityValueString(dataPoint, info.touchSpecifier, info.touchFormatter));
}

} // namespace charts
