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

} // namespace charts
