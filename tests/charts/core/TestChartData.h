#pragma once

// Small chart-data classes for testing the shared contract: a chart of one
// data set of values, and a chart with axes over the same points.

#include "charts/core/CTLineBarChartDataProtocol.h"
#include "charts/core/DataFunctions.h"
#include "charts/core/MarkerTypes.h"

#include <functional>
#include <vector>

namespace charts::testing {

// Test values hash by their id alone.
template <class T>
concept TestValue = requires
{
    typename T::TestValue;
};

struct TestPoint : CTnotRanged {
    using TestValue = void;
    kit::UUID id;
    double value = 0;
    std::optional<std::string> description;
    std::optional<kit::Date> date;
    std::string legendTag;

    TestPoint(double value, std::optional<std::string> description = std::nullopt)
        : value(value), description(std::move(description))
    {
    }
    std::string formattedValue(std::string_view specifier, const NumberFormatterPtr& formatter) const
    {
        return valueText(value, specifier, formatter);
    }
    friend bool operator==(const TestPoint& a, const TestPoint& b) { return a.id == b.id && a.value == b.value; }
};

struct TestSet {
    using TestValue = void;
    using DataPoint = TestPoint;
    kit::UUID id;
    std::vector<TestPoint> dataPoints;
    friend bool operator==(const TestSet&, const TestSet&) = default;
};

} // namespace charts::testing

template <charts::testing::TestValue T>
struct std::hash<T> {
    std::size_t operator()(const T& value) const { return std::hash<kit::UUID>{}(value.id); }
};

namespace charts::testing {

struct TestStyle {
    InfoBoxPlacement infoBoxPlacement = InfoBoxPlacement::header();
    InfoBoxAlignment infoBoxContentAlignment = InfoBoxAlignment::vertical;
    kit::Font infoBoxValueFont = kit::Font::headline();
    kit::Color infoBoxValueColour = kit::Color::red();
    kit::Font infoBoxDescriptionFont = kit::Font::caption();
    kit::Color infoBoxDescriptionColour = kit::Color::blue();
    kit::Color infoBoxBackgroundColour = kit::Color::white();
    kit::Color infoBoxBorderColour = kit::Color::gray();
    kit::StrokeStyle infoBoxBorderStyle;
    kit::Animation globalAnimation = kit::Animation::linear(0.3);
};

// The style of a chart with axes; only its type matters to the tests.
struct TestAxisStyle : TestStyle {
    using Mark = LineMarkerType;
    LineMarkerType markerType = LineMarkerType::none();
    GridStyle xAxisGridStyle{3, kit::Color::gray(), 1, {}, 0}, yAxisGridStyle{3, kit::Color::gray(), 1, {}, 0};
    XAxisLabelPosistion xAxisLabelPosition = XAxisLabelPosistion::bottom;
    YAxisLabelPosistion yAxisLabelPosition = YAxisLabelPosistion::leading;
    kit::Font xAxisLabelFont, xAxisTitleFont, yAxisLabelFont, yAxisTitleFont;
    kit::Color xAxisLabelColour, xAxisTitleColour, yAxisLabelColour, yAxisTitleColour;
    LabelsFrom xAxisLabelsFrom = LabelsFrom::dataPoint(kit::Angle{});
    std::optional<std::string> xAxisTitle, yAxisTitle;
    std::optional<kit::Color> xAxisBorderColour, yAxisBorderColour;
    std::int64_t yAxisNumberOfLabels = 5;
    YAxisLabelType yAxisLabelType = YAxisLabelType::numeric;
    Baseline baseline = Baseline::minimumValue();
    Topline topLine = Topline::maximumValue();
};

// The chart data of one set of values; its touch lookup takes the points
// whose index the touch's x names, and can be watched.
template <class Base>
class TestChartBase : public Base {
public:
    explicit TestChartBase(std::vector<TestPoint> points, kit::View noData = kit::EmptyView())
        : Base(TestSet{kit::UUID(), std::move(points)},
               ChartMetadata("Title", "Subtitle", kit::Font::title(), kit::Color::primary(), kit::Font::body(),
                             kit::Color::secondary()),
               {}, std::move(noData), ChartKind{ChartType::line, DataSetType::single})
    {
    }

    bool hasData() const override { return hasDataPoints(*this); }
    kit::View touchMarkerView(kit::Point, const kit::Rect&) const override { return kit::EmptyView(); }
    void touchedDataPoints(kit::Point touchLocation, const kit::Rect& chartSize) override
    {
        if (onTouch)
            onTouch(touchLocation, chartSize);
        const auto index = static_cast<std::size_t>(touchLocation.x);
        if (index < this->dataSets->dataPoints.size()) {
            const TestPoint point = this->dataSets->dataPoints[index];
            this->infoView.modify([&](auto& info) { info.touchOverlayInfo.push_back(point); });
        }
    }
    std::optional<kit::Point> touchPointLocation(const TestSet&, kit::Point, const kit::Rect&) const override
    {
        return std::nullopt;
    }

    std::function<void(kit::Point, const kit::Rect&)> onTouch;
};

using TestChart = TestChartBase<CTChartData<TestSet, TestSet, TestPoint, TestStyle>>;

class TestAxisChart : public TestChartBase<CTLineBarChartDataProtocol<TestSet, TestSet, TestPoint, TestAxisStyle>> {
public:
    using CTLineBarChartDataProtocol::extraLineTouchedPoint;
    using TestChartBase::TestChartBase;
    kit::View extraYAxisLabelsView() const override { return kit::EmptyView(); }
    ColourStyle dataSetColour() const override { return ColourStyle(kit::Color::red()); }
    kit::View xAxisLabelsView() const override { return kit::EmptyView(); }
    kit::View yAxisLabelsView() const override { return kit::EmptyView(); }
};

// Counts an object's change announcements while alive.
struct Announcements {
    explicit Announcements(const kit::ObservableObject& object)
        : subscription(object.objectWillChange.sink([this] { ++count; }))
    {
    }
    int count = 0;
    kit::Cancellable subscription;
};

} // namespace charts::testing
