#pragma once

#include "charts/axes/AxisColourIndicator.h"
#include "charts/axes/YAxisLabelsView.h"
#include "kit/base/Angle.h"
#include "kit/ui/Text.h"

#include <functional>
#include <memory>
#include <numbers>
#include <string>

namespace charts {

// The y-axis titles: the chart's beside its y-axis labels and the extra
// line's beside the extra labels. Each is its text turned a quarter
// anticlockwise with a colour dot under it, in a column that keeps level
// with the plot area, and records its size in the layout record each time
// it appears.

// Records a turned title's measured upright size (w, h): the room it takes
// across, h + 10, then the length it runs down, w (two announced changes).
template <LineBarChartDataObject ChartData>
void recordYAxisTitleSize(ChartData& chartData, const kit::Rect& frame)
{
    chartData.viewData.modify([&](ChartViewData& data) { data.yAxisTitleWidth = frame.height() + 10; });
    chartData.viewData.modify([&](ChartViewData& data) { data.yAxisTitleHeight = frame.width(); });
}

template <LineBarChartDataObject ChartData>
void recordExtraYAxisTitleSize(ChartData& chartData, const kit::Rect& frame)
{
    chartData.viewData.modify([&](ChartViewData& data) { data.extraYAxisTitleWidth = frame.height() + 10; });
    chartData.viewData.modify([&](ChartViewData& data) { data.extraYAxisTitleHeight = frame.width(); });
}

// A title in the style's y-axis title font and colour, measured upright
// (`measured`), turned a quarter anticlockwise about its centre and framed
// `width` across; after it `dot`, moved down by half the title's length so
// that it clears the turned text.
template <LineBarChartDataObject ChartData>
kit::View turnedAxisTitleText(const ChartData& chartData, const std::string& title, double width, double length,
                              const kit::View& dot, std::function<void(const kit::Rect&)> measured)
{
    const auto& style = *chartData.chartStyle;
    const kit::View text = kit::Text(title)
                               .font(style.yAxisTitleFont)
                               .foregroundColor(style.yAxisTitleColour)
                               .background(sizeReader(std::move(measured)), kit::Alignment::center())
                               .rotationEffect(kit::Angle::fromRadians(-std::numbers::pi / 2))
                               .fixedSize()
                               .frame(width);
    return kit::Group({text, dot.offset(0, length * 0.5)});
}

// The chart's y-axis title turned upright with the dot `colourIndicator`
// asks for under it; the title records its size as the y-axis title's.
template <LineBarChartDataObject ChartData>
kit::View yAxisTitleText(const AxisColour& colourIndicator, const std::string& title,
                         const std::shared_ptr<ChartData>& chartData)
{
    const ChartViewData& viewData = *chartData->viewData;
    return turnedAxisTitleText(*chartData, title, viewData.yAxisTitleWidth, viewData.yAxisTitleHeight,
                               axisColourIndicator(colourIndicator, *chartData),
                               [chartData](const kit::Rect& frame) { recordYAxisTitleSize(*chartData, frame); });
}

// The extra line's y-axis title, turned in the same way, with the extra
// line's dot; the title records its size as the extra title's.
template <LineBarChartDataObject ChartData>
kit::View extraYAxisTitleText(const AxisColour& colourIndicator, const std::string& title,
                              const std::shared_ptr<ChartData>& chartData)
{
    const ChartViewData& viewData = *chartData->viewData;
    return turnedAxisTitleText(*chartData, title, viewData.extraYAxisTitleWidth, viewData.extraYAxisTitleHeight,
                               extraAxisColourIndicator(colourIndicator, *chartData),
                               [chartData](const kit::Rect& frame) { recordExtraYAxisTitleSize(*chartData, frame); });
}

// A title column level with the plot area: the x-axis spacer on the side of
// the x-axis labels and, in a centred column, what `content` builds from
// the indicator, the title and the chart data. Column spacing: 0 for the
// chart's title, the default for the extra line's (`extra`).
template <LineBarChartDataObject ChartData, class Content>
kit::View axisTitleColumn(const AxisColour& colourIndicator, const std::string& title,
                          const std::shared_ptr<ChartData>& chartData, bool extra, Content content)
{
    const std::optional<double> spacing = extra ? std::nullopt : std::optional<double>(0);
    return kit::VStack(kit::HorizontalAlignment::center, {xAxisLabelsSpacer(*chartData, true),
                                                          kit::VStack(kit::HorizontalAlignment::center, spacing,
                                                                      {content(colourIndicator, title, chartData)}),
                                                          xAxisLabelsSpacer(*chartData, false)});
}

// The chart's y-axis title with the dot `colourIndicator` asks for; nothing
// without a title (and then no dot either).
template <LineBarChartDataObject ChartData>
kit::View yAxisTitleView(const AxisColour& colourIndicator, const std::shared_ptr<ChartData>& chartData)
{
    const std::optional<std::string>& title = chartData->chartStyle->yAxisTitle;
    if (!title)
        return kit::EmptyView();
    return kit::Group({axisTitleColumn(colourIndicator, *title, chartData, false, yAxisTitleText<ChartData>)});
}

// The extra line's y-axis title (its style's), in the chart's y-axis title
// font and colour, with the extra line's dot; nothing without an extra
// line or without a title.
template <LineBarChartDataObject ChartData>
kit::View extraYAxisTitleView(const AxisColour& colourIndicator, const std::shared_ptr<ChartData>& chartData)
{
    const std::optional<ExtraLineData>& extraLine = *chartData->extraLineData;
    if (!extraLine || !extraLine->style.yAxisTitle)
        return kit::EmptyView();
    return kit::Group({axisTitleColumn(colourIndicator, *extraLine->style.yAxisTitle, chartData, true,
                                       extraYAxisTitleText<ChartData>)});
}

} // namespace charts
