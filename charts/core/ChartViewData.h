#pragma once

#include "charts/core/ValueText.h"
#include "kit/base/Rect.h"

#include <string>
#include <vector>

namespace charts {

// The measured layout of a chart with axes, written by its views as they lay
// out and read by other views. Starts with zero sizes, empty size lists, no
// labels, the y-axis specifier "%.0f" and no formatter.
struct ChartViewData {
    kit::Rect chartSize;
    bool hasXAxisLabels = false;
    double xAxisTitleHeight = 0;
    std::vector<double> xAxisLabelHeights;
    std::vector<double> xAxislabelWidths;
    bool hasYAxisLabels = false;
    std::string yAxisSpecifier = "%.0f";
    NumberFormatterPtr yAxisNumberFormatter;
    double yAxisTitleWidth = 0;
    double yAxisTitleHeight = 0;
    double extraYAxisTitleWidth = 0;
    double extraYAxisTitleHeight = 0;
    std::vector<double> yAxisLabelWidth;
};

} // namespace charts
