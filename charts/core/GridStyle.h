#pragma once

#include "kit/base/Color.h"

#include <vector>

namespace charts {

// The grid lines of one axis: how many, their colour, width and dash.
struct GridStyle {
    int numberOfLines;
    kit::Color lineColour;
    double lineWidth;
    std::vector<double> dash;
    double dashPhase;

    GridStyle(int numberOfLines, kit::Color lineColour, double lineWidth, std::vector<double> dash, double dashPhase)
        : numberOfLines(numberOfLines), lineColour(lineColour), lineWidth(lineWidth), dash(std::move(dash)),
          dashPhase(dashPhase)
    {
    }
};

} // namespace charts
