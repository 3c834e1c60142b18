#pragma once

#include "charts/axes/LineBarChartDataObject.h"
#include "charts/core/CTLineBarChartDataProtocol.h"
#include "charts/core/SharedSelf.h"
#include "charts/line/LineStyles.h"
#include "kit/ui/View.h"

#include <concepts>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace charts {

// The contract of the line chart-data classes: chart data with axes whose
// style is a LineChartStyle, with the point markers of its lines and one
// accessibility element per data point.
template <class SetTypeT, class SetPointT, class DataPointT>
class CTLineChartDataProtocol : public CTLineBarChartDataProtocol<SetTypeT, SetPointT, DataPointT, LineChartStyle>,
                                public SharedSelf {
public:
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
};

// Any line chart-data object (the single, multi-line and ranged classes and
// their subclasses): what the line views are generic over.
template <class T>
concept LineChartDataObject = LineBarChartDataObject<T> &&
    std::derived_from<T, CTLineChartDataProtocol<typename T::SetType, typename T::SetPoint, typename T::DataPoint>>;

} // namespace charts
