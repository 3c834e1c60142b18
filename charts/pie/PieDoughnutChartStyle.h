#pragma once

#include "charts/core/CommonChartStyle.h"

#include <utility>

namespace charts {

// The look of a pie chart: where and how touched values are shown, and the
// animation of the chart's appearance.
struct PieChartStyle : CommonChartStyle {
    PieChartStyle(InfoBoxPlacement infoBoxPlacement, InfoBoxAlignment infoBoxContentAlignment,
                  kit::Font infoBoxValueFont, kit::Color infoBoxValueColour, kit::Font infoBoxDescriptionFont,
                  kit::Color infoBoxDescriptionColour, kit::Color infoBoxBackgroundColour,
                  kit::Color infoBoxBorderColour, kit::StrokeStyle infoBoxBorderStyle, kit::Animation globalAnimation)
        : CommonChartStyle{.infoBoxPlacement = std::move(infoBoxPlacement),
                           .infoBoxContentAlignment = infoBoxContentAlignment,
                           .infoBoxValueFont = std::move(infoBoxValueFont),
                           .infoBoxValueColour = infoBoxValueColour,
                           .infoBoxDescriptionFont = std::move(infoBoxDescriptionFont),
                           .infoBoxDescriptionColour = infoBoxDescriptionColour,
                           .infoBoxBackgroundColour = infoBoxBackgroundColour,
                           .infoBoxBorderColour = infoBoxBorderColour,
                           .infoBoxBorderStyle = std::move(infoBoxBorderStyle),
                           .globalAnimation = std::move(globalAnimation)}
    {
    }
};

// The look of a doughnut chart: the pie style's ten properties, then the
// width of the ring, used as the line width of every segment's stroke.
struct DoughnutChartStyle : PieChartStyle {
    double strokeWidth;

    DoughnutChartStyle(InfoBoxPlacement infoBoxPlacement, InfoBoxAlignment infoBoxContentAlignment,
                       kit::Font infoBoxValueFont, kit::Color infoBoxValueColour, kit::Font infoBoxDescriptionFont,
                       kit::Color infoBoxDescriptionColour, kit::Color infoBoxBackgroundColour,
                       kit::Color infoBoxBorderColour, kit::StrokeStyle infoBoxBorderStyle,
                       kit::Animation globalAnimation, double strokeWidth)
        : PieChartStyle(infoBoxPlacement, infoBoxContentAlignment, infoBoxValueFont, infoBoxValueColour,
                        infoBoxDescriptionFont, infoBoxDescriptionColour, infoBoxBackgroundColour, infoBoxBorderColour,
                        std::move(infoBoxBorderStyle), globalAnimation),
          strokeWidth(strokeWidth)
    {
    }
};

} // namespace charts
