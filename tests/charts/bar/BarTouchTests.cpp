#include "BarTest.h"

#include "tests/charts/core/TouchLog.h"

#include <cmath>

namespace {

using namespace charts;
using namespace charts::testing;

static_assert(GetDataProtocol<BarChartData> && GetDataProtocol<GroupedBarChartData> &&
              GetDataProtocol<StackedBarChartData> && GetDataProtocol<HorizontalBarChartData> &&
              GetDataProtocol<RangedBarChartData>);
static_assert(HorizontalChartData<HorizontalBarChartData> && !HorizontalChartData<BarChartData>);
static_assert(BarChartData::categorySpacing == CategorySpacing::bar);

// Touches the chart afresh (its touched points emptied first) and gives the
// id of the point it found.
template <class Chart>
std::optional<kit::UUID> touchedId(Chart& chart, kit::Point touch, const kit::Rect& frame)
{
    chart.infoView.modify([](auto& info) { info.touchOverlayInfo.clear(); });
    chart.beginTouch(touch, frame);
    const auto& touched = chart.infoView->touchOverlayInfo;
    return touched.empty() ? std::nullopt : std::optional(touched.front().id);
}

void expectLocation(const std::optional<kit::Point>& actual, const std::optional<kit::Point>& expected,
                    const std::string& what)
{
    ASSERT_EQ(actual.has_value(), expected.has_value()) << what;
    if (!expected)
        return;
    EXPECT_NEAR(actual->x, expected->x, 1e-9) << what;
    EXPECT_NEAR(actual->y, expected->y, 1e-9) << what;
}

// A touch of a chart of one data set: the index of the bar it finds (-1:
// none) and where the marker goes.
struct SingleCase {
    kit::Point touch;
    int index;
    std::optional<kit::Point> marker;
};

template <class Chart>
void expectSingleSetTouches(Chart& chart, const kit::Rect& frame, const std::vector<SingleCase>& cases)
{
    for (const SingleCase& c : cases) {
        const std::string what = "touch at " + std::to_string(c.touch.x) + ", " + std::to_string(c.touch.y);
        const auto& points = chart.dataSets->dataPoints;
        const std::optional<kit::UUID> expected = c.index < 0 ? std::nullopt
                                                              : std::optional(points[std::size_t(c.index)].id);
        EXPECT_EQ(touchedId(chart, c.touch, frame), expected) << what;
        expectLocation(chart.touchPointLocation(*chart.dataSets, c.touch, frame), c.marker, what);
    }
}

TEST(BarTouch, AStandardBarIsFoundByTheSectionOfTheTouchsXAndMarkedAtItsTop)
{
    // Four bars on 400 × 200: sections of 100; values up to 10, the minimum
    // 2 being positive plays no part: y = 200 − 20 · value.
    const auto chart = barData({2, 4, 5, 10});
    const kit::Rect frame(0, 0, 400, 200);
    expectSingleSetTouches(*chart, frame,
                           {{{250, 7}, 2, kit::Point{250, 100}},
                            {{0, 190}, 0, kit::Point{50, 160}},
                            {{-50, 0}, 0, kit::Point{50, 160}}, // less than a section left: truncated to 0
                            {{399.5, 0}, 3, kit::Point{350, 0}},
                            {{-100, 0}, -1, std::nullopt},
                            {{400, 0}, -1, std::nullopt}});
    expectSingleSetTouches(*chart, kit::Rect(0, 0, 0, 200), {{{0, 0}, -1, std::nullopt}, {{10, 0}, -1, std::nullopt}});

    // A negative minimum scales over the whole range: 200 − (5 + 10) · 200 / 20.
    const auto negative = barData({-10, 5, 10});
    expectSingleSetTouches(*negative, kit::Rect(0, 0, 300, 200), {{{150, 0}, 1, kit::Point{150, 50}}});
    // A top line above the data lowers the bars: 200 − 200 / 20 · 5.
    const auto topped = barData({5}, barChartStyle(Baseline::zero(), Topline::maximum(20)));
    expectSingleSetTouches(*topped, frame, {{{10, 0}, 0, kit::Point{200, 150}}});
    expectSingleSetTouches(*barData({}), frame, {{{0, 0}, -1, std::nullopt}});

    // All values 0 with the data's maximum: a division by zero.
    const auto zero = barData({0, 0});
    const auto location = zero->touchPointLocation(*zero->dataSets, {10, 0}, frame);
    ASSERT_TRUE(location);
    EXPECT_EQ(location->x, 100);
    EXPECT_FALSE(std::isfinite(location->y));
}

TEST(BarTouch, AHorizontalBarIsFoundByTheBandOfTheTouchsYAndMarkedAtItsEnd)
{
    // Four bars on 200 × 400: bands of 100; x = 200 / 10 · value.
    const auto chart = horizontalData({2, 4, 5, 10});
    const kit::Rect frame(0, 0, 200, 400);
    expectSingleSetTouches(*chart, frame,
                           {{{0, 250}, 2, kit::Point{100, 250}},
                            {{-500, 250}, 2, kit::Point{100, 250}},
                            {{1000, 250}, 2, kit::Point{100, 250}},
                            {{50, -50}, 0, kit::Point{40, 50}},
                            {{50, 400}, -1, std::nullopt},
                            {{50, -100}, -1, std::nullopt}});
    expectSingleSetTouches(*chart, kit::Rect(0, 0, 200, 0), {{{0, 0}, -1, std::nullopt}});
    // (200 / 20) · 5 − (200 / 20) · (−10).
    const auto negative = horizontalData({-10, 5, 10});
    expectSingleSetTouches(*negative, kit::Rect(0, 0, 200, 300), {{{0, 150}, 1, kit::Point{150, 150}}});

    // The floating info box is kept inside the chart vertically.
    const kit::Rect box(0, 0, 80, 60), chartFrame(0, 0, 200, 300);
    EXPECT_EQ(chart->infoBoxPosition(10, box, chartFrame), 30);
    EXPECT_EQ(chart->infoBoxPosition(295, box, chartFrame), 270);
    EXPECT_EQ(chart->infoBoxPosition(150, box, chartFrame), 150);
}

TEST(BarTouch, ARangedBarIsFoundByItsSectionAndMarkedInItsMiddle)
{
    // Ranges 20–60 and 0–100: axis 0 to 100 on 400 × 200.
    const auto chart = rangedData({{20, 60}, {0, 100}});
    const kit::Rect frame(0, 0, 400, 200);
    expectSingleSetTouches(*chart, frame,
                           {{{100, 0}, 0, kit::Point{100, 120}}, // 200 − 0.4 · 200
                            {{399, 0}, 1, kit::Point{300, 100}},
                            {{400, 0}, -1, std::nullopt}});
    // The same rule with a negative minimum: min −50, range 100, middle 0.
    const auto negative = rangedData({{-50, 50}, {-20, 20}});
    expectSingleSetTouches(*negative, frame, {{{300, 0}, 1, kit::Point{300, 100}}});
    expectSingleSetTouches(*rangedData({}), frame, {{{0, 0}, -1, std::nullopt}});

    const auto flat = rangedData({{5, 5}});
    EXPECT_FALSE(std::isfinite(flat->touchPointLocation(*flat->dataSets, {10, 0}, frame)->y)) << "a range of 0";

    EXPECT_EQ(rangedData({{2, 6}, {4, 10}})->average(), 5.5);
    EXPECT_TRUE(std::isnan(rangedData({})->average()));
}

// A touch of a grouped or stacked chart: the set and point it finds (set
// -1: none) and where the marker goes.
struct MultiCase {
    kit::Point touch;
    int set, point;
    std::optional<kit::Point> marker;
};

template <class Chart>
void expectMultiSetTouches(Chart& chart, const kit::Rect& frame, const std::vector<MultiCase>& cases)
{
    for (const MultiCase& c : cases) {
        const std::string what = "touch at " + std::to_string(c.touch.x) + ", " + std::to_string(c.touch.y);
        const auto& sets = chart.dataSets->dataSets;
        const std::optional<kit::UUID> expected =
            c.set < 0 ? std::nullopt : std::optional(sets[std::size_t(c.set)].dataPoints[std::size_t(c.point)].id);
        EXPECT_EQ(touchedId(chart, c.touch, frame), expected) << what;
        expectLocation(chart.touchPointLocation(*chart.dataSets, c.touch, frame), c.marker, what);
    }
}

TEST(BarTouch, AGroupedBarIsFoundByItsClusterAndItsSlotWithTheSpacingTakenOut)
{
    // 300 wide, three clusters of two bars, spacing 30: clusters 80 wide at
    // 0, 110 and 220, bars 40 wide. Values up to 6 on a height of 120:
    // y = 120 − 20 · value.
    const auto chart = groupedData({{1, 2}, {3, 4}, {5, 6}});
    chart->groupSpacing = 30;
    const kit::Rect frame(0, 0, 300, 120);
    expectMultiSetTouches(*chart, frame,
                          {{{150, 0}, 1, 1, kit::Point{170, 40}},
                           {{0, 0}, 0, 0, kit::Point{20, 100}},
                           {{-10, 0}, 0, 0, kit::Point{20, 100}}, // truncated to cluster 0, bar 0
                           {{299, 0}, 2, 1, kit::Point{280, 0}},
                           {{95, 0}, -1, 0, std::nullopt}, // gaps between clusters
                           {{105, 0}, -1, 0, std::nullopt},
                           {{300, 0}, -1, 0, std::nullopt}});
    expectMultiSetTouches(*chart, kit::Rect(0, 0, 0, 120), {{{0, 0}, -1, 0, std::nullopt}});

    // Without spacing the clusters share the width evenly: bars of 50.
    chart->groupSpacing = 0;
    expectMultiSetTouches(*chart, frame, {{{160, 0}, 1, 1, kit::Point{175, 40}}});

    // Each cluster's bars share the cluster's width: 1 bar of 100, 4 bars of 25.
    const auto uneven = groupedData({{1}, {1, 2, 3, 4}});
    expectMultiSetTouches(*uneven, kit::Rect(0, 0, 200, 120),
                          {{{50, 0}, 0, 0, kit::Point{50, 90}}, {{130, 0}, 1, 1, kit::Point{137.5, 60}}});
    // An empty cluster holds nothing to touch; no clusters at all neither.
    const auto empty = groupedData({{1, 2}, {}});
    expectMultiSetTouches(*empty, kit::Rect(0, 0, 200, 120), {{{150, 0}, -1, 0, std::nullopt}});
    expectMultiSetTouches(*groupedData({}), frame, {{{10, 0}, -1, 0, std::nullopt}});
}

TEST(BarTouch, AStackedSegmentIsFoundByItsColumnAndTheHeightOfTheTouchAboveTheBottom)
{
    // Three columns of 100 on 300 × 200, the highest total 10: column 1's
    // segments 2, 3, 5 reach 40, 100 and 200 above the bottom edge.
    const auto chart = stackedData({{1, 1}, {2, 3, 5}, {4}});
    const kit::Rect frame(0, 0, 300, 200);
    const auto [segment, tops] = chart->touchedSegment(chart->dataSets->dataSets[1], {150, 150}, frame);
    EXPECT_EQ(tops, (std::vector<double>{40, 100, 200}));
    ASSERT_TRUE(segment);
    EXPECT_EQ(segment->index, 1u);
    EXPECT_EQ(segment->top, 100);
    expectMultiSetTouches(*chart, frame,
                          {{{150, 150}, 1, 1, kit::Point{150, 100}},
                           {{150, 160}, 1, 1, kit::Point{150, 100}}, // on segment 0's top: the one above
                           {{150, 170}, 1, 0, kit::Point{150, 160}},
                           {{150, 250}, 1, 1, kit::Point{150, 100}}, // below the chart, measured alike
                           {{150, 0}, -1, 0, std::nullopt},          // the top of the stack is not above it
                           {{-50, 190}, 0, 0, kit::Point{50, 180}},  // column 0: tops 20 and 40
                           {{-100, 190}, -1, 0, std::nullopt},
                           {{300, 190}, -1, 0, std::nullopt}});

    // A top line above the totals shortens the columns: tops 20, 50, 100.
    const auto topped = stackedData({{2, 3, 5}}, barChartStyle(Baseline::zero(), Topline::maximum(20)));
    expectMultiSetTouches(*topped, kit::Rect(0, 0, 100, 200), {{{50, 150}, 0, 2, kit::Point{50, 100}}});
    // A stack adding up to 0 is touched nowhere; an empty one neither.
    const auto zero = stackedData({{0, 0}, {}});
    expectMultiSetTouches(*zero, kit::Rect(0, 0, 200, 200),
                          {{{50, 199}, -1, 0, std::nullopt}, {{150, 199}, -1, 0, std::nullopt}});
    EXPECT_TRUE(zero->hasData());
    EXPECT_FALSE(stackedData({{}, {}})->hasData());
    EXPECT_TRUE(stackedData({{}, {1}})->hasData());
}

TEST(BarTouch, AHitTagsTheStoredPointRecordsItThenTheExtraLinesPointAndSendsOnlyTheBar)
{
    const auto chart = barData({2, 4, 5, 10});
    chart->extraLineData = describedExtraLine({1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    TouchLog log(*chart);
    chart->beginTouch({250, 0}, kit::Rect(0, 0, 400, 200));
    EXPECT_EQ(log.events, (std::vector<std::string>{"infoView 0", "infoView 0", "infoView 0", "dataSets", "infoView 1",
                                                    "infoView 2", "sent"}));
    const BarChartDataPoint& stored = chart->dataSets->dataPoints[2];
    EXPECT_EQ(stored.legendTag, "Sales");
    ASSERT_EQ(log.sent.size(), 1u);
    EXPECT_EQ(log.sent[0], stored);
    const auto& touched = chart->infoView->touchOverlayInfo;
    ASSERT_EQ(touched.size(), 2u);
    EXPECT_EQ(touched[0], stored);
    // The extra line has its own sections of 40: the touch is over its point 6.
    const BarChartDataPoint& extra = touched[1];
    EXPECT_EQ(extra.value, 7);
    EXPECT_EQ(extra.description, "E6");
    EXPECT_FALSE(extra.xAxisLabel || extra.date);
    EXPECT_EQ(extra.colour, ColourStyle(kit::Color::red()));
    EXPECT_EQ(extra.legendTag, "Extra");

    // A miss changes nothing and sends nothing; the tag stays after the touch.
    log.events.clear();
    chart->touchedDataPoints({-150, 0}, kit::Rect(0, 0, 400, 200));
    EXPECT_TRUE(log.events.empty());
    EXPECT_EQ(chart->infoView->touchOverlayInfo.size(), 2u);
    chart->infoView.modify([](auto& info) {
        info.isTouchCurrent = false;
        info.touchOverlayInfo.clear();
    });
    EXPECT_EQ(chart->dataSets->dataPoints[2].legendTag, "Sales");
    EXPECT_EQ(chart->dataSets->dataPoints[1].legendTag, "");
}

TEST(BarTouch, EveryClassTagsWithItsSetsTitleAndAppendsTheExtraPointInItsOwnKind)
{
    const kit::Rect frame(0, 0, 200, 200);
    const ExtraLineData line = describedExtraLine({3, 8}); // sections of 100

    const auto grouped = groupedData({{1, 2}, {3, 4}});
    grouped->extraLineData = line;
    TouchLog groupedLog(*grouped);
    grouped->beginTouch({160, 0}, frame);
    EXPECT_EQ(grouped->dataSets->dataSets[1].dataPoints[1].legendTag, "Set 1");
    ASSERT_EQ(grouped->infoView->touchOverlayInfo.size(), 2u);
    const GroupedBarDataPoint& groupedExtra = grouped->infoView->touchOverlayInfo[1];
    EXPECT_EQ(groupedExtra.value, 8);
    EXPECT_EQ(groupedExtra.group.title, "Extra");
    EXPECT_EQ(groupedExtra.group.colour, ColourStyle(kit::Color::red()));
    EXPECT_EQ(groupedExtra.legendTag, "Extra");
    EXPECT_EQ(groupedExtra.description, "E1");
    EXPECT_EQ(groupedLog.sent, (std::vector{grouped->dataSets->dataSets[1].dataPoints[1]}));

    const auto stacked = stackedData({{1, 1}, {2}});
    stacked->extraLineData = line;
    TouchLog stackedLog(*stacked);
    stacked->beginTouch({50, 150}, frame); // column 0: tops 100 and 200
    EXPECT_EQ(stacked->dataSets->dataSets[0].dataPoints[0].legendTag, "Set 0");
    ASSERT_EQ(stacked->infoView->touchOverlayInfo.size(), 2u);
    EXPECT_EQ(stacked->infoView->touchOverlayInfo[1].group.title, "Extra");
    EXPECT_EQ(stacked->infoView->touchOverlayInfo[1].value, 3);
    EXPECT_EQ(stackedLog.sent.size(), 1u);

    const auto horizontal = horizontalData({1, 2});
    horizontal->extraLineData = line;
    horizontal->beginTouch({150, 20}, frame); // bar 0 by y, extra point 1 by x
    EXPECT_EQ(horizontal->infoView->touchOverlayInfo.at(0).id, horizontal->dataSets->dataPoints[0].id);
    EXPECT_EQ(horizontal->infoView->touchOverlayInfo.at(1).value, 8);

    const auto ranged = rangedData({{1, 2}, {3, 4}});
    ranged->extraLineData = line;
    ranged->beginTouch({20, 0}, frame);
    EXPECT_EQ(ranged->dataSets->dataPoints[0].legendTag, "Ranges");
    ASSERT_EQ(ranged->infoView->touchOverlayInfo.size(), 2u);
    const RangedBarDataPoint& rangedExtra = ranged->infoView->touchOverlayInfo[1];
    EXPECT_EQ(rangedExtra.upperValue, 3);
    EXPECT_EQ(rangedExtra.lowerValue, 3);
    EXPECT_EQ(rangedExtra._value, 3);
    EXPECT_TRUE(rangedExtra._valueOnly);
    EXPECT_EQ(rangedExtra.formattedValue("%.1f", nullptr), "3.0") << "one value, not a range";
    EXPECT_EQ(rangedExtra.legendTag, "Extra");
}

TEST(BarTouch, TheLegendEmphasisFollowsTheTouchedBarOrGroup)
{
    const kit::Rect frame(0, 0, 200, 200);
    const auto bar = barData({1, 2}, barChartStyle(), barStyle(ColourFrom::dataPoints));
    bar->beginTouch({150, 0}, frame);
    const auto& legends = *bar->legends;
    EXPECT_TRUE(bar->isBarLegendTouched(legends[1]));
    EXPECT_FALSE(bar->isBarLegendTouched(legends[0]));
    bar->infoView.modify([](auto& info) { info.isTouchCurrent = false; });
    EXPECT_FALSE(bar->isBarLegendTouched(legends[1]));

    // Every entry of the touched group's colour, the same group appearing twice.
    std::vector<GroupingData> groups = threeGroups();
    groups.push_back(GroupingData("Red again", ColourStyle(kit::Color::red())));
    const auto grouped = groupedData({{1, 2}}, barChartStyle(), groups);
    grouped->beginTouch({10, 0}, frame);
    const std::vector<bool> emphasised{true, false, false, true};
    for (std::size_t i = 0; i < 4; ++i)
        EXPECT_EQ(grouped->isBarLegendTouched(grouped->legends->at(i)), emphasised[i]) << i;
    const auto stacked = stackedData({{1, 2}}, barChartStyle(), groups);
    stacked->beginTouch({10, 190}, frame);
    EXPECT_TRUE(stacked->isBarLegendTouched(stacked->legends->at(3)));
    EXPECT_FALSE(stacked->isBarLegendTouched(stacked->legends->at(1)));

    const auto horizontal = horizontalData({1, 2}, barChartStyle(), barStyle(ColourFrom::dataPoints));
    horizontal->beginTouch({10, 10}, frame);
    EXPECT_FALSE(horizontal->isBarLegendTouched(horizontal->legends->at(0)));
}

} // namespace
