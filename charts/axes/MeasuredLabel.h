#pragma once

// The labels that measure themselves as they appear, so that a chart with
// axes can keep room for them: the clear size reader and the measured text
// they are built of, the x-axis labels RotatedText and TempText (one view
// written once: the first lays itself out at its measured size, the second
// keeps the size it was made with), and HorizontalRotatedText, the category
// label of a horizontal bar chart. Each appends what it measures to the
// chart's layout record.

#include "charts/axes/LineBarChartDataObject.h"
#include "kit/base/Angle.h"
#include "kit/base/Color.h"
#include "kit/base/Font.h"
#include "kit/base/Rect.h"
#include "kit/ui/ObservedObject.h"
#include "kit/ui/State.h"
#include "kit/ui/View.h"

#include <functional>
#include <memory>
#include <string>
#include <tuple>

namespace charts {

// A clear view filling what it is laid over that hands its local frame to
// `measured` each time it appears: laid over or behind a view, it measures
// that view.
kit::View sizeReader(std::function<void(const kit::Rect&)> measured);

// One line of `label` (a localizable key) in `font` and `colour`, under a
// clear overlay of the text's own size that hands its local frame to
// `measured` each time it appears.
kit::View measuredLabelText(const std::string& label, const kit::Font& font, const kit::Color& colour,
                            std::function<void(const kit::Rect&)> measured);

// Appends a measured x-axis label to the chart's layout record, one
// announced change each: an upright label adds its height to the label
// heights and then its width to the label widths; a turned label the other
// way round, so the lists hold the extents the label takes on screen as if
// turned a quarter.
template <LineBarChartDataObject ChartData>
void recordXAxisLabelSize(ChartData& chartData, const kit::Rect& frame, kit::Angle rotation)
{
    const bool upright = rotation == kit::Angle::zero();
    const double across = upright ? frame.height() : frame.width();
    const double along = upright ? frame.width() : frame.height();
    chartData.viewData.modify([&](ChartViewData& data) { data.xAxisLabelHeights.push_back(across); });
    chartData.viewData.modify([&](ChartViewData& data) { data.xAxislabelWidths.push_back(along); });
}

// An x-axis label: the measured text in the style's x-axis label font and
// colour, kept on one line at its full width, turned by `rotation` about its
// centre and laid out in `frame`'s size (width and height exchanged when
// turned), announced as "X-Axis-Label" with the label as value. Each time it
// appears, `measured` gets the frame of the upright text.
template <LineBarChartDataObject ChartData>
kit::View xAxisLabelText(const ChartData& chartData, const std::string& label, kit::Angle rotation,
                         const kit::Rect& frame, std::function<void(const kit::Rect&)> measured)
{
    const auto& style = *chartData.chartStyle;
    const bool upright = rotation == kit::Angle::zero();
    return measuredLabelText(label, style.xAxisLabelFont, style.xAxisLabelColour, std::move(measured))
        .fixedSize(true, false)
        .rotationEffect(rotation)
        .frame(upright ? frame.width() : frame.height(), upright ? frame.height() : frame.width())
        .accessibilityLabel("X-Axis-Label")
        .accessibilityValue(kit::LocalizedKey{label});
}

// One x-axis label of a chart with axes, turned by `rotation` about its
// centre, laid out in `finalFrame`'s size (xAxisLabelText). Each appearance
// appends the label's extents to the chart's layout record
// (recordXAxisLabelSize). With `KeepsMeasuredFrame` (RotatedText) the label
// also keeps what it measured: it takes no room until it has measured
// itself, and from its first appearance on the size of its text. Without it
// (TempText) the label stays at the size it was made with (the zero
// rectangle from its creators), so that it takes no room and its text is
// drawn centred where its creator places it.
template <LineBarChartDataObject ChartData, bool KeepsMeasuredFrame>
struct MeasuredXAxisLabel {
    kit::ObservedObject<ChartData> chartData;
    std::string label;
    kit::Angle rotation;
    kit::State<kit::Rect> finalFrame{kit::Rect()};

    auto dynamicFields() { return std::tie(chartData, finalFrame); }

    kit::View body() const
    {
        return xAxisLabelText(*chartData, label, rotation, *finalFrame,
                              [chartData = chartData.object(), finalFrame = finalFrame,
                               rotation = rotation](const kit::Rect& frame) {
                                  if constexpr (KeepsMeasuredFrame)
                                      recordFrame(*chartData, finalFrame, rotation, frame);
                                  else
                                      recordSize(*chartData, rotation, frame);
                              });
    }

    // Keeps the measured frame, so the label is laid out again at its size,
    // and records it in the chart's layout.
    static void recordFrame(ChartData& chartData, const kit::State<kit::Rect>& finalFrame, kit::Angle rotation,
                            const kit::Rect& frame)
    {
        finalFrame = frame;
        recordSize(chartData, rotation, frame);
    }

    // Records the measured frame in the chart's layout alone.
    static void recordSize(ChartData& chartData, kit::Angle rotation, const kit::Rect& frame)
    {
        recordXAxisLabelSize(chartData, frame, rotation);
    }
};

template <LineBarChartDataObject ChartData>
using RotatedText = MeasuredXAxisLabel<ChartData, true>;

template <LineBarChartDataObject ChartData>
using TempText = MeasuredXAxisLabel<ChartData, false>;

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
