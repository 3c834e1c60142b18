#include "PieTest.h"

#include "charts/pie/CTPieDataPoint.h"

#include <unordered_set>

namespace {

using namespace charts;
using namespace charts::testing;

static_assert(CTPieDataPoint<PieChartDataPoint>);
static_assert(ChartDataObject<PieChartData> && ChartDataObject<DoughnutChartData>);
static_assert(CTPieChartStyle<PieChartStyle> && CTDoughnutChartStyle<DoughnutChartStyle>);
static_assert(!CTDoughnutChartStyle<PieChartStyle>);

template <class T>
std::size_t hashOf(const T& value)
{
    return std::hash<T>{}(value);
}

const kit::Rect chart(0, 0, 200, 200);

TEST(PieValueTypes, SlicesCompareAndHashWithoutColourOrLegendTag)
{
    const PieChartDataPoint point = slices({4},
                                           OverlayType::label("x", kit::Color::white(), kit::Font::caption(), 0.5))[0];
    PieChartDataPoint copy = point;
    copy.colour = kit::Color::red();
    copy.legendTag = "Fruit";
    copy.startAngle = -0.0;
    EXPECT_EQ(copy, point);
    EXPECT_EQ(hashOf(copy), hashOf(point));
    EXPECT_NE(slices({4})[0], point) << "a fresh id";
    for (auto change : std::initializer_list<void (*)(PieChartDataPoint&)>{
             [](PieChartDataPoint& p) { p.value = 5; }, [](PieChartDataPoint& p) { p.description.reset(); },
             [](PieChartDataPoint& p) { p.date = kit::Date{10}; },
             [](PieChartDataPoint& p) { p.label = OverlayType::none(); },
             [](PieChartDataPoint& p) { p.startAngle = 1; }, [](PieChartDataPoint& p) { p.amount = 1; }}) {
        PieChartDataPoint changed = point;
        change(changed);
        EXPECT_NE(changed, point);
    }
    EXPECT_EQ(slices({2.5})[0].formattedValue("%.1f%%", nullptr), "2.5%");

    EXPECT_EQ(hashOf(OverlayType::label("a", kit::Color::white(), kit::Font::caption(), 0.5)),
              hashOf(OverlayType::label("a", kit::Color::white(), kit::Font::caption(), 0.5)));
    EXPECT_NE(hashOf(OverlayType::none()), hashOf(OverlayType::icon("", kit::Color::clear(), 0, 0)));

    // A data set compares and hashes its id, its points and its title.
    const PieDataSet set(slices({1, 2}), "Fruit");
    PieDataSet same = set;
    same.dataPoints[1].colour = kit::Color::green();
    PieDataSet other = set;
    other.legendTitle = "Veg";
    EXPECT_EQ(hashOf(same), hashOf(set));
    EXPECT_EQ((std::unordered_set<PieDataSet>{set, same, other, PieDataSet(set.dataPoints, "Fruit")}.size()), 3u);
}

TEST(PieChartData, ConstructionComputesWedgesFromTheTopAndOneLegendEntryPerDescribedSlice)
{
    std::vector<PieChartDataPoint> points = slices({1, 1, 2});
    points[1].description.reset();
    const auto data = pieData(points);
    const auto& p = data->dataSets->dataPoints;
    const double expected[][2] = {{-pi / 2, pi / 2}, {0, pi / 2}, {pi / 2, pi}};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_DOUBLE_EQ(p[i].startAngle, expected[i][0]);
        EXPECT_DOUBLE_EQ(p[i].amount, expected[i][1]);
    }
    auto entry = [&](int i) {
        return LegendData(p[i].id, p[i].description.value(), ColourStyle(sliceColour(i)), std::nullopt, 1,
                          ChartType::pie);
    };
    EXPECT_EQ(*data->legends, (std::vector{entry(0), entry(2)}));
    EXPECT_EQ(data->chartType, (ChartKind{ChartType::pie, DataSetType::single}));
    EXPECT_FALSE(data->touchPointLocation(*data->dataSets, {100, 0}, chart));
    EXPECT_TRUE(data->touchMarkerView({100, 0}, chart).isEmptyView());

    // Setting up again appends, one announcement per entry; the angles take two per slice.
    Announcements announcements(*data);
    data->setUpLegends();
    EXPECT_EQ(announcements.count, 2);
    EXPECT_EQ(data->legends->size(), 4u);
    data->computeSegmentAngles();
    EXPECT_EQ(announcements.count, 2 + 6);

    const auto single = pieData(slices({42}));
    EXPECT_DOUBLE_EQ(single->dataSets->dataPoints[0].startAngle, -pi / 2);
    EXPECT_DOUBLE_EQ(single->dataSets->dataPoints[0].amount, 2 * pi);

    // A later data set keeps the angles it carries, and the legend stays.
    PieChartDataPoint added = slices({9})[0];
    added.startAngle = 0.25;
    data->dataSets = PieDataSet({added}, "Other");
    EXPECT_EQ(data->dataSets->dataPoints[0].startAngle, 0.25);
    EXPECT_EQ(data->dataSets->dataPoints[0].amount, 0);
    EXPECT_EQ(data->legends->size(), 4u);
}

