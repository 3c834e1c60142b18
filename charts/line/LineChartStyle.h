#pragma once

#include "charts/core/CommonLineBarChartStyle.h"
#include "charts/core/MarkerTypes.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

namespace charts {

// The chart-wide style of every line chart: the touch info box, the marker a
// touch draws on the lines, both axes (grid lines, labels, titles, borders),
// where the value axis starts and ends, and the animation of the chart's
// views. A plain value of public fields, stored as given, made from every
// field in declaration order; neither equatable nor hashable.
struct LineChartStyle : CommonLineBarChartStyle<LineMarkerType> {
    LineChartStyle(InfoBoxPlacement infoBoxPlacement, InfoBoxAlignment infoBoxContentAlignment,
                   kit::Font infoBoxValueFont, kit::Color infoBoxValueColour, kit::Font infoBoxDescriptionFont,
                   kit::Color infoBoxDescriptionColour, kit::Color infoBoxBackgroundColour,
                   kit::Color infoBoxBorderColour, kit::StrokeStyle infoBoxBorderStyle, LineMarkerType markerType,
                   GridStyle xAxisGridStyle, XAxisLabelPosistion xAxisLabelPosition, kit::Font xAxisLabelFont,
                   kit::Color xAxisLabelColour, LabelsFrom xAxisLabelsFrom, std::optional<std::string> xAxisTitle,
                   kit::Font xAxisTitleFont, kit::Color xAxisTitleColour, std::optional<kit::Color> xAxisBorderColour,
                   GridStyle yAxisGridStyle, YAxisLabelPosistion yAxisLabelPosition, kit::Font yAxisLabelFont,
                   kit::Color yAxisLabelColour, std::int64_t yAxisNumberOfLabels, YAxisLabelType yAxisLabelType,
                   std::optional<std::string> yAxisTitle, kit::Font yAxisTitleFont, kit::Color yAxisTitleColour,
                   std::optional<kit::Color> yAxisBorderColour, Baseline baseline, Topline topLine,
                   kit::Animation globalAnimation)
        : CommonLineBarChartStyle{{.infoBoxPlacement = std::move(infoBoxPlacement),
                                   .infoBoxContentAlignment = infoBoxContentAlignment,
                                   .infoBoxValueFont = std::move(infoBoxValueFont),
                                   .infoBoxValueColour = infoBoxValueColour,
                                   .infoBoxDescriptionFont = std::move(infoBoxDescriptionFont),
                                   .infoBoxDescriptionColour = infoBoxDescriptionColour,
                                   .infoBoxBackgroundColour = infoBoxBackgroundColour,
                                   .infoBoxBorderColour = infoBoxBorderColour,
                                   .infoBoxBorderStyle = std::move(infoBoxBorderStyle),
                                   .globalAnimation = std::move(globalAnimation)},
                                  {.markerType = std::move(markerType),
                                   .xAxisGridStyle = std::move(xAxisGridStyle),
                                   .xAxisLabelPosition = xAxisLabelPosition,
                                   .xAxisLabelFont = std::move(xAxisLabelFont),
                                   .xAxisLabelColour = xAxisLabelColour,
                                   .xAxisLabelsFrom = std::move(xAxisLabelsFrom),
                                   .xAxisTitle = std::move(xAxisTitle),
                                   .xAxisTitleFont = std::move(xAxisTitleFont),
                                   .xAxisTitleColour = xAxisTitleColour,
                                   .xAxisBorderColour = xAxisBorderColour,
                                   .yAxisGridStyle = std::move(yAxisGridStyle),
                                   .yAxisLabelPosition = yAxisLabelPosition,
                                   .yAxisLabelFont = std::move(yAxisLabelFont),
                                   .yAxisLabelColour = yAxisLabelColour,
                                   .yAxisNumberOfLabels = yAxisNumberOfLabels,
                                   .yAxisLabelType = yAxisLabelType,
                                   .yAxisTitle = std::move(yAxisTitle),
                                   .yAxisTitleFont = std::move(yAxisTitleFont),
                                   .yAxisTitleColour = yAxisTitleColour,
                                   .yAxisBorderColour = yAxisBorderColour,
                                   .baseline = std::move(baseline),
                                   .topLine = std::move(topLine)}}
    {
    }
};

} // namespace charts
