#include "LineTest.h"

#include "charts/line/LineTouchIndex.h"
#include "tests/charts/core/TestExtraLine.h"
#include "tests/charts/core/TouchLog.h"

#include <cmath>
#include <limits>

namespace {

using namespace charts;
using namespace charts::testing;

constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr double inf = std::numeric_limits<double>::infinity();

TEST(LineTouchIndex, TheNearestPointTheRightOneOnATie)
{
    struct Case {
        std::size_t count;
        double width, x;
        std::optional<std::size_t> index;
    };
    const Case cases[] = {
        // Five points over 400: step 100, index = trunc((x + 50) / 100).
        {5, 400, 0, 0},
        {5, 400, 49, 0},
        {5, 400, 51, 1},
        {5, 400, 149, 1},
        {5, 400, 150, 2},
        {5, 400, 449, 4},
        {5, 400, 450, std::nullopt},
        // Left of the chart: truncation toward zero keeps index 0 down to −1.5 steps.
        {5, 400, -120, 0},
        {5, 400, -149, 0},
        {5, 400, -150, std::nullopt},
        // Four and seven points over 300: steps 100 and 50.
        {4, 300, 120, 1},
        {7, 300, 120, 2},
        {4, 300, 50, 1},
        {4, 300, -140, 0},
        // Nothing to find: too few points, no width, a position that is not a number.
        {1, 400, 0, std::nullopt},
        {0, 400, 0, std::nullopt},
        {5, 0, 0, std::nullopt},
        {5, -10, 0, std::nullopt},
        {5, nan, 0, std::nullopt},
        {5, 400, nan, std::nullopt},
        {5, 400, inf, std::nullopt},
        {5, 400, -inf, std::nullopt},
        {5, inf, 10, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(lineTouchIndex(c.count, c.width, c.x), c.index)
            << c.count << " points, " << c.width << " wide, x " << c.x;
}

TEST(LineTouchLocation, ThePointsPlaceByTheChartsValueRange)
{
    // Values 0, 5, 10 over 200 × 200: lowest 0, range 10.
    const auto chart = lineChart(lineSet({0, 5, 10}));
    const kit::Rect frame(0, 0, 200, 200);
    struct Case {
        double x;
        std::optional<kit::Point> location;
    };
    for (const Case& c : std::vector<Case>{
             {0, kit::Point{0, 200}}, {90, kit::Point{100, 100}}, {180, kit::Point{200, 0}}, {400, std::nullopt}}) {
        const auto location = chart->touchPointLocation(*chart->dataSets, {c.x, 7}, frame);
        ASSERT_EQ(location.has_value(), c.location.has_value()) << c.x;
        if (location) {
            EXPECT_NEAR(location->x, c.location->x, 1e-9) << c.x;
            EXPECT_NEAR(location->y, c.location->y, 1e-9) << c.x;
        }
    }
    // Ignoring zeros: the range runs from 5 to 10, and the zero has no place.
    const auto ignoring = lineChart(lineSet({0, 5, 10}, lineStyle(true)));
    EXPECT_FALSE(ignoring->touchPointLocation(*ignoring->dataSets, {0, 0}, frame));
    EXPECT_EQ(ignoring->touchPointLocation(*ignoring->dataSets, {100, 0}, frame), (kit::Point{100, 200}));
    // A range of 0 puts the point on the bottom edge.
    const auto flat = lineChart(lineSet({3, 3}));
    EXPECT_EQ(flat->touchPointLocation(*flat->dataSets, {200, 0}, frame), (kit::Point{200, 200}));
    // A ranged point stands at its value, not at its band: lowest 2, range 7.
    const auto ranged = rangedChart({{5, 9, 2}, {4, 6, 3}});
    EXPECT_EQ(ranged->touchPointLocation(*ranged->dataSets, {0, 0}, {0, 0, 100, 70}), (kit::Point{0, 40}));
}

using Events = std::vector<std::string>;

TEST(LineChartTouch, TheTouchedPointIsTaggedListedAndThenSent)
{
    const auto chart = lineChart(lineSet({0, 5}, lineStyle(true), "Sales"));
    const kit::Rect frame(0, 0, 100, 100);
    TouchLog log(*chart);
    chart->touchedDataPoints({90, 0}, frame);
    EXPECT_EQ(log.events, (Events{"dataSets", "infoView 1", "sent"}));
    const LineChartDataPoint& stored = chart->dataSets->dataPoints[1];
    EXPECT_EQ(stored.legendTag, "Sales");
    EXPECT_EQ(chart->infoView->touchOverlayInfo, std::vector<LineChartDataPoint>{stored});
    EXPECT_EQ(log.sent, std::vector<LineChartDataPoint>{stored});

    // A zero the line ignores is marked, listed and sent, but has no place.
    log.events.clear();
    chart->touchedDataPoints({10, 0}, frame);
    EXPECT_EQ(log.events, (Events{"dataSets", "dataSets", "infoView 1", "sent"}));
    EXPECT_TRUE(chart->dataSets->dataPoints[0].ignoreMe);
    EXPECT_EQ(chart->infoView->touchOverlayInfo.front().value, 0);
    EXPECT_EQ(chart->infoView->touchOverlayInfo.front().formattedValue("%.0f", nullptr), "");
    EXPECT_FALSE(chart->touchPointLocation(*chart->dataSets, {10, 0}, frame));

    // A touch beside the line changes nothing; the previous point stays listed.
    log.events.clear();
    chart->touchedDataPoints({400, 0}, frame);
    EXPECT_TRUE(log.events.empty());
    EXPECT_EQ(chart->infoView->touchOverlayInfo.size(), 1u);
    // The marks stay after the touch.
    EXPECT_TRUE(chart->dataSets->dataPoints[0].ignoreMe);
    EXPECT_EQ(chart->dataSets->dataPoints[1].legendTag, "Sales");
}

TEST(LineChartTouch, TheExtraLinesPointIsListedAfterTheLinesButNeverSent)
{
    ExtraLineData extra = extraLine({7, 1}, extraLineStyle());
    extra.dataPoints[0].pointDescription = "Target";
    const kit::Rect frame(0, 0, 400, 100);

    const auto single = lineChart(lineSet({1, 2, 3}));
    single->extraLineData = extra;
    TouchLog singleLog(*single);
    single->touchedDataPoints({150, 0}, frame);
    EXPECT_EQ(singleLog.events, (Events{"dataSets", "infoView 1", "infoView 2", "sent"}));
    const auto& listed = single->infoView->touchOverlayInfo;
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_EQ(listed[0].value, 2);
    EXPECT_EQ(listed[1].value, 7);
    EXPECT_EQ(listed[1].description, "Target");
    EXPECT_EQ(listed[1].legendTag, "Extra");
    EXPECT_EQ(singleLog.sent.size(), 1u);

    const auto ranged = rangedChart({{5, 9, 2}, {4, 6, 3}});
    ranged->extraLineData = extra;
    ranged->touchedDataPoints({100, 0}, frame);
    const auto& band = ranged->infoView->touchOverlayInfo;
    ASSERT_EQ(band.size(), 2u);
    EXPECT_EQ(band[0].formattedValue("%.0f", nullptr), "2-9");
    EXPECT_EQ(band[1].value, 7);
    EXPECT_EQ(band[1].upperValue, 7);
    EXPECT_EQ(band[1].lowerValue, 7);
    EXPECT_TRUE(band[1]._valueOnly);
    EXPECT_EQ(band[1].formattedValue("%.0f", nullptr), "7");
    EXPECT_EQ(band[1].legendTag, "Extra");

    const auto multi = multiLineChart({lineSet({1, 2}), lineSet({4, 5})});
    multi->extraLineData = extra;
    TouchLog multiLog(*multi);
    multi->touchedDataPoints({300, 0}, frame);
    ASSERT_EQ(multi->infoView->touchOverlayInfo.size(), 3u);
    EXPECT_EQ(multi->infoView->touchOverlayInfo[2].value, 1);
    EXPECT_EQ(multiLog.sent.size(), 2u);
}

TEST(MultiLineChartTouch, EachLineSendsItsPointBeforeTaggingIt)
{
    // Over 300: the four-point line steps 100, the seven-point line 50.
    const auto chart = multiLineChart({lineSet({1, 2, 3, 4}, lineStyle(), "A"), lineSet({}, lineStyle(), "Empty"),
                                       lineSet({0, 9, 8, 7, 6, 5, 4}, lineStyle(true), "B")});
    const kit::Rect frame(0, 0, 300, 100);
    TouchLog log(*chart);
    chart->touchedDataPoints({120, 0}, frame);
    EXPECT_EQ(log.events, (Events{"sent", "dataSets", "sent", "dataSets", "infoView 2"}));
    // The first touch sends the untagged copies; the list holds the tagged ones.
    ASSERT_EQ(log.sent.size(), 2u);
    EXPECT_EQ(log.sent[0].legendTag, "");
    EXPECT_EQ(log.sent[1].value, 8);
    const auto& listed = chart->infoView->touchOverlayInfo;
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_EQ(listed[0].value, 2);
    EXPECT_EQ(listed[0].legendTag, "A");
    EXPECT_EQ(listed[1].legendTag, "B");
    // Later touches send the tag written before.
    log.sent.clear();
    chart->touchedDataPoints({120, 0}, frame);
    EXPECT_EQ(log.sent[0].legendTag, "A");

    // Right of the short line only the long one answers; an ignored zero is
    // marked and listed but has no place.
    chart->touchedDataPoints({-10, 0}, frame);
    EXPECT_EQ(listed.size(), 2u);
    EXPECT_TRUE(chart->dataSets->dataSets[2].dataPoints[0].ignoreMe);
    EXPECT_FALSE(chart->touchPointLocation(chart->dataSets->dataSets[2], {-10, 0}, frame));
    EXPECT_TRUE(chart->touchPointLocation(chart->dataSets->dataSets[0], {-10, 0}, frame));

    // A touch that finds nothing clears the list.
    chart->touchedDataPoints({1000, 0}, frame);
    EXPECT_TRUE(chart->infoView->touchOverlayInfo.empty());
}

TEST(LineChartTouch, ATouchBeginsThroughTheSharedContract)
{
    const auto chart = rangedChart({{5, 9, 2}, {4, 6, 3}});
    chart->beginTouch({100, 30}, {0, 0, 100, 70});
    EXPECT_TRUE(chart->infoView->isTouchCurrent);
    EXPECT_EQ(chart->infoView->touchLocation, (kit::Point{100, 30}));
    ASSERT_EQ(chart->infoView->touchOverlayInfo.size(), 1u);
    EXPECT_EQ(chart->infoView->touchOverlayInfo[0].legendTag, "Line");
}

TEST(LineChartData, HasDataNeedsTwoPointsInSomeLine)
{
    EXPECT_FALSE(lineChart(lineSet({}))->hasData());
    EXPECT_FALSE(lineChart(lineSet({4}))->hasData());
    EXPECT_TRUE(lineChart(lineSet({4, 5}))->hasData());
    EXPECT_FALSE(rangedChart({{1, 2, 0}})->hasData());
    EXPECT_TRUE(rangedChart({{1, 2, 0}, {1, 2, 0}})->hasData());
    EXPECT_FALSE(multiLineChart({})->hasData());
    EXPECT_FALSE(multiLineChart({lineSet({1}), lineSet({2})})->hasData());
    EXPECT_TRUE(multiLineChart({lineSet({1}), lineSet({2, 3})})->hasData());
    EXPECT_EQ(lineChart(lineSet({}))->chartType, (ChartKind{ChartType::line, DataSetType::single}));
    EXPECT_EQ(multiLineChart({})->chartType, (ChartKind{ChartType::line, DataSetType::multi}));
}

TEST(LineChartLegends, OneEntryPerLineMadeOnceFromItsColour)
{
    ColourStyle gradient({kit::Color::red(), kit::Color::blue()}, kit::UnitPoint::top(), kit::UnitPoint::bottom());
    ColourStyle stopsMissing(kit::Color::red());
    stopsMissing.colourType = ColourType::gradientStops;
    const LineDataSet flat = lineSet({1, 2}, lineStyle(false, LineType::line, ColourStyle(kit::Color::green())),
                                     "Flat");
    const LineDataSet graded = lineSet({1, 2}, lineStyle(false, LineType::line, gradient), "Graded");
    const LineDataSet missing = lineSet({1, 2}, lineStyle(false, LineType::line, stopsMissing), "Missing");

    const auto single = lineChart(flat);
    ASSERT_EQ(single->legends->size(), 1u);
    EXPECT_EQ(single->legends->front(),
              LegendData(flat.id, "Flat", ColourStyle(kit::Color::green()), defaultStroke(), 1, ChartType::line));
    EXPECT_TRUE(lineChart(missing)->legends->empty());

    const auto multi = multiLineChart({graded, missing, flat});
    ASSERT_EQ(multi->legends->size(), 2u);
    // Gradients run from leading to trailing whatever the style says.
    EXPECT_EQ((*multi->legends)[0], LegendData(graded.id, "Graded",
                                               ColourStyle({kit::Color::red(), kit::Color::blue()},
                                                           kit::UnitPoint::leading(), kit::UnitPoint::trailing()),
                                               defaultStroke(), 1, ChartType::line));
    EXPECT_EQ((*multi->legends)[1].id, flat.id);
    // Legends are never rebuilt.
    multi->dataSets = MultiLineDataSet({});
    EXPECT_EQ(multi->legends->size(), 2u);

    const auto ranged = rangedChart({{1, 2, 0}});
    ASSERT_EQ(ranged->legends->size(), 2u);
    const LegendData& line = (*ranged->legends)[0];
    const LegendData& fill = (*ranged->legends)[1];
    EXPECT_EQ(line, LegendData(ranged->dataSets->id, "Line", ColourStyle(kit::Color::red()), defaultStroke(), 1,
                               ChartType::line));
    EXPECT_NE(fill.id, ranged->dataSets->id);
    EXPECT_EQ(fill.legend, "Band");
    EXPECT_EQ(fill.chartType, ChartType::bar);
    EXPECT_EQ(fill.prioity, 1);
    EXPECT_EQ(fill.strokeStyle, defaultStroke());
    EXPECT_EQ(fill.colour, ColourStyle(kit::Color::blue()));
    EXPECT_EQ(rangedChart({{1, 2, 0}}, rangedStyle(false, stopsMissing))->legends->size(), 1u);
}

TEST(LineChartData, TheDataSetColourIsTheLinesColour)
{
    EXPECT_EQ(lineChart(lineSet({1}))->dataSetColour(), ColourStyle(kit::Color::red()));
    EXPECT_EQ(rangedChart({})->dataSetColour(), ColourStyle(kit::Color::red()));
    EXPECT_EQ(multiLineChart({lineSet({1}, lineStyle(false, LineType::line, ColourStyle(kit::Color::green())))})
                  ->dataSetColour(),
              ColourStyle(kit::Color::green()));
    EXPECT_EQ(multiLineChart({})->dataSetColour(), ColourStyle(kit::Color::red()));
}

} // namespace
