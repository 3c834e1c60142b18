#pragma once

#include "charts/axes/MeasuredLabel.h"
#include "kit/ui/ObservedObject.h"
#include "kit/ui/State.h"

#include <string>
#include <tuple>

namespace charts {

// One x-axis label drawn and measured like RotatedText, but laid out at the
// size it was made with (the zero rectangle from its creators), so that it
// takes no room and its text is drawn centred where its creator places it.
// Each appearance appends the label's extents to the chart's layout record.
template <LineBarChartDataObject ChartData>
struct TempText {
    kit::ObservedObject<ChartData> chartData;
    std::string label;
    kit::Angle rotation;
    kit::State<kit::Rect> finalFrame{kit::Rect()};

    auto dynamicFields() { return std::tie(chartData, finalFrame); }

    kit::View body() const
    {
        return xAxisLabelText(*chartData, label, rotation, *finalFrame,
                              [chartData = chartData.object(), rotation = rotation](const kit::Rect& frame) {
                                  recordSize(*chartData, rotation, frame);
                              });
    }

    static void recordSize(ChartData& chartData, kit::Angle rotation, const kit::Rect& frame)
    {
        recordXAxisLabelSize(chartData, frame, rotation);
    }
};

} // namespace charts
