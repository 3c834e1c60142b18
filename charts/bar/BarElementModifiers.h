#pragma once

#include "charts/axes/GetDataProtocol.h"
#include "charts/axes/LineBarChartDataObject.h"
#include "charts/bar/CTBarStyle.h"
#include "charts/core/ViewExtensions.h"
#include "kit/base/Color.h"
#include "kit/ui/State.h"
#include "kit/ui/View.h"

#include <type_traits>

namespace charts {

// Chart data the bar element views draw: a chart with axes that knows its
// value range and keeps a bar style.
template <class T>
concept BarElementChartData = LineBarChartDataObject<T> && GetDataProtocol<T> && requires(const T& chartData) {
    requires CTBarStyle<std::remove_cvref_t<decltype(chartData.barStyle.get())>>;
};

// What lies behind every bar's slot, ranged cell and stacked column: the
// platform's grey at opacity 1e-9, which shows nothing but keeps the area
// touchable.
inline kit::Color touchableBackground()
{
    return kit::Color::grayFixed().opacity(1e-9);
}

// `view` whose `started` flag turns true on each appearance and false on
// each disappearance, inside the chart style's globalAnimation, or without
// animation when the chart data disables it.
template <class ChartData>
kit::View growsOnAppear(const kit::View& view, const ChartData& chartData, const kit::State<bool>& started)
{
    const kit::Animation animation = chartData.chartStyle->globalAnimation;
    const kit::View appearing
        = animateOnAppear(view, chartData.disableAnimation, animation, [started] { started = true; });
    return animateOnDisappear(appearing, chartData.disableAnimation, animation, [started] { started = false; });
}

} // namespace charts
