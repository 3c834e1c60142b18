#pragma once

#include "charts/core/CTChartData.h"
#include "charts/core/ChartViewData.h"
#include "charts/core/ColourStyle.h"
#include "charts/core/ExtraLineData.h"

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace charts {

// The contract of chart data with axes (the bar and line families): axis
// labels, the measured layout, the optional extra line, the axis-label views
// and the place of the floating info box.
template <class SetTypeT, class SetPointT, class DataPointT, class StyleT>
class CTLineBarChartDataProtocol : public CTChartData<SetTypeT, SetPointT, DataPointT, StyleT> {
public:
    static_assert(CTLineBarChartStyle<StyleT>);

    // X-axis labels given by the caller.
    kit::Published<std::optional<std::vector<std::string>>> xAxisLabels{this};
    // Custom y-axis labels.
    kit::Published<std::optional<std::vector<std::string>>> yAxisLabels{this};
    kit::Published<ChartViewData> viewData{this};
    // The second line over the chart; absent until set.
    kit::Published<std::optional<ExtraLineData>> extraLineData{this};

    virtual kit::View extraYAxisLabelsView() const = 0;
    // The colour of the chart's bars or first line.
    virtual ColourStyle dataSetColour() const = 0;
    virtual kit::View xAxisLabelsView() const = 0;
    virtual kit::View yAxisLabelsView() const = 0;
    // How far the x-axis labels reach past the plot's leading and trailing
    // edges: nothing where they stand within their slots (bars); half the
    // end labels where they are centred on the plot's edges (a line's first
    // and last points, a horizontal bar chart's lowest and highest values).
    virtual std::pair<double, double> xAxisLabelOverhang() const { return {0, 0}; }

    // The centre of the floating info box along the chart's category axis:
    // the touch coordinate kept half a box width inside the chart (the left
    // bound tested first), then moved right past the y-axis labels and
    // title. A horizontal chart answers with its own rule.
    virtual double infoBoxPosition(double touch, const kit::Rect& box, const kit::Rect& chart) const
    {
        const double halfWidth = box.width() * 0.5;
        double x = touch;
        if (chart.minX() + halfWidth > touch)
            x = chart.minX() + halfWidth;
        else if (chart.maxX() - halfWidth < touch)
            x = chart.maxX() - halfWidth;
        const ChartViewData& data = *viewData;
        const auto widest = std::max_element(data.yAxisLabelWidth.begin(), data.yAxisLabelWidth.end());
        x += widest == data.yAxisLabelWidth.end() ? 0 : *widest;
        x += data.yAxisTitleWidth;
        x += data.hasYAxisLabels ? 4.0 : 0;
        return x;
    }

protected:
    using CTChartData<SetTypeT, SetPointT, DataPointT, StyleT>::CTChartData;

    // The extra line's point under the touch, for a class's touchedDataPoints
    // to turn into a point of its own kind (tagged with the extra line's
    // legendTitle) and append after its own; none without an extra line.
    std::optional<ExtraLineDataPoint> extraLineTouchedPoint(kit::Point touchLocation, const kit::Rect& chartSize) const
    {
        if (!extraLineData->has_value())
            return std::nullopt;
        return (*extraLineData)->extraLineTouchedPoint(touchLocation, chartSize);
    }
};

} // namespace charts