// The index of the slice a touch at `p` selects, or -1.
int touchedIndex(PieChartData& data, kit::Point p)
{
    data.infoView.modify([](auto& info) { info.touchOverlayInfo.clear(); });
    data.beginTouch(p, chart);
    const auto& points = data.dataSets->dataPoints;
    for (std::size_t i = 0; i < points.size() && !data.infoView->touchOverlayInfo.empty(); ++i)
        if (points[i] == data.infoView->touchOverlayInfo.front())
            return int(i);
    return -1;
}

TEST(PieChartData, TheTouchDirectionSelectsTheWedgeAndBoundariesGoToTheEarlierSlice)
{
    const auto quarters = pieData(slices({1, 1, 1, 1}));
    const std::pair<kit::Point, int> cases[] = {
        {{100, 10}, 0},                    // straight up: −90
        {{150, 60}, 0},   {{190, 100}, 0}, // straight right: 0, the boundary
        {{150, 140}, 1},  {{100, 190}, 1}, // straight down: 90
        {{60, 140}, 2},   {{10, 100}, 2},  // straight left: 180
        {{60, 60}, 3},    {{100, 100}, 1}, // the centre points straight down
        {{900, -700}, 0},                  // outside the pie: the direction alone counts
    };
    for (const auto& [p, index] : cases)
        EXPECT_EQ(touchedIndex(*quarters, p), index) << p.x << ", " << p.y;
    const auto two = pieData(slices({3, 1}));
    EXPECT_EQ(touchedIndex(*two, {99, 10}), 1) << "just left of straight up: just below 270";
    EXPECT_EQ(touchedIndex(*two, {60, 140}), 0);
    const auto single = pieData(slices({5}));
    for (kit::Point p : {kit::Point{100, 0}, {200, 100}, {0, 100}, {99.9, 0}, {100, 100}})
        EXPECT_EQ(touchedIndex(*single, p), 0) << p.x << ", " << p.y;
}

TEST(PieChartData, ATouchTagsTheSliceReplacesTheTouchedPointsAndSendsIt)
{
    const auto data = pieData(slices({1, 1}));
    std::vector<PieChartDataPoint> sent;
    const auto subscription =
        data->touchedDataPointPublisher.sink([&](const PieChartDataPoint& p) { sent.push_back(p); });
    Announcements announcements(*data);
    data->beginTouch({50, 150}, chart);
    EXPECT_EQ(announcements.count, 5) << "three writes of the touch, the tag, the touched points";
    data->beginTouch({50, 160}, chart);
    ASSERT_EQ(data->infoView->touchOverlayInfo.size(), 1u);
    EXPECT_EQ(data->infoView->touchOverlayInfo[0].id, data->dataSets->dataPoints[1].id);
    EXPECT_EQ(data->infoView->touchOverlayInfo[0].legendTag, "Languages");
    EXPECT_EQ(data->dataSets->dataPoints[1].legendTag, "Languages");
    EXPECT_EQ(data->dataSets->dataPoints[0].legendTag, "");
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[1].legendTag, "Languages");

    // The legend entry of the first touched slice is emphasised while the touch lasts.
    const auto& legends = *data->legends;
    EXPECT_TRUE(data->isPieLegendTouched(legends[1]));
    EXPECT_FALSE(data->isPieLegendTouched(legends[0]) || data->isBarLegendTouched(legends[1]));
    data->infoView.modify([](auto& info) { info.isTouchCurrent = false; });
    EXPECT_FALSE(data->isPieLegendTouched(legends[1]));
}

TEST(PieChartData, WithoutSlicesOrWithValuesSummingToZeroNoTouchFindsAnything)
{
    const auto empty = pieData({});
    EXPECT_FALSE(empty->hasData());
    EXPECT_TRUE(empty->legends->empty());
    int sent = 0;
    const auto subscription = empty->touchedDataPointPublisher.sink([&](const PieChartDataPoint&) { ++sent; });
    empty->beginTouch({20, 30}, chart);
    EXPECT_TRUE(empty->infoView->isTouchCurrent);
    EXPECT_EQ(empty->infoView->touchLocation, (kit::Point{20, 30}));
    EXPECT_EQ(empty->infoView->chartSize, chart);
    EXPECT_TRUE(empty->infoView->touchOverlayInfo.empty());
    EXPECT_EQ(sent, 0);

    const auto zero = pieData(slices({0, 0}));
    const auto& points = zero->dataSets->dataPoints;
    EXPECT_DOUBLE_EQ(points[0].startAngle, -pi / 2);
    EXPECT_TRUE(std::isnan(points[0].amount) && std::isnan(points[1].startAngle));
    EXPECT_TRUE(zero->hasData());
    for (kit::Point p : {kit::Point{100, 0}, {200, 100}, {100, 100}})
        EXPECT_EQ(touchedIndex(*zero, p), -1);
}

TEST(DoughnutChartData, SharesThePieBehaviourWithItsOwnStyle)
{
    const auto data = doughnutData(slices({1, 3}), 40);
    EXPECT_EQ(data->chartType, (ChartKind{ChartType::pie, DataSetType::single}));
    EXPECT_EQ(data->chartStyle->strokeWidth, 40);
    EXPECT_EQ(data->legends->at(1).chartType, ChartType::pie);
    EXPECT_DOUBLE_EQ(data->dataSets->dataPoints[1].amount, 1.5 * pi);
    data->beginTouch({101, 99}, chart); // inside the hole
    EXPECT_EQ(data->infoView->touchOverlayInfo.at(0).id, data->dataSets->dataPoints[0].id);
}

} // namespace
