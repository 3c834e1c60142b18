#include "charts/pie/DoughnutChartData.h"
#include "charts/pie/PieChartData.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>

namespace {

using namespace charts;
using std::numbers::pi;

static_assert(ChartDataObject<PieChartData> && ChartDataObject<DoughnutChartData>);
static_assert(CTPieChartStyle<PieChartStyle> && CTDoughnutChartStyle<DoughnutChartStyle>);
static_assert(!CTDoughnutChartStyle<PieChartStyle>);

PieChartStyle pieStyle()
{
    return PieChartStyle(InfoBoxPlacement::header(), InfoBoxAlignment::vertical, kit::Font::body(),
                         kit::Color::primary(), kit::Font::caption(), kit::Color::secondary(), kit::Color::white(),
                         kit::Color::gray(), kit::StrokeStyle{}, kit::Animation::linear(0.3));
}

ChartMetadata metadata()
{
    return ChartMetadata("Code breakdown", "By language", kit::Font::title(), kit::Color::primary(),
                         kit::Font::caption(), kit::Color::secondary());
}

PieChartDataPoint slice(double value, std::optional<std::string> description = std::nullopt,
                        kit::Color colour = kit::Color::blue())
{
    return PieChartDataPoint(value, std::move(description), std::nullopt, colour, OverlayType::none());
}

std::shared_ptr<PieChartData> pie(std::vector<PieChartDataPoint> points)
{
    return std::make_shared<PieChartData>(PieDataSet(std::move(points), "Languages"), metadata(), pieStyle(),
                                          kit::EmptyView());
}

// Counts the chart data's change announcements while alive.
struct Announcements {
    explicit Announcements(const kit::ObservableObject& object)
        : subscription(object.objectWillChange.sink([this] { ++count; }))
    {
    }
    int count = 0;
    kit::Cancellable subscription;
};

const kit::Rect chart(0, 0, 200, 200);

// The index of the slice a touch at `p` selects, or -1.
int touchedIndex(PieChartData& data, kit::Point p)
{
    data.infoView.modify([](auto& info) { info.touchOverlayInfo.clear(); });
    data.beginTouch(p, chart);
    const auto& touched = data.infoView->touchOverlayInfo;
    if (touched.empty())
        return -1;
    const auto& points = data.dataSets->dataPoints;
    for (std::size_t i = 0; i < points.size(); ++i)
        if (points[i] == touched.front())
            return static_cast<int>(i);
    return -2;
}

TEST(PieChartData, ConstructionComputesWedgesClockwiseFromTheTop)
{
    const auto data = pie({slice(1), slice(1), slice(2)});
    const auto& points = data->dataSets->dataPoints;
    EXPECT_DOUBLE_EQ(points[0].startAngle, -pi / 2);
    EXPECT_DOUBLE_EQ(points[0].amount, pi / 2);
    EXPECT_DOUBLE_EQ(points[1].startAngle, 0);
    EXPECT_DOUBLE_EQ(points[1].amount, pi / 2);
    EXPECT_DOUBLE_EQ(points[2].startAngle, pi / 2);
    EXPECT_DOUBLE_EQ(points[2].amount, pi);

    EXPECT_EQ(data->chartType, (ChartKind{ChartType::pie, DataSetType::single}));
    EXPECT_FALSE(data->disableAnimation);
    EXPECT_TRUE(data->subscription.empty());
    EXPECT_EQ(data->touchedDataPointPublisher.subscriberCount(), 0u);
    EXPECT_FALSE(data->infoView->isTouchCurrent);
    EXPECT_EQ(data->infoView->touchSpecifier, "%.0f");
    EXPECT_TRUE(data->hasData());
    EXPECT_FALSE(data->touchPointLocation(*data->dataSets, {100, 0}, chart));
    EXPECT_TRUE(data->touchMarkerView({100, 0}, chart).isEmptyView());

    const auto single = pie({slice(42)});
    EXPECT_DOUBLE_EQ(single->dataSets->dataPoints[0].startAngle, -pi / 2);
    EXPECT_DOUBLE_EQ(single->dataSets->dataPoints[0].amount, 2 * pi);
}

TEST(PieChartData, LegendHoldsOneEntryPerDescribedSliceWithTheSliceId)
{
    const auto data = pie({slice(3, "Swift", kit::Color::orange()), slice(2), slice(1, "C++", kit::Color::green())});
    const auto& legends = *data->legends;
    ASSERT_EQ(legends.size(), 2u);
    const auto& points = data->dataSets->dataPoints;
    EXPECT_EQ(legends[0], LegendData(points[0].id, "Swift", ColourStyle(kit::Color::orange()), std::nullopt, 1,
                                     ChartType::pie));
    EXPECT_EQ(legends[1], LegendData(points[2].id, "C++", ColourStyle(kit::Color::green()), std::nullopt, 1,
                                     ChartType::pie));

    // Setting up the legend again appends, one announcement per entry.
    Announcements announcements(*data);
    data->setUpLegends();
    EXPECT_EQ(announcements.count, 2);
    EXPECT_EQ(data->legends->size(), 4u);

    announcements.count = 0;
    data->computeSegmentAngles();
    EXPECT_EQ(announcements.count, 6);
}

TEST(PieChartData, EmptyDataSetHasNoDataAndTouchesFindNothing)
{
    const auto data = pie({});
    EXPECT_FALSE(data->hasData());
    EXPECT_TRUE(data->legends->empty());
    int sent = 0;
    const auto subscription = data->touchedDataPointPublisher.sink([&](const PieChartDataPoint&) { ++sent; });
    data->beginTouch({20, 30}, chart);
    EXPECT_TRUE(data->infoView->isTouchCurrent);
    EXPECT_EQ(data->infoView->touchLocation, (kit::Point{20, 30}));
    EXPECT_EQ(data->infoView->chartSize, chart);
    EXPECT_TRUE(data->infoView->touchOverlayInfo.empty());
    EXPECT_EQ(sent, 0);
}

TEST(PieChartData, TouchDirectionSelectsTheWedgeAndBoundariesGoToTheEarlierSlice)
{
    const auto data = pie({slice(1), slice(1), slice(1), slice(1)});
    EXPECT_EQ(touchedIndex(*data, {100, 10}), 0);  // straight up: −90
    EXPECT_EQ(touchedIndex(*data, {150, 60}), 0);
    EXPECT_EQ(touchedIndex(*data, {190, 100}), 0); // straight right: 0, the boundary
    EXPECT_EQ(touchedIndex(*data, {150, 140}), 1);
    EXPECT_EQ(touchedIndex(*data, {100, 190}), 1); // straight down: 90
    EXPECT_EQ(touchedIndex(*data, {60, 140}), 2);
    EXPECT_EQ(touchedIndex(*data, {10, 100}), 2);  // straight left: 180
    EXPECT_EQ(touchedIndex(*data, {60, 60}), 3);
    EXPECT_EQ(touchedIndex(*data, {100, 100}), 1); // the centre points straight down
    EXPECT_EQ(touchedIndex(*data, {900, -700}), 0); // outside the pie: the direction alone counts

    const auto two = pie({slice(3), slice(1)});
    EXPECT_EQ(touchedIndex(*two, {99, 10}), 1);   // just left of straight up: just below 270
    EXPECT_EQ(touchedIndex(*two, {60, 140}), 0);  // 135 lies in the first, 270° wide wedge

    const auto single = pie({slice(5)});
    for (kit::Point p : {kit::Point{100, 0}, {200, 100}, {100, 200}, {0, 100}, {99.9, 0}, {100, 100}})
        EXPECT_EQ(touchedIndex(*single, p), 0) << p.x << "," << p.y;
}

TEST(PieChartData, TouchTagsTheSliceReplacesTheTouchedPointsAndSendsIt)
{
    const auto data = pie({slice(1, "Swift"), slice(1, "C++")});
    std::vector<PieChartDataPoint> sent;
    const auto subscription = data->touchedDataPointPublisher.sink([&](const PieChartDataPoint& p) { sent.push_back(p); });
    Announcements announcements(*data);

    data->beginTouch({50, 150}, chart);
    // Three writes of the touch, one of the tag, one of the touched points.
    EXPECT_EQ(announcements.count, 5);
    data->beginTouch({50, 160}, chart);
    ASSERT_EQ(data->infoView->touchOverlayInfo.size(), 1u);
    const PieChartDataPoint& touched = data->infoView->touchOverlayInfo.front();
    EXPECT_EQ(touched.id, data->dataSets->dataPoints[1].id);
    EXPECT_EQ(touched.legendTag, "Languages");
    EXPECT_EQ(data->dataSets->dataPoints[1].legendTag, "Languages");
    EXPECT_EQ(data->dataSets->dataPoints[0].legendTag, "");
    EXPECT_EQ(data->legends->at(1).legend, "C++");
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[1].legendTag, "Languages");
}

