#pragma once

#include "charts/core/InfoBoxAlignment.h"
#include "charts/core/InfoBoxPlacement.h"
#include "kit/base/Color.h"
#include "kit/base/Font.h"
#include "kit/base/StrokeStyle.h"
#include "kit/ui/Animation.h"

namespace charts {

// The look of a pie chart: where and how touched values are shown, and the
// animation of the chart's appearance.
struct PieChartStyle {
    InfoBoxPlacement infoBoxPlacement;
    InfoBoxAlignment infoBoxContentAlignment;
    kit::Font infoBoxValueFont;
    kit::Color infoBoxValueColour;
    kit::Font infoBoxDescriptionFont;
    kit::Color infoBoxDescriptionColour;
    kit::Color infoBoxBackgroundColour;
    kit::Color infoBoxBorderColour;
    kit::StrokeStyle infoBoxBorderStyle;
    kit::Animation globalAnimation;

    PieChartStyle(InfoBoxPlacement infoBoxPlacement, InfoBoxAlignment infoBoxContentAlignment,
                  kit::Font infoBoxValueFont, kit::Color infoBoxValueColour, kit::Font infoBoxDescriptionFont,
                  kit::Color infoBoxDescriptionColour, kit::Color infoBoxBackgroundColour,
                  kit::Color infoBoxBorderColour, kit::StrokeStyle infoBoxBorderStyle, kit::Animation globalAnimation)
        : infoBoxPlacement(infoBoxPlacement), infoBoxContentAlignment(infoBoxContentAlignment),
          infoBoxValueFont(infoBoxValueFont), infoBoxValueColour(infoBoxValueColour),
          infoBoxDescriptionFont(infoBoxDescriptionFont), infoBoxDescriptionColour(infoBoxDescriptionColour),
          infoBoxBackgroundColour(infoBoxBackgroundColour), infoBoxBorderColour(infoBoxBorderColour),
          infoBoxBorderStyle(std::move(infoBoxBorderStyle)), globalAnimation(globalAnimation)
    {
    }
};

} // namespace charts
