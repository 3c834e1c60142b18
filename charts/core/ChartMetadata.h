#pragma once

#include "kit/base/Color.h"
#include "kit/base/Font.h"

#include <string>

namespace charts {

// The title block of a chart: title and subtitle with their fonts and colours.
struct ChartMetadata {
    std::string title;
    kit::Font titleFont;
    kit::Color titleColour;
    std::string subtitle;
    kit::Font subtitleFont;
    kit::Color subtitleColour;

    ChartMetadata(std::string title, std::string subtitle, kit::Font titleFont, kit::Color titleColour,
                  kit::Font subtitleFont, kit::Color subtitleColour)
        : title(std::move(title)), titleFont(std::move(titleFont)), titleColour(titleColour),
          subtitle(std::move(subtitle)), subtitleFont(std::move(subtitleFont)), subtitleColour(subtitleColour)
    {
    }
};

} // namespace charts
