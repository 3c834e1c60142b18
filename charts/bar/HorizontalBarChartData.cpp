#include "charts/bar/HorizontalBarChartData.h"

#include "charts/axes/AxisLabelPlacement.h"
#include "charts/axes/MeasuredLabel.h"
#include "charts/axes/YAxisLabelValues.h"
#include "charts/bar/BarGeometry.h"
#include "charts/bar/BarXAxisLabels.h"

namespace charts {

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
    const std::vector<double> fractions = evenFractions(labels.size());
    // The values run along the plot's width, each label at its value.
    return categoryLabelRow(
        chart.get(), labels, [fractions](std::size_t i, double width) { return fractions[i] * width; }, true,
        kit::Angle::zero(), style.yAxisLabelFont, style.xAxisLabelPosition == XAxisLabelPosistion::top,
        [chart](const std::string& label) {
            const BarChartStyle& s = *chart->chartStyle;
            return measuredLabelText(label, s.yAxisLabelFont, s.yAxisLabelColour,
                                     [chart](const kit::Rect& frame) {
                                         chart->viewData.modify([&](ChartViewData& data) {
                                             data.xAxisLabelHeights.push_back(frame.height());
                                         });
                                     })
                .accessibilityLabel("Y-Axis-Label")
                .accessibilityValue(label);
        });
}

std::pair<double, double> HorizontalBarChartData::xAxisLabelOverhang() const
{
    return edgeLabelOverhang(chartStyle->yAxisLabelFont,
                             yAxisLabelValues(*this, viewData->yAxisSpecifier, viewData->yAxisNumberFormatter),
                             kit::Angle::zero());
}

kit::View HorizontalBarChartData::yAxisLabelsView() const
{
    const std::shared_ptr<HorizontalBarChartData> chart = sharedSelf(*this);
    if (!chart)
        return kit::EmptyView();
    const BarChartStyle& style = *chartStyle;
    const auto bands = [](std::size_t count) {
        return [count](std::size_t i, const kit::Rect& plot) {
            return plot.minY() + (double(i) + 0.5) * plot.height() / double(count);
        };
    };

    if (std::holds_alternative<LabelsFrom::ChartData>(style.xAxisLabelsFrom.value)) {
        if (!xAxisLabels->has_value())
            return kit::EmptyView();
        const std::vector<std::string>& labels = **xAxisLabels;
        return labelColumn(chart.get(), labels, bands(labels.size()), widestLabel(style.xAxisLabelFont, labels),
                           style.xAxisLabelFont, ColumnAlignment::centre, [chart](const std::string& label) {
                               const BarChartStyle& s = *chart->chartStyle;
                               return measuredLabelText(label, s.xAxisLabelFont, s.xAxisLabelColour,
                                                        [chart](const kit::Rect& frame) {
                                                            chart->viewData.modify([&](ChartViewData& data) {
                                                                data.yAxisLabelWidth.push_back(frame.width());
                                                            });
                                                        })
                                   .accessibilityLabel("Y-Axis-Label")
                                   .accessibilityValue(label);
                           });
    }

    std::vector<std::string> labels;
    for (const BarChartDataPoint& point : dataSets->dataPoints)
        labels.push_back(point.xAxisLabel.value_or(""));
    const bool leading = style.yAxisLabelPosition == YAxisLabelPosistion::leading;
    // Each category beside its bar, against the plot.
    return labelColumn(chart.get(), labels, bands(labels.size()), widestLabel(style.xAxisLabelFont, labels),
                       style.xAxisLabelFont, leading ? ColumnAlignment::trailing : ColumnAlignment::leading,
                       [chart](const std::string& label) {
                           return kit::View(HorizontalRotatedText<HorizontalBarChartData>{chart, label});
                       });
}

double HorizontalBarChartData::infoBoxPosition(double touch, const kit::Rect& box, const kit::Rect& chart) const
{
    return infoBoxVerticalPosition(touch, box, chart);
}

} // namespace charts
