#include "charts/bar/HorizontalBarChartData.h"

#include "charts/axes/AxisLabelSizes.h"
#include "charts/axes/HorizontalRotatedText.h"
#include "charts/axes/YAxisLabelValues.h"
#include "charts/bar/BarTouchGeometry.h"
#include "charts/bar/BarXAxisLabels.h"
#include "charts/bar/InfoBoxVerticalPosition.h"

namespace charts {

namespace {

// A flexible gap of 0 to 500 points between neighbouring category bands.
kit::View flexibleBandGap()
{
    return kit::Spacer().frame(kit::FlexFrame{.minHeight = 0, .maxHeight = 500});
}

} // namespace

HorizontalBarChartData::HorizontalBarChartData(BarDataSet dataSets, ChartMetadata metadata,
                                               std::optional<std::vector<std::string>> xAxisLabels,
                                               std::optional<std::vector<std::string>> yAxisLabels, BarStyle barStyle,
                                               BarChartStyle chartStyle, kit::View noDataText)
    : CommonBarChartData(std::move(dataSets), std::move(metadata), std::move(xAxisLabels), std::move(yAxisLabels),
                         std::move(barStyle), std::move(chartStyle), std::move(noDataText))
{
}

void HorizontalBarChartData::touchedDataPoints(kit::Point touchLocation, const kit::Rect& chartSize)
{
    touchPointInSection(touchLocation.y, chartSize.height(), touchLocation, chartSize);
}

std::optional<kit::Point> HorizontalBarChartData::touchPointLocation(const BarDataSet& dataSet,
                                                                     kit::Point touchLocation,
                                                                     const kit::Rect& chartSize) const
{
    const std::optional<BarSection> section = barSection(touchLocation.y, chartSize.height(),
                                                         dataSet.dataPoints.size());
    if (!section)
        return std::nullopt;
    const double value = dataSet.dataPoints[section->index].value;
    const double width = chartSize.width();
    const double lowest = minValue();
    const double highest = maxValue();
    const double x = lowest < 0 ? (width / (highest - lowest)) * value - (width / (highest - lowest)) * lowest
                                : (width / highest) * value;
    return kit::Point{x, section->middle()};
}

kit::View HorizontalBarChartData::xAxisLabelsView() const
{
    const std::shared_ptr<HorizontalBarChartData> chart = sharedSelf(*this);
    if (!chart)
        return kit::EmptyView();
    const std::vector<std::string> labels = yAxisLabelValues(*this, viewData->yAxisSpecifier,
                                                             viewData->yAxisNumberFormatter);
    const BarChartStyle& style = *chartStyle;
    const int count = static_cast<int>(labels.size());
    return kit::HStack(kit::VerticalAlignment::center, 0, {kit::ForEach(kit::Range{0, count}, [&](int i) {
                           const std::string& label = labels[std::size_t(i)];
                           const kit::View text =
                               measuredLabelText(label, style.yAxisLabelFont, style.yAxisLabelColour,
                                                 [chart](const kit::Rect& frame) {
                                                     chart->viewData.modify([&](ChartViewData& data) {
                                                         data.xAxisLabelHeights.push_back(frame.height());
                                                     });
                                                 })
                                   .accessibilityLabel("Y-Axis-Label")
                                   .accessibilityValue(label);
                           return i < count - 1 ? kit::Group({text, flexibleLabelGap()}) : text;
                       })});
}

kit::View HorizontalBarChartData::yAxisLabelsView() const
{
    const std::shared_ptr<HorizontalBarChartData> chart = sharedSelf(*this);
    if (!chart)
        return kit::EmptyView();
    const BarChartStyle& style = *chartStyle;
    const std::optional<double> width = largestOf(viewData->yAxisLabelWidth);
    const kit::View xAxisGap = kit::Spacer().frame(std::nullopt, xAxisLabelsAndTitleHeight(*viewData) + 8);

    if (std::holds_alternative<LabelsFrom::ChartData>(style.xAxisLabelsFrom.value)) {
        if (!xAxisLabels->has_value())
            return kit::EmptyView();
        const kit::View bands = kit::ForEach(
            **xAxisLabels, [](const std::string& label) { return label; },
            [&](const std::string& label) {
                const kit::View text = measuredLabelText(label, style.xAxisLabelFont, style.xAxisLabelColour,
                                                         [chart](const kit::Rect& frame) {
                                                             chart->viewData.modify([&](ChartViewData& data) {
                                                                 data.yAxisLabelWidth.push_back(frame.width());
                                                             });
                                                         })
                                           .accessibilityLabel("Y-Axis-Label")
                                           .accessibilityValue(label);
                return kit::Group({flexibleBandGap(), text, flexibleBandGap()});
            });
        return kit::VStack(kit::HorizontalAlignment::center, 0, {bands, xAxisGap})
            .frame(width, std::nullopt, kit::Alignment::center());
    }

    const bool leading = style.yAxisLabelPosition == YAxisLabelPosistion::leading;
    const kit::View bands = kit::ForEach(dataSets->dataPoints, [&](const BarChartDataPoint& point) {
        // Offered its room before the spacer beside it, so the label is not
        // cut short in a cell only 10 points wider than itself.
        const kit::View text =
            kit::View(HorizontalRotatedText<HorizontalBarChartData>{chart, point.xAxisLabel.value_or("")})
                .layoutPriority(1);
        const kit::View cell = kit::HStack(kit::VerticalAlignment::center, 0,
                                           leading ? std::vector<kit::View>{kit::Spacer(), text}
                                                   : std::vector<kit::View>{text, kit::Spacer()});
        return kit::Group(
            {flexibleBandGap(), cell.frame(width, std::nullopt, kit::Alignment::center()), flexibleBandGap()});
    });
    if (style.xAxisLabelPosition == XAxisLabelPosistion::top)
        return kit::VStack(kit::HorizontalAlignment::center, {xAxisGap, bands});
    return kit::VStack(kit::HorizontalAlignment::center, {bands, xAxisGap});
}

double HorizontalBarChartData::infoBoxPosition(double touch, const kit::Rect& box, const kit::Rect& chart) const
{
    return infoBoxVerticalPosition(touch, box, chart);
}

} // namespace charts
