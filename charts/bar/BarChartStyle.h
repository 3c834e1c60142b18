#pragma once

#include "charts/bar/BarMarkerType.h"
#include "charts/bar/CTBarChartStyle.h"
#include "charts/core/ChartStyleProtocols.h"

#include <cstdint>
#include <optional>
#include <string>

namespace charts {

// The style of a bar chart: its info box, touch marker, grids, axis labels
// and titles, axis borders and value range, and the animation of its views.
// The axis border colours start absent (a plain divider) and can be set
// afterwards; every other field is given.
struct BarChartStyle {
    using Mark = BarMarkerType;

    InfoBoxPlacement infoBoxPlacement;
    InfoBoxAlignment infoBoxContentAlignment;
    kit::Font infoBoxValueFont;
    kit::Color infoBoxValueColour;
    kit::Font infoBoxDescriptionFont;
    kit::Color infoBoxDescriptionColour;
    kit::Color infoBoxBackgroundColour;
    kit::Color infoBoxBorderColour;
    kit::StrokeStyle infoBoxBorderStyle;
    BarMarkerType markerType;
    GridStyle xAxisGridStyle;
    XAxisLabelPosistion xAxisLabelPosition;
    kit::Font xAxisLabelFont;
    kit::Color xAxisLabelColour;
    LabelsFrom xAxisLabelsFrom;
    std::optional<std::string> xAxisTitle;
    kit::Font xAxisTitleFont;
    kit::Color xAxisTitleColour;
    std::optional<kit::Color> xAxisBorderColour;
    GridStyle yAxisGridStyle;
    YAxisLabelPosistion yAxisLabelPosition;
    kit::Font yAxisLabelFont;
    kit::Color yAxisLabelColour;
    std::int64_t yAxisNumberOfLabels;
    YAxisLabelType yAxisLabelType;
    std::optional<std::string> yAxisTitle;
    kit::Font yAxisTitleFont;
    kit::Color yAxisTitleColour;
    std::optional<kit::Color> yAxisBorderColour;
    Baseline baseline;
    Topline topLine;
    kit::Animation globalAnimation;

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
        : infoBoxPlacement(infoBoxPlacement), infoBoxContentAlignment(infoBoxContentAlignment),
          infoBoxValueFont(infoBoxValueFont), infoBoxValueColour(infoBoxValueColour),
          infoBoxDescriptionFont(infoBoxDescriptionFont), infoBoxDescriptionColour(infoBoxDescriptionColour),
          infoBoxBackgroundColour(infoBoxBackgroundColour), infoBoxBorderColour(infoBoxBorderColour),
          infoBoxBorderStyle(std::move(infoBoxBorderStyle)), markerType(std::move(markerType)),
          xAxisGridStyle(std::move(xAxisGridStyle)), xAxisLabelPosition(xAxisLabelPosition),
          xAxisLabelFont(xAxisLabelFont), xAxisLabelColour(xAxisLabelColour), xAxisLabelsFrom(xAxisLabelsFrom),
          xAxisTitle(std::move(xAxisTitle)), xAxisTitleFont(xAxisTitleFont), xAxisTitleColour(xAxisTitleColour),
          yAxisGridStyle(std::move(yAxisGridStyle)), yAxisLabelPosition(yAxisLabelPosition),
          yAxisLabelFont(yAxisLabelFont), yAxisLabelColour(yAxisLabelColour),
          yAxisNumberOfLabels(yAxisNumberOfLabels), yAxisLabelType(yAxisLabelType), yAxisTitle(std::move(yAxisTitle)),
          yAxisTitleFont(yAxisTitleFont), yAxisTitleColour(yAxisTitleColour), baseline(baseline), topLine(topLine),
          globalAnimation(globalAnimation)
    {
    }
};

static_assert(CTBarChartStyle<BarChartStyle>);

} // namespace charts
