#pragma once

#include "charts/axes/MeasuredLabel.h"
#include "kit/ui/ObservedObject.h"
#include "kit/ui/State.h"

#include <string>
#include <tuple>

namespace charts {

// One x-axis label of a chart with axes, turned by `rotation` about its
// centre. It takes no room until it has measured itself; from its first
// appearance on it takes the size of its text, width and height exchanged
// when turned. Each appearance appends the label's extents to the chart's
// layout record (recordXAxisLabelSize).
template <LineBarChartDataObject ChartData>
struct RotatedText {
    kit::ObservedObject<ChartData> chartData;
    std::string label;
    kit::Angle rotation;
    kit::State<kit::Rect> finalFrame{kit::Rect()};

    auto dynamicFields() { return std::tie(chartData, finalFrame); }

    kit::View body() const
    {
        return xAxisLabelText(*chartData, label, rotation, *finalFrame,
                              [chartData = chartData.object(), finalFrame = finalFrame, rotation = rotation](
                                  const kit::Rect& frame) { recordFrame(*chartData, finalFrame, rotation, frame); });
    }

    // Keeps the measured frame, so the label is laid out again at its size,
    // and records it in the chart's layout.
    static void recordFrame(ChartData& chartData, const kit::State<kit::Rect>& finalFrame, kit::Angle rotation,
                            const kit::Rect& frame)
    {
        finalFrame = frame;
        recordXAxisLabelSize(chartData, frame, rotation);
    }
};

} // namespace charts
