#pragma once

#include "charts/core/CTLineBarChartDataProtocol.h"
#include "charts/core/SharedSelf.h"
#include "charts/line/LineChartStyle.h"
#include "charts/line/LineTouchIndex.h"
#include "kit/ui/View.h"

#include <concepts>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace charts {

// The style of a line chart: a chart style with axes whose touch marker is
// a LineMarkerType.
template <class S>
concept CTLineChartStyle = CTLineBarChartStyle<S> && std::same_as<typename S::Mark, LineMarkerType>;

// The contract of the line chart-data classes: chart data with axes whose
// style is a LineChartStyle, with the point markers of its lines and one
// accessibility element per data point.
template <class SetTypeT, class SetPointT, class DataPointT>
class CTLineChartDataProtocol : public CTLineBarChartDataProtocol<SetTypeT, SetPointT, DataPointT, LineChartStyle>,
                                public SharedSelf {
public:
    static_assert(CTLineChartStyle<LineChartStyle>);

    // The point markers of the chart's lines (a PointsSubView per line).
    virtual kit::View pointsView() const = 0;
    // One near-invisible rectangle per data point, labelled with the
    // chart's title and valued with the point's value text.
    virtual kit::View accessibilityView() const = 0;

protected:
    CTLineChartDataProtocol(SetTypeT dataSets, ChartMetadata metadata,
                            std::optional<std::vector<std::string>> xAxisLabels,
                            std::optional<std::vector<std::string>> yAxisLabels, LineChartStyle chartStyle,
                            kit::View noDataText, DataSetType dataSetType)
        : CTLineBarChartDataProtocol<SetTypeT, SetPointT, DataPointT, LineChartStyle>(
              std::move(dataSets), std::move(metadata), std::move(chartStyle), std::move(noDataText),
              ChartKind{ChartType::line, dataSetType})
    {
        this->xAxisLabels = std::move(xAxisLabels);
        this->yAxisLabels = std::move(yAxisLabels);
    }

    // The touch of a chart of one line: the point nearest the touch is
    // tagged with the line's legend title (and marked ignoreMe when it is a
    // zero the line ignores) in the stored data set, made the only touched
    // point, followed by the extra line's point under the touch as
    // `extraPoint` makes it, and then sent. A touch beside the line changes
    // nothing.
    template <class MakeExtraPoint>
    void touchSingleLine(kit::Point touchLocation, const kit::Rect& chartSize, MakeExtraPoint extraPoint)
    {
        const auto index = lineTouchIndex(this->dataSets->dataPoints.size(), chartSize.width(), touchLocation.x);
        if (!index)
            return;
        const std::size_t i = *index;
        this->dataSets.modify([i](SetTypeT& set) { set.dataPoints[i].legendTag = set.legendTitle; });
        if (this->dataSets->style.ignoreZero && this->dataSets->dataPoints[i].value == 0)
            this->dataSets.modify([i](SetTypeT& set) { set.dataPoints[i].ignoreMe = true; });
        const DataPointT touched = this->dataSets->dataPoints[i];
        this->infoView.modify([&](auto& info) { info.touchOverlayInfo = {touched}; });
        if (const auto extra = this->extraLineTouchedPoint(touchLocation, chartSize)) {
            DataPointT point = extraPoint(*extra);
            point.legendTag = (*this->extraLineData)->legendTitle;
            this->infoView.modify([&](auto& info) { info.touchOverlayInfo.push_back(point); });
        }
        this->touchedDataPointPublisher.send(touched);
    }
};

} // namespace charts
