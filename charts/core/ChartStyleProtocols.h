#pragma once

#include "charts/core/ChartEnums.h"
#include "charts/core/CommonChartStyle.h"
#include "charts/core/CommonLineBarChartStyle.h"
#include "charts/core/MarkerTypes.h"
#include "kit/base/Color.h"
#include "kit/base/Font.h"
#include "kit/base/StrokeStyle.h"
#include "kit/ui/Animation.h"

#include <concepts>
#include <cstdint>
#include <optional>
#include <string>

namespace charts {

// The style of every chart: where and how touched values are shown, and the
// animation all the chart's views use. Each property is a plain field.
template <class S>
concept CTChartStyle = std::copyable<S> && requires(S style)
{
    {
        style.infoBoxPlacement
        } -> std::same_as<InfoBoxPlacement&>;
    {
        style.infoBoxContentAlignment
        } -> std::same_as<InfoBoxAlignment&>;
    {
        style.infoBoxValueFont
        } -> std::same_as<kit::Font&>;
    {
        style.infoBoxValueColour
        } -> std::same_as<kit::Color&>;
    {
        style.infoBoxDescriptionFont
        } -> std::same_as<kit::Font&>;
    {
        style.infoBoxDescriptionColour
        } -> std::same_as<kit::Color&>;
    {
        style.infoBoxBackgroundColour
        } -> std::same_as<kit::Color&>;
    {
        style.infoBoxBorderColour
        } -> std::same_as<kit::Color&>;
    {
        style.infoBoxBorderStyle
        } -> std::same_as<kit::StrokeStyle&>;
    {
        style.globalAnimation
        } -> std::same_as<kit::Animation&>;
};

// The style of a chart with axes: its touch marker (`Mark`), grids, axis
// labels and titles, axis borders and value range.
template <class S>
concept CTLineBarChartStyle = CTChartStyle<S> && std::derived_from<typename S::Mark, MarkerType> && requires(S style)
{
    {
        style.markerType
        } -> std::same_as<typename S::Mark&>;
    {
        style.xAxisGridStyle
        } -> std::same_as<GridStyle&>;
    {
        style.xAxisLabelPosition
        } -> std::same_as<XAxisLabelPosistion&>;
    {
        style.xAxisLabelFont
        } -> std::same_as<kit::Font&>;
    {
        style.xAxisLabelColour
        } -> std::same_as<kit::Color&>;
    {
        style.xAxisLabelsFrom
        } -> std::same_as<LabelsFrom&>;
    {
        style.xAxisTitle
        } -> std::same_as<std::optional<std::string>&>;
    {
        style.xAxisTitleFont
        } -> std::same_as<kit::Font&>;
    {
        style.xAxisTitleColour
        } -> std::same_as<kit::Color&>;
    {
        style.xAxisBorderColour
        } -> std::same_as<std::optional<kit::Color>&>;
    {
        style.yAxisGridStyle
        } -> std::same_as<GridStyle&>;
    {
        style.yAxisLabelPosition
        } -> std::same_as<YAxisLabelPosistion&>;
    {
        style.yAxisLabelFont
        } -> std::same_as<kit::Font&>;
    {
        style.yAxisLabelColour
        } -> std::same_as<kit::Color&>;
    {
        style.yAxisNumberOfLabels
        } -> std::same_as<std::int64_t&>;
    {
        style.yAxisLabelType
        } -> std::same_as<YAxisLabelType&>;
    {
        style.yAxisTitle
        } -> std::same_as<std::optional<std::string>&>;
    {
        style.yAxisTitleFont
        } -> std::same_as<kit::Font&>;
    {
        style.yAxisTitleColour
        } -> std::same_as<kit::Color&>;
    {
        style.yAxisBorderColour
        } -> std::same_as<std::optional<kit::Color>&>;
    {
        style.baseline
        } -> std::same_as<Baseline&>;
    {
        style.topLine
        } -> std::same_as<Topline&>;
};

// The styles of pie and doughnut charts add nothing to CTChartStyle but the
// doughnut's ring width.
template <class S>
concept CTPieAndDoughnutChartStyle = CTChartStyle<S>;

template <class S>
concept CTPieChartStyle = CTPieAndDoughnutChartStyle<S>;

template <class S>
concept CTDoughnutChartStyle = CTPieAndDoughnutChartStyle<S> && requires(S style)
{
    {
        style.strokeWidth
        } -> std::same_as<double&>;
};

} // namespace charts
