#pragma once

// A chart with axes over one set of values, for the value range and the
// label texts: its data set answers the data functions and the chart takes
// the shared value range.

#include "tests/charts/core/ChartViewTest.h"

#include "charts/axes/GetDataProtocol.h"
#include "charts/axes/LineBarChartDataObject.h"
#include "charts/core/DataFunctions.h"

#include <memory>
#include <vector>

namespace charts::testing {

struct ValueSet {
    using TestValue = void;
    using DataPoint = TestPoint;
    kit::UUID id;
    std::vector<TestPoint> dataPoints;

    double largestValue() const { return largestValueOf(*this); }
    double smallestValue() const { return smallestValueOf(*this); }
    double averageValue() const { return averageValueOf(*this); }
    friend bool operator==(const ValueSet&, const ValueSet&) = default;
};

inline ValueSet valueSet(const std::vector<double>& values)
{
    ValueSet set;
    for (double v : values)
        set.dataPoints.emplace_back(v);
    return set;
}

template <class... Tags>
class ValueChartBase : public CTLineBarChartDataProtocol<ValueSet, ValueSet, TestPoint, TestAxisStyle>, public Tags... {
public:
    explicit ValueChartBase(const std::vector<double>& values, TestAxisStyle style = {})
        : CTLineBarChartDataProtocol(valueSet(values),
                                     ChartMetadata("Title", "Subtitle", kit::Font::title(), kit::Color::primary(),
                                                   kit::Font::body(), kit::Color::secondary()),
                                     std::move(style), kit::EmptyView(), ChartKind{ChartType::bar, DataSetType::single})
    {
    }

    bool hasData() const override { return hasDataPoints(*this); }
    kit::View touchMarkerView(kit::Point, const kit::Rect&) const override { return kit::EmptyView(); }
    void touchedDataPoints(kit::Point, const kit::Rect&) override {}
    std::optional<kit::Point> touchPointLocation(const ValueSet&, kit::Point, const kit::Rect&) const override
    {
        return std::nullopt;
    }
    kit::View extraYAxisLabelsView() const override { return kit::EmptyView(); }
    ColourStyle dataSetColour() const override { return ColourStyle(kit::Color::red()); }
    kit::View xAxisLabelsView() const override { return kit::EmptyView(); }
    kit::View yAxisLabelsView() const override { return kit::EmptyView(); }
};

class ValueChart : public ValueChartBase<>, public GetDataFromDataSets<ValueChart> {
public:
    using ValueChartBase::ValueChartBase;
};

class HorizontalValueChart : public ValueChartBase<isHorizontal>, public GetDataFromDataSets<HorizontalValueChart> {
public:
    using ValueChartBase::ValueChartBase;
};

inline TestAxisStyle axisStyle(Baseline baseline, Topline topLine)
{
    TestAxisStyle style;
    style.baseline = baseline;
    style.topLine = topLine;
    return style;
}

} // namespace charts::testing
