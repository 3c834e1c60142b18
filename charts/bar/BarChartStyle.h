#pragma once

#include "charts/bar/BarMarkerType.h"
#include "charts/core/ChartStyleProtocols.h"
#include "charts/core/CommonLineBarChartStyle.h"

#include <concepts>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

namespace charts {

// What a bar chart asks of its style: a chart style with axes whose touch
// marker is a BarMarkerType, nothing more.
template <class S>
concept CTBarChartStyle = CTLineBarChartStyle<S> && std::same_as<typename S::Mark, BarMarkerType>;

// The style of a bar chart: its info box, touch marker, grids, axis labels
// and titles, axis borders and value range, and the animation of its views.
// The axis border colours start absent (a plain divider) and can be set
// afterwards; every other field is given.
struct BarChartStyle : CommonLineBarChartStyle<BarMarkerType> {
    BarChartStyle(InfoBoxPlacement infoBoxPlacement, InfoBoxAlignment infoBoxContentAlignment,
                  kit::Font infoBoxValueFont, kit::Color infoBoxValueColour, kit::Font infoBoxDescriptionFont,
                  kit::Color infoBoxDescriptionColour, kit::Color infoBoxBackgroundColour,
                  kit::Color infoBoxBorderColour, kit::StrokeStyle infoBoxBorderStyle, BarMarkerType markerType,
                  GridStyle xAxisGridStyle, XAxisLabelPosistion xAxisLabelPosition, kit::Font xAxisLabelFont,
                  kit::Color xAxisLabelColour, LabelsFrom xAxisLabelsFrom, std::optional<std::string> xAxisTitle,
                  kit::Font xAxisTitleFont, kit::Color xAxisTitleColour, GridStyle yAxisGridStyle,
                  YAxisLabelPosistion yAxisLabelPosition, kit::Font yAxisLabelFont, kit::Color yAxisLabelColour,
                  std::int64_t yAxisNumberOfLabels, YAxisLabelType yAxisLabelType,
                  std::optional<std::string> yAxisTitle, kit::Font yAxisTitleFont, kit::Color yAxisTitleColour,
                  Baseline baseline, Topline topLine, kit::Animation globalAnimation)
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
                                   .xAxisBorderColour = std::nullopt,
                                   .yAxisGridStyle = std::move(yAxisGridStyle),
                                   .yAxisLabelPosition = yAxisLabelPosition,
                                   .yAxisLabelFont = std::move(yAxisLabelFont),
                                   .yAxisLabelColour = yAxisLabelColour,
                                   .yAxisNumberOfLabels = yAxisNumberOfLabels,
                                   .yAxisLabelType = yAxisLabelType,
                                   .yAxisTitle = std::move(yAxisTitle),
                                   .yAxisTitleFont = std::move(yAxisTitleFont),
                                   .yAxisTitleColour = yAxisTitleColour,
                                   .yAxisBorderColour = std::nullopt,
                                   .baseline = std::move(baseline),
                                   .topLine = std::move(topLine)}}
    {
    }
};

static_assert(CTBarChartStyle<BarChartStyle>);

} // namespace charts