TEST(PieChartData, LegendEmphasisFollowsTheFirstTouchedSliceWhileTheTouchLasts)
{
    const auto data = pie({slice(1, "Swift"), slice(1, "C++")});
    const LegendData swift = data->legends->at(0);
    const LegendData cpp = data->legends->at(1);
    EXPECT_FALSE(data->isPieLegendTouched(swift));
    data->beginTouch({50, 150}, chart);
    EXPECT_TRUE(data->isPieLegendTouched(cpp));
    EXPECT_FALSE(data->isPieLegendTouched(swift));
    EXPECT_FALSE(data->isBarLegendTouched(cpp));
    data->infoView.modify([](auto& info) { info.isTouchCurrent = false; });
    EXPECT_FALSE(data->isPieLegendTouched(cpp));
}

TEST(PieChartData, ValuesSummingToZeroGiveWedgesNoTouchMeets)
{
    const auto data = pie({slice(0, "a"), slice(0, "b")});
    const auto& points = data->dataSets->dataPoints;
    EXPECT_DOUBLE_EQ(points[0].startAngle, -pi / 2);
    EXPECT_TRUE(std::isnan(points[0].amount));
    EXPECT_TRUE(std::isnan(points[1].startAngle));
    EXPECT_TRUE(data->hasData());

    Announcements announcements(*data);
    for (kit::Point p : {kit::Point{100, 0}, {200, 100}, {100, 100}})
        data->beginTouch(p, chart);
    EXPECT_EQ(announcements.count, 9);
    EXPECT_TRUE(data->infoView->touchOverlayInfo.empty());
}

