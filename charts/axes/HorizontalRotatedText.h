#pragma once

#include "charts/axes/MeasuredLabel.h"
#include "charts/axes/isHorizontal.h"
#include "kit/ui/ObservedObject.h"
#include "kit/ui/State.h"

#include <string>
#include <tuple>

namespace charts {

// One category label of a horizontal bar chart, beside its vertical axis:
// the text on one line in the style's x-axis label font and colour,
// announced as "X-Axis-Label" with the label as value. Each appearance
// appends the text's width plus 10 to the chart's y-axis label widths, the
// room its label column takes.
template <HorizontalChartData ChartData>
struct HorizontalRotatedText {
    kit::ObservedObject<ChartData> chartData;
    std::string label;
    // The label's frame as its creator gives it; not used in drawing.
    kit::State<kit::Rect> finalFrame{kit::Rect()};

    auto dynamicFields() { return std::tie(chartData, finalFrame); }

    kit::View body() const
    {
        const auto& style = *chartData->chartStyle;
        return measuredLabelText(label, style.xAxisLabelFont, style.xAxisLabelColour,
                                 [chartData = chartData.object()](const kit::Rect& frame) {
                                     recordWidth(*chartData, frame);
                                 })
            .accessibilityLabel("X-Axis-Label")
            .accessibilityValue(kit::LocalizedKey{label});
    }

    static void recordWidth(ChartData& chartData, const kit::Rect& frame)
    {
        chartData.viewData.modify([&](ChartViewData& data) { data.yAxisLabelWidth.push_back(frame.width() + 10); });
    }
};

} // namespace charts
