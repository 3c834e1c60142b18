#pragma once

#include "charts/axes/LineBarChartDataObject.h"
#include "kit/base/Angle.h"
#include "kit/base/Color.h"
#include "kit/base/Font.h"
#include "kit/base/Rect.h"
#include "kit/ui/View.h"

#include <functional>
#include <memory>
#include <string>

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

} // namespace charts
