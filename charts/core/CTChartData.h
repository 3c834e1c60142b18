#pragma once

#include "charts/core/ChartEnums.h"
#include "charts/core/ChartStyleProtocols.h"
#include "charts/core/DataSetProtocols.h"
#include "charts/core/InfoViewData.h"
#include "charts/core/LegendData.h"
#include "charts/core/LegendRows.h"
#include "kit/base/Cancellable.h"
#include "kit/base/Color.h"
#include "kit/base/Font.h"
#include "kit/base/Localization.h"
#include "kit/base/ObservableObject.h"
#include "kit/base/PassthroughSubject.h"
#include "kit/base/Point.h"
#include "kit/base/Published.h"
#include "kit/base/Rect.h"
#include "kit/base/UUID.h"
#include "kit/ui/Text.h"
#include "kit/ui/View.h"

#include <concepts>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace charts {

// The title block of a chart: title and subtitle with their fonts and colours.
struct ChartMetadata {
    std::string title;
    kit::Font titleFont;
    kit::Color titleColour;
    std::string subtitle;
    kit::Font subtitleFont;
    kit::Color subtitleColour;

    ChartMetadata(std::string title, std::string subtitle, kit::Font titleFont, kit::Color titleColour,
                  kit::Font subtitleFont, kit::Color subtitleColour)
        : title(std::move(title)), titleFont(std::move(titleFont)), titleColour(titleColour),
          subtitle(std::move(subtitle)), subtitleFont(std::move(subtitleFont)), subtitleColour(subtitleColour)
    {
    }
};

// The publishing side of a chart-data object: the subscriptions it owns and
// the subject on which it sends each touched data point.
template <class DataPoint>
class Publishable {
public:
    kit::CancellableSet subscription;
    const kit::PassthroughSubject<DataPoint> touchedDataPointPublisher;
};

// Owns subscriptions for as long as it lives; releasing it cancels them.
class SubscriptionSet {
public:
    kit::CancellableSet subscription;
};

// The contract of every chart-data object, held by std::shared_ptr and
// observed by its views: each write to a published property announces a
// change first. A class fixes its associated types through the template
// arguments: the type of `dataSets`, the data-set type handed to
// touchPointLocation, the data-point type and the style type. The marker
// drawn at a touch is a kit::View.
//
// The shared bodies (beginTouch, the info texts) live here; each class
// answers hasData, touchMarkerView, touchedDataPoints and touchPointLocation.
template <class SetTypeT, class SetPointT, class DataPointT, class StyleT>
class CTChartData : public kit::ObservableObject, public Publishable<DataPointT> {
public:
    using SetType = SetTypeT;
    using SetPoint = SetPointT;
    using DataPoint = DataPointT;
    using CTStyle = StyleT;

    static_assert(CTDataSetProtocol<SetType> && CTDataSetProtocol<SetPoint>);
    static_assert(CTDataPointBaseProtocol<DataPoint>);
    static_assert(CTChartStyle<CTStyle>);

    kit::UUID id;
    kit::Published<SetType> dataSets;
    kit::Published<ChartMetadata> metadata;
    kit::Published<std::vector<LegendData>> legends{this};
    kit::Published<InfoViewData<DataPoint>> infoView{this};
    kit::Published<CTStyle> chartStyle;
    // Shown instead of the chart when there is nothing to draw.
    kit::View noDataText;
    const ChartKind chartType;
    // Draw the end state at once, without the start animation. A plain
    // field: setting it announces nothing.
    bool disableAnimation = false;

    // Whether there is anything to draw.
    virtual bool hasData() const = 0;

    // Records a touch in `infoView` (the touch flag, then the location, then
    // the frame: three announced changes), then looks up the touched points.
    void beginTouch(kit::Point touchLocation, const kit::Rect& chartSize)
    {
        infoView.modify([](auto& info) { info.isTouchCurrent = true; });
        infoView.modify([&](auto& info) { info.touchLocation = touchLocation; });
        infoView.modify([&](auto& info) { info.chartSize = chartSize; });
        touchedDataPoints(touchLocation, chartSize);
    }

    // The marker drawn at the touch.
    virtual kit::View touchMarkerView(kit::Point touchLocation, const kit::Rect& chartSize) const = 0;

