#pragma once

#include "charts/core/TouchUnit.h"
#include "charts/core/ValueText.h"
#include "kit/base/Point.h"
#include "kit/base/Rect.h"

#include <string>
#include <vector>

namespace charts {

// The live touch state of one chart: whether a touch is under way, the data
// points found under it, where it is, the frame that received it, and how
// touched values are formatted.
template <class DataPoint>
struct InfoViewData {
    bool isTouchCurrent = false;
    std::vector<DataPoint> touchOverlayInfo;
    std::string touchSpecifier = "%.0f";
    NumberFormatterPtr touchFormatter;
    kit::Point touchLocation;
    kit::Rect chartSize;
    TouchUnit touchUnit = TouchUnit::none();
};

} // namespace charts
