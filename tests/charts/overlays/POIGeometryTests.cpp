#include "POITest.h"

namespace {

using namespace charts;
using namespace charts::testing;
using Points = std::vector<kit::Point>;

static_assert(PointOfInterestProtocol<BarChartData> && PointOfInterestProtocol<GroupedBarChartData> &&
                  PointOfInterestProtocol<HorizontalBarChartData> && PointOfInterestProtocol<RangedBarChartData> &&
                  PointOfInterestProtocol<StackedBarChartData> && PointOfInterestProtocol<LineChartData> &&
                  PointOfInterestProtocol<MultiLineChartData> && PointOfInterestProtocol<RangedLineChartData>,
              "the eight chart-data classes with axes carry points of interest as they are");

struct ShapeCase {
    const char* name;
    kit::Shape shape;
    kit::Rect rect;
    Points points;
};

TEST(LabelShapes, EachIsOneClosedOutlineThroughItsRectanglesOwnEdges)
{
    const kit::Rect r(0, 0, 100, 50);
    const ShapeCase cases[] = {
        {"top", TopLabelShape(), r, {{0, 0}, {0, 35}, {50, 50}, {100, 35}, {100, 0}}},
        {"bottom", BottomLabelShape(), r, {{0, 50}, {100, 50}, {100, 15}, {50, 0}, {0, 15}}},
        {"leading", LeadingLabelShape(), r, {{0, 50}, {80, 50}, {100, 25}, {80, 0}, {0, 0}}},
        {"trailing", TrailingLabelShape(), r, {{100, 50}, {100, 0}, {20, 0}, {0, 25}, {20, 50}}},
        {"diamond, away from the origin", DiamondShape(), {10, 20, 40, 60}, {{30, 80}, {50, 50}, {30, 20}, {10, 50}}},
        {"a diamond wrapped",
         CustomLabelShape(DiamondShape()),
         {10, 20, 40, 60},
         {{30, 80}, {50, 50}, {30, 20}, {10, 50}}},
        {"a callout in no room",
         CustomLabelShape(TopLabelShape()),
         {5, 5, 0, 0},
         {{5, 5}, {5, 5}, {5, 5}, {5, 5}, {5, 5}}},
    };
    for (const ShapeCase& c : cases) {
        const kit::Path path = c.shape.path(c.rect);
        EXPECT_EQ(pathPoints(path), c.points) << c.name;
        EXPECT_TRUE(isClosed(path)) << c.name;
    }
}

struct LocationCase {
    const char* name;
    kit::Point marker, axisLabel;
};

template <class Chart>
void expectValueLocations(const Chart& chart, double value, double minValue, double range, const LocationCase& c)
{
    const kit::Rect size(0, 0, 300, 200);
    EXPECT_EQ(poiMarkerLocation(chart, size, value, minValue, range), c.marker) << c.name;
    EXPECT_EQ(poiCenterLabelLocation(chart, size, value, minValue, range), c.marker) << c.name;
    EXPECT_EQ(poiAxisLabelLocation(chart, size, value, minValue, range), c.axisLabel) << c.name;
}

TEST(POILocations, AValueStandsUpTheValueAxisAndItsAxisLabelBesideTheValueLabels)
{
    // W 300, H 200; the value 25 of 0 ... 100 lies a quarter up the axis.
    const auto bars = barData({1});
    expectValueLocations(*bars, 25, 0, 100, {"bars, leading labels, none measured", {150, 150}, {-4, 150}});
    bars->viewData.modify([](ChartViewData& data) { data.yAxisLabelWidth = {20, 30}; });
    expectValueLocations(*bars, 25, 0, 100, {"bars, widest label 30", {150, 150}, {-19, 150}});
    bars->chartStyle.modify([](BarChartStyle& s) { s.yAxisLabelPosition = YAxisLabelPosistion::trailing; });
    expectValueLocations(*bars, 25, 0, 100, {"bars, trailing labels", {150, 150}, {319, 150}});
    expectValueLocations(*bars, 60, 0, 0, {"a range of 0: the bottom edge", {150, 200}, {319, 200}});
    expectValueLocations(*bars, 150, 0, 100, {"beyond the axis: above the chart", {150, -100}, {319, -100}});

    const auto line = lineChart(lineSet({1, 2}));
    expectValueLocations(*line, 25, 0, 100, {"a line", {150, 150}, {-4, 150}});

    // Horizontal bars: the value runs across; the axis label stands below
    // or above the chart beside the x-axis labels.
    const auto horizontal = horizontalData({1});
    expectValueLocations(*horizontal, 25, 0, 100, {"horizontal bars", {75, 100}, {75, 204}});
    expectValueLocations(*horizontal, 25, 0, 0, {"horizontal, a range of 0: the leading edge", {0, 100}, {0, 204}});
    horizontal->viewData.modify([](ChartViewData& data) { data.xAxisLabelHeights = {12, 8}; });
    horizontal->chartStyle.modify([](BarChartStyle& s) { s.xAxisLabelPosition = XAxisLabelPosistion::top; });
    expectValueLocations(*horizontal, 25, 0, 100, {"horizontal, labels on top", {75, 100}, {75, -10}});
}

template <class Chart>
void expectIndexLocations(const Chart& chart, std::int64_t index, std::int64_t count, const LocationCase& c)
{
    const kit::Rect size(0, 0, 400, 200);
    EXPECT_EQ(poiAbscissaMarkerLocation(chart, index, count, size), c.marker) << c.name;
    EXPECT_EQ(poiAbscissaCenterLabelLocation(chart, index, count, size), c.marker) << c.name;
    EXPECT_EQ(poiAbscissaAxisLabelLocation(chart, index, count, size), c.axisLabel) << c.name;
}

TEST(POILocations, ADataPointStandsInTheMiddleOfItsSlotOnBarsAndFromEdgeToEdgeOnLines)
{
    // W 400, H 200.
    const auto bars = barData({1});
    expectIndexLocations(*bars, 0, 4, {"bars: the middle of the first of four slots", {50, 100}, {50, 210}});
    expectIndexLocations(*bars, 3, 4, {"bars: the last slot", {350, 100}, {350, 210}});
    expectIndexLocations(*bars, 5, 4, {"bars: beyond the data", {550, 100}, {550, 210}});
    bars->viewData.modify([](ChartViewData& data) { data.xAxisLabelHeights = {12, 8}; });
    expectIndexLocations(*bars, 0, 4, {"bars: the tallest x-axis label 12", {50, 100}, {50, 216}});
    bars->chartStyle.modify([](BarChartStyle& s) { s.xAxisLabelPosition = XAxisLabelPosistion::top; });
    expectIndexLocations(*bars, 0, 4, {"bars: x-axis labels on top", {50, 100}, {50, -16}});

    const auto line = lineChart(lineSet({1, 2}));
    expectIndexLocations(*line, 0, 5, {"a line: the leading edge", {0, 100}, {0, 210}});
    expectIndexLocations(*line, 4, 5, {"a line: the trailing edge", {400, 100}, {400, 210}});
    expectIndexLocations(*line, 3, 1, {"a line of one point stands at 0", {0, 100}, {0, 210}});
    expectIndexLocations(*line, -1, 5, {"a line: before the first point", {-100, 100}, {-100, 210}});

    // Horizontal bars: slots down the height, from the top; the axis label
    // beside the category labels (trailing: half the widest label width + 8;
    // leading: half the tallest label height + 8).
    const auto horizontal = horizontalData({1});
    horizontal->viewData.modify([](ChartViewData& data) {
        data.xAxislabelWidths = {30};
        data.xAxisLabelHeights = {12};
    });
    expectIndexLocations(*horizontal, 1, 4, {"horizontal, leading labels", {200, 75}, {-14, 75}});
    horizontal->chartStyle.modify([](BarChartStyle& s) { s.yAxisLabelPosition = YAxisLabelPosistion::trailing; });
    expectIndexLocations(*horizontal, 1, 4, {"horizontal, trailing labels", {200, 75}, {423, 75}});

    for (const std::int64_t count : {0, -3}) {
        EXPECT_FALSE(poiAbscissaMarkerLocation(*bars, 0, count, kit::Rect(0, 0, 400, 200)).isFinite())
            << "bars without a slot have no place";
        EXPECT_FALSE(poiAbscissaAxisLabelLocation(*horizontal, 0, count, kit::Rect(0, 0, 400, 200)).isFinite());
    }
}

struct MarkerCase {
    const char* name;
    kit::Shape marker;
    Points points;
};

TEST(POIMarkers, AMarkerIsOneOpenLineFromEdgeToEdgeThroughItsPointWhateverTheRectanglesOrigin)
{
    const auto bars = barData({1});
    const auto horizontal = horizontalData({1});
    const auto line = lineChart(lineSet({1, 2}));
    const MarkerCase cases[] = {
        {"a value on bars", poiMarker(bars, 25, 100, 0), {{0, 150}, {400, 150}}},
        {"the lowest value: the bottom edge", poiMarker(bars, 10, 100, 10), {{0, 200}, {400, 200}}},
        {"the highest value: the top edge", poiMarker(line, 110, 100, 10), {{0, 0}, {400, 0}}},
        {"a value on horizontal bars", poiMarker(horizontal, 25, 100, 0), {{100, 0}, {100, 200}}},
        {"a range of 0 on horizontal bars", poiMarker(horizontal, 25, 0, 0), {{0, 0}, {0, 200}}},
        {"a bar", poiAbscissaMarker(bars, 0, 4), {{50, 0}, {50, 200}}},
        {"a point of a line", poiAbscissaMarker(line, 3, 4), {{400, 0}, {400, 200}}},
        {"a horizontal bar", poiAbscissaMarker(horizontal, 1, 4), {{0, 75}, {400, 75}}},
        {"bars without slots", poiAbscissaMarker(bars, 0, 0), {}},
    };
    for (const MarkerCase& c : cases) {
        const kit::Path path = c.marker.path(kit::Rect(10, 10, 400, 200));
        EXPECT_EQ(pathPoints(path), c.points) << c.name;
        EXPECT_FALSE(isClosed(path)) << c.name;
    }
}

TEST(POILabels, APositionedLabelCountsFromTheOtherEdgeWhereTheAxisLabelsStandThere)
{
    struct Case {
        double location;
        bool flipped;
        double distance;
    };
    const Case cases[] = {
        {0.25, false, 0.25}, {0.25, true, 0.75},        {0, true, 1}, {1, false, 1}, {-0.1, false, 0.5},
        {1.5, true, 0.5},    {std::nan(""), false, 0.5}};
    for (const Case& c : cases)
        EXPECT_EQ(poiLabelDistance(c.location, c.flipped), c.distance) << c.location << (c.flipped ? " flipped" : "");
}

} // namespace