TEST(PieChartData, ReplacingTheDataSetsRecomputesNothing)
{
    const auto data = pie({slice(1, "Swift")});
    PieChartDataPoint added = slice(9, "Go");
    added.startAngle = 0.25;
    data->dataSets = PieDataSet({added}, "Other");
    EXPECT_EQ(data->dataSets->dataPoints[0].startAngle, 0.25);
    EXPECT_EQ(data->dataSets->dataPoints[0].amount, 0);
    ASSERT_EQ(data->legends->size(), 1u);
    EXPECT_EQ(data->legends->at(0).legend, "Swift");
}

TEST(DoughnutChartData, SharesThePieBehaviourWithItsOwnStyle)
{
    const DoughnutChartStyle style(InfoBoxPlacement::floating(), InfoBoxAlignment::horizontal, kit::Font::body(),
                                   kit::Color::primary(), kit::Font::caption(), kit::Color::secondary(),
                                   kit::Color::white(), kit::Color::gray(), kit::StrokeStyle{},
                                   kit::Animation::linear(0.3), 40);
    const auto data = std::make_shared<DoughnutChartData>(PieDataSet({slice(1, "a"), slice(3, "b")}, "Set"),
                                                          metadata(), style, kit::EmptyView());
    EXPECT_EQ(data->chartType, (ChartKind{ChartType::pie, DataSetType::single}));
    EXPECT_EQ(data->chartStyle->strokeWidth, 40);
    ASSERT_EQ(data->legends->size(), 2u);
    EXPECT_EQ(data->legends->at(0).chartType, ChartType::pie);
    EXPECT_DOUBLE_EQ(data->dataSets->dataPoints[1].startAngle, 0);
    EXPECT_DOUBLE_EQ(data->dataSets->dataPoints[1].amount, 1.5 * pi);

    // Inside the hole or beyond the ring, the direction still picks the slice.
    data->beginTouch({101, 99}, chart);
    ASSERT_EQ(data->infoView->touchOverlayInfo.size(), 1u);
    EXPECT_EQ(data->infoView->touchOverlayInfo[0].id, data->dataSets->dataPoints[0].id);
    data->beginTouch({-500, 100}, chart);
    EXPECT_EQ(data->infoView->touchOverlayInfo[0].id, data->dataSets->dataPoints[1].id);
}

} // namespace
