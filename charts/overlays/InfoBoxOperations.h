#pragma once

#include "charts/overlays/FloatingInfoBox.h"
#include "charts/overlays/HorizontalFloatingInfoBox.h"
#include "charts/overlays/HorizontalInfoBox.h"
#include "charts/overlays/InfoBox.h"

#include <memory>

namespace charts {

// `view` with the floating info box of its chart data: the horizontal form
// for chart data whose categories run down the height.
template <LineBarChartDataObject ChartData>
kit::View applyFloatingInfoBox(const kit::View& view, std::shared_ptr<ChartData> chartData)
{
    return view.modifier(FloatingInfoBox<ChartData>{std::move(chartData)});
}

template <HorizontalChartData ChartData>
kit::View applyFloatingInfoBox(const kit::View& view, std::shared_ptr<ChartData> chartData)
{
    return view.modifier(HorizontalFloatingInfoBox<ChartData>{std::move(chartData)});
}

// `view` with the info box of its chart data in a band `size` high above it,
// or, for chart data whose categories run down the height, `size` wide
// beside it.
template <LineBarChartDataObject ChartData>
kit::View applyInfoBox(const kit::View& view, std::shared_ptr<ChartData> chartData, double size)
{
    return view.modifier(InfoBox<ChartData>{std::move(chartData), size});
}

template <HorizontalChartData ChartData>
kit::View applyInfoBox(const kit::View& view, std::shared_ptr<ChartData> chartData, double size)
{
    return view.modifier(HorizontalInfoBox<ChartData>{std::move(chartData), size});
}

} // namespace charts
