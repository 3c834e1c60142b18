#pragma once

#include "charts/core/ChartEnums.h"
#include "kit/base/Color.h"
#include "kit/base/Font.h"
#include "kit/base/StrokeStyle.h"
#include "kit/ui/Animation.h"

#include <utility>
#include <variant>

namespace charts {

// Where the value of a touched point is shown: in a fixed info box, in a box
// that follows the touch, or in the chart's header box.
struct InfoBoxPlacement {
    struct InfoBox {
        bool isStatic = false;
    };
    struct Floating {};
    struct Header {};

    std::variant<InfoBox, Floating, Header> value;

    static InfoBoxPlacement infoBox(bool isStatic) { return {InfoBox{isStatic}}; }
    static InfoBoxPlacement floating() { return {Floating{}}; }
    static InfoBoxPlacement header() { return {Header{}}; }

    template <class Case>
    bool is() const
    {
        return std::holds_alternative<Case>(value);
    }
};

// The fields every chart style has (CTChartStyle): where and how touched
// values are shown, and the animation of the chart's views. The pie style is
// exactly these; the styles with axes add theirs to them. Made by name, so
// that no two fields of one type can trade places:
//
//   CommonChartStyle{.infoBoxPlacement = placement, ..., .globalAnimation = animation}
struct CommonChartStyle {
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
};

} // namespace charts