    // Finds the data points under the touch, stores them in
    // `infoView.touchOverlayInfo` and sends each on touchedDataPointPublisher.
    virtual void touchedDataPoints(kit::Point touchLocation, const kit::Rect& chartSize) = 0;

    // Where the marker for the touched point of `dataSet` goes; none outside the data.
    virtual std::optional<kit::Point> touchPointLocation(const SetPoint& dataSet, kit::Point touchLocation,
                                                         const kit::Rect& chartSize) const = 0;

    // Whether the legend emphasises `legend` for the current touch: bar
    // charts whose entries follow their touched bar or group answer the
    // first, pie and doughnut charts the second. Others emphasise nothing.
    virtual bool isBarLegendTouched(const LegendData&) const { return false; }
    virtual bool isPieLegendTouched(const LegendData&) const { return false; }

    // The texts of a touched point, as localized texts: the value with the
    // touch unit before or after it (one blank between), the value alone,
    // the unit alone, and the description ("" without one).
    kit::View infoValueText(const DataPoint& info) const { return kit::Text(infoValueString(info)); }
    kit::View infoPlainValueText(const DataPoint& info) const { return kit::Text(infoPlainValueString(info)); }
    kit::View infoUnitText() const
    {
        if (infoView->touchUnit.template is<TouchUnit::None>())
            return kit::Text("");
        return kit::Text(kit::Verbatim{kit::localizedFormat("%@", infoUnitString())});
    }
    kit::View infoDescriptionText(const DataPoint& info) const { return kit::Text(infoDescriptionString(info)); }

    // The circle row of the first legend entry whose text is the point's
    // legend tag, or an empty view.
    kit::View infoLegendSymbol(const DataPoint& info) const
    {
        for (const LegendData& legend : *legends)
            if (legend.legend == info.legendTag)
                return kit::Group({circleLegendItemView(legend, kit::Font::caption(), kit::Color::primary(), 12.0)});
        return kit::Group({kit::EmptyView()});
    }

    // The strings of those texts, before localization.
    std::string infoValueString(const DataPoint& info) const;
    std::string infoPlainValueString(const DataPoint& info) const;
    std::string infoUnitString() const;
    static std::string infoDescriptionString(const DataPoint& info) { return info.description.value_or(""); }

protected:
    CTChartData(SetType dataSets, ChartMetadata metadata, CTStyle chartStyle, kit::View noDataText, ChartKind chartType)
        : dataSets(this, std::move(dataSets)), metadata(this, std::move(metadata)),
          chartStyle(this, std::move(chartStyle)), noDataText(std::move(noDataText)), chartType(chartType)
    {
    }
};

// Any chart-data object: what the decorations and views are generic over.
template <class T>
concept ChartDataObject = std::derived_from<
    T, CTChartData<typename T::SetType, typename T::SetPoint, typename T::DataPoint, typename T::CTStyle>>;

// What the bar and line charts show in place of a chart without data: the
// chart data's noDataText as it is.
template <ChartDataObject T>
struct CustomNoDataView {
    std::shared_ptr<T> chartData;

    kit::View body() const { return chartData->noDataText; }
};

template <class S, class P, class D, class C>
std::string CTChartData<S, P, D, C>::infoPlainValueString(const D& info) const
{
    return info.formattedValue(infoView->touchSpecifier, infoView->touchFormatter);
}

template <class S, class P, class D, class C>
std::string CTChartData<S, P, D, C>::infoValueString(const D& info) const
{
    const std::string value = infoPlainValueString(info);
    const TouchUnit& unit = infoView->touchUnit;
    if (const auto* prefix = std::get_if<TouchUnit::Prefix>(&unit.value))
        return prefix->of + " " + value;
    if (const auto* suffix = std::get_if<TouchUnit::Suffix>(&unit.value))
        return value + " " + suffix->of;
    return value;
}

template <class S, class P, class D, class C>
std::string CTChartData<S, P, D, C>::infoUnitString() const
{
    const TouchUnit& unit = infoView->touchUnit;
    if (const auto* prefix = std::get_if<TouchUnit::Prefix>(&unit.value))
        return prefix->of;
    if (const auto* suffix = std::get_if<TouchUnit::Suffix>(&unit.value))
        return suffix->of;
    return "";
}

} // namespace charts
