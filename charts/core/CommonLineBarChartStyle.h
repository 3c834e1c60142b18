#pragma once

#include "charts/core/Baseline.h"
#include "charts/core/CommonChartStyle.h"
#include "charts/core/GridStyle.h"
#include "charts/core/LabelsFrom.h"
#include "charts/core/Topline.h"
#include "charts/core/XAxisLabelPosistion.h"
#include "charts/core/YAxisLabelPosistion.h"
#include "charts/core/YAxisLabelType.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

namespace charts {

// The fields of a chart style with axes (CTLineBarChartStyle) over its touch
// marker type `M`: the chart style's fields, the marker, both axes (grid
// lines, labels, titles, border colours) and where the value axis starts and
// ends. The bar and line styles differ only in `M` and in how they are made.
template <class M>
struct CommonLineBarChartStyle : CommonChartStyle {
    using Mark = M;

    Mark markerType;
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

    // Every field, in the order of the styles' own declarations (the chart
    // style's fields first, but the animation last).
    CommonLineBarChartStyle(
        InfoBoxPlacement infoBoxPlacement, InfoBoxAlignment infoBoxContentAlignment, kit::Font infoBoxValueFont,
        kit::Color infoBoxValueColour, kit::Font infoBoxDescriptionFont, kit::Color infoBoxDescriptionColour,
        kit::Color infoBoxBackgroundColour, kit::Color infoBoxBorderColour, kit::StrokeStyle infoBoxBorderStyle,
        Mark markerType, GridStyle xAxisGridStyle, XAxisLabelPosistion xAxisLabelPosition, kit::Font xAxisLabelFont,
        kit::Color xAxisLabelColour, LabelsFrom xAxisLabelsFrom, std::optional<std::string> xAxisTitle,
        kit::Font xAxisTitleFont, kit::Color xAxisTitleColour, std::optional<kit::Color> xAxisBorderColour,
        GridStyle yAxisGridStyle, YAxisLabelPosistion yAxisLabelPosition, kit::Font yAxisLabelFont,
        kit::Color yAxisLabelColour, std::int64_t yAxisNumberOfLabels, YAxisLabelType yAxisLabelType,
        std::optional<std::string> yAxisTitle, kit::Font yAxisTitleFont, kit::Color yAxisTitleColour,
        std::optional<kit::Color> yAxisBorderColour, Baseline baseline, Topline topLine, kit::Animation globalAnimation)
        : CommonChartStyle(std::move(infoBoxPlacement), infoBoxContentAlignment, std::move(infoBoxValueFont),
                           infoBoxValueColour, std::move(infoBoxDescriptionFont), infoBoxDescriptionColour,
                           infoBoxBackgroundColour, infoBoxBorderColour, std::move(infoBoxBorderStyle),
                           std::move(globalAnimation)),
          markerType(std::move(markerType)), xAxisGridStyle(std::move(xAxisGridStyle)),
          xAxisLabelPosition(xAxisLabelPosition), xAxisLabelFont(std::move(xAxisLabelFont)),
          xAxisLabelColour(xAxisLabelColour), xAxisLabelsFrom(std::move(xAxisLabelsFrom)),
          xAxisTitle(std::move(xAxisTitle)), xAxisTitleFont(std::move(xAxisTitleFont)),
          xAxisTitleColour(xAxisTitleColour), xAxisBorderColour(xAxisBorderColour),
          yAxisGridStyle(std::move(yAxisGridStyle)), yAxisLabelPosition(yAxisLabelPosition),
          yAxisLabelFont(std::move(yAxisLabelFont)), yAxisLabelColour(yAxisLabelColour),
          yAxisNumberOfLabels(yAxisNumberOfLabels), yAxisLabelType(yAxisLabelType), yAxisTitle(std::move(yAxisTitle)),
          yAxisTitleFont(std::move(yAxisTitleFont)), yAxisTitleColour(yAxisTitleColour),
          yAxisBorderColour(yAxisBorderColour), baseline(std::move(baseline)), topLine(std::move(topLine))
    {
    }
};

} // namespace charts
