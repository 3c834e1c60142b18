#include "BarTest.h"

#include "charts/bar/BarDataSetProtocols.h"
#include "charts/core/DataPointTexts.h"

#include <cmath>
#include <functional>
#include <limits>
#include <unordered_set>

namespace {

using namespace charts;
using namespace charts::testing;

static_assert(CTLineBarChartStyle<BarChartStyle> && CTBarStyle<BarStyle>);
static_assert(CTStandardBarDataPoint<BarChartDataPoint> && CTRangedBarDataPoint<RangedBarDataPoint>);
static_assert(CTMultiBarDataPoint<GroupedBarDataPoint> && CTMultiBarDataPoint<StackedBarDataPoint>);
static_assert(!CTStandardBarDataPoint<GroupedBarDataPoint> && !CTMultiBarDataPoint<BarChartDataPoint>);
static_assert(CTStandardBarChartDataSet<BarDataSet> && CTRangedBarChartDataSet<RangedBarDataSet>);
static_assert(!CTRangedBarChartDataSet<BarDataSet>);
static_assert(CTMultiBarChartDataSet<GroupedBarDataSet> && CTMultiBarChartDataSet<StackedBarDataSet>);
static_assert(CTMultiDataSetProtocol<GroupedBarDataSets> && CTMultiDataSetProtocol<StackedBarDataSets>);
static_assert(DataFunctionsProtocol<BarDataSet> && DataFunctionsProtocol<RangedBarDataSet> &&
              DataFunctionsProtocol<GroupedBarDataSets> && DataFunctionsProtocol<StackedBarDataSets>);

const double nan = std::numeric_limits<double>::quiet_NaN();

// Gives no text for any value.
struct Silent : kit::NumberFormatter {
    std::optional<std::string> string(double) const override { return std::nullopt; }
};

// Each change makes a copy of `value` unequal to it; a copy is equal and hashes alike.
template <class T>
void expectEveryFieldCounts(const T& value, std::initializer_list<std::function<void(T&)>> changes)
{
    const T copy = value;
    EXPECT_EQ(copy, value);
    EXPECT_EQ(hashOf(copy), hashOf(value));
    int i = 0;
    for (const auto& change : changes) {
        T changed = value;
        change(changed);
        EXPECT_NE(changed, value) << "change " << i++;
    }
}

TEST(BarStyles, StylesCompareAndHashEveryFieldWithBothZerosAlike)
{
    const BarStyle style(0.5, 1, 2, 3, 4, ColourFrom::barStyle, ColourStyle(kit::Color::red()));
    expectEveryFieldCounts<BarStyle>(style, {[](BarStyle& s) { s.barWidth = 0.6; },
                                             [](BarStyle& s) { s.cornerRadius.topLeft = 0; },
                                             [](BarStyle& s) { s.cornerRadius.topRight = 0; },
                                             [](BarStyle& s) { s.cornerRadius.bottomLeft = 0; },
                                             [](BarStyle& s) { s.cornerRadius.bottomRight = 5; },
                                             [](BarStyle& s) { s.colourFrom = ColourFrom::dataPoints; },
                                             [](BarStyle& s) { s.colour = ColourStyle(kit::Color::blue()); }});
    const BarStyle zero(0.5, 0, 0, 0, 0.0, ColourFrom::barStyle, ColourStyle(kit::Color::red()));
    const BarStyle negativeZero(0.5, 0, 0, 0, -0.0, ColourFrom::barStyle, ColourStyle(kit::Color::red()));
    EXPECT_EQ(zero, negativeZero);
    EXPECT_EQ(hashOf(zero), hashOf(negativeZero));
    EXPECT_EQ(hashOf(CornerRadius{-0.0, 0, 0, 0}), hashOf(CornerRadius{}));
    EXPECT_NE(hashOf(CornerRadius{1, 0, 0, 0}), hashOf(CornerRadius{0, 1, 0, 0})) << "the order counts";

    BarChartStyle chartStyle = barChartStyle();
    EXPECT_FALSE(chartStyle.xAxisBorderColour || chartStyle.yAxisBorderColour);
    chartStyle.xAxisBorderColour = kit::Color::red();
    EXPECT_EQ(chartStyle.xAxisBorderColour, kit::Color::red());

    EXPECT_EQ(BarMarkerType::none().marker(), nullptr);
    const BarMarkerType corner = BarMarkerType::topTrailing(kit::Color::green(), kit::StrokeStyle{.lineWidth = 3});
    ASSERT_NE(corner.marker(), nullptr);
    EXPECT_EQ(corner.marker()->colour, kit::Color::green());
    EXPECT_EQ(corner.marker()->style.lineWidth, 3);
}

TEST(BarDataPoints, PointsCompareAndHashEveryFieldIdIncluded)
{
    const BarChartDataPoint bar(4, "Jan", "January", kit::Date{5}, ColourStyle(kit::Color::red()));
    EXPECT_NE(bar, BarChartDataPoint(4, "Jan", "January", kit::Date{5}, ColourStyle(kit::Color::red())))
        << "a fresh id";
    expectEveryFieldCounts<BarChartDataPoint>(
        bar, {[](auto& p) { p.id = kit::UUID(); }, [](auto& p) { p.value = 5; }, [](auto& p) { p.xAxisLabel.reset(); },
              [](auto& p) { p.description = "Feb"; }, [](auto& p) { p.date.reset(); },
              [](auto& p) { p.colour = ColourStyle(kit::Color::blue()); }, [](auto& p) { p.legendTag = "Sales"; }});

    const GroupingData group("North", ColourStyle(kit::Color::red()));
    const GroupedBarDataPoint grouped(3, "Three", std::nullopt, group);
    expectEveryFieldCounts<GroupedBarDataPoint>(grouped,
                                                {[](auto& p) { p.value = 2; }, [](auto& p) { p.xAxisLabel = "x"; },
                                                 [](auto& p) { p.group.colour = ColourStyle(kit::Color::blue()); },
                                                 [](auto& p) { p.group.title = "South"; },
                                                 [](auto& p) { p.legendTag = "x"; }});
    expectEveryFieldCounts<StackedBarDataPoint>(StackedBarDataPoint(3, std::nullopt, kit::Date{1}, group),
                                                {[](auto& p) { p.date = kit::Date{2}; },
                                                 [](auto& p) { p.description = ""; }});

    RangedBarDataPoint ranged(2, 5, "Q1", "First", std::nullopt, ColourStyle(kit::Color::red()));
    expectEveryFieldCounts<RangedBarDataPoint>(ranged,
                                               {[](auto& p) { p.upperValue = 6; }, [](auto& p) { p.lowerValue = 1; },
                                                [](auto& p) { p._value = 1; }, [](auto& p) { p._valueOnly = true; }});
    expectEveryFieldCounts<GroupingData>(group, {[](auto& g) { g.title = ""; }, [](auto& g) { g.id = kit::UUID(); }});

    // Both zeros hash alike; a value that is not a number equals nothing, itself included.
    BarChartDataPoint zero = bar;
    zero.value = 0;
    BarChartDataPoint negativeZero = zero;
    negativeZero.value = -0.0;
    EXPECT_EQ(zero, negativeZero);
    EXPECT_EQ(hashOf(zero), hashOf(negativeZero));
    BarChartDataPoint notANumber = bar;
    notANumber.value = nan;
    EXPECT_NE(notANumber, notANumber);
    EXPECT_EQ((std::unordered_set<BarChartDataPoint>{bar, bar, zero}.size()), 2u);
}

TEST(BarDataPoints, MadePointsStartUntaggedAndShowTheirValues)
{
    const GroupingData group("North", ColourStyle(kit::Color::red()));
    const GroupedBarDataPoint grouped(3, "Three", std::nullopt, group);
    const StackedBarDataPoint stacked(3, "Three", std::nullopt, group);
    const RangedBarDataPoint ranged(2, 5, "Q1", "First", std::nullopt, ColourStyle(kit::Color::red()));
    const BarChartDataPoint bar(4.5, "Jan", std::nullopt, std::nullopt, ColourStyle(kit::Color::red()));
    EXPECT_EQ(bar.legendTag + grouped.legendTag + stacked.legendTag + ranged.legendTag, "");
    EXPECT_FALSE(grouped.xAxisLabel || stacked.xAxisLabel);
    EXPECT_EQ(grouped.group, group) << "a copy of the group";
    EXPECT_EQ(ranged.lowerValue, 2);
    EXPECT_EQ(ranged.upperValue, 5);
    EXPECT_EQ(ranged._value, 0);
    EXPECT_FALSE(ranged._valueOnly);

    const NumberFormatterPtr silent = std::make_shared<Silent>();
    const NumberFormatterPtr decimal = std::make_shared<kit::NumberFormatter>(kit::NumberFormatter::Style::decimal);
    RangedBarDataPoint valueOnly = ranged;
    valueOnly._value = 7.25;
    valueOnly._valueOnly = true;
    const std::tuple<std::string, std::string, std::string> cases[] = {
        // value text, expected, what
        {bar.formattedValue("%.1f", nullptr), "4.5", "a value by the specifier"},
        {bar.formattedValue("%.1f", silent), "", "a formatter without a text"},
        {grouped.formattedValue("%.0f", nullptr), "3", "a grouped bar"},
        {stacked.formattedValue("%.0f", decimal), "3", "a segment by the formatter"},
        {ranged.formattedValue("%.0f", nullptr), "2-5", "lower, dash, upper"},
        {ranged.formattedValue("%.0f", silent), "-", "a range without formatter texts"},
        {valueOnly.formattedValue("%.2f", nullptr), "7.25", "one value alone"},
        {valueOnly.formattedValue("%.2f", decimal), "2-5", "a formatter shows the range"},
    };
    for (const auto& [actual, expected, what] : cases)
        EXPECT_EQ(actual, expected) << what;
    EXPECT_EQ(accessibilityValueString(ranged, "%.0f", nullptr), "2-5 First");
}

struct FunctionsCase {
    const char* name;
    double largest, smallest, average; // NaN: not a number expected
    double actualLargest, actualSmallest, actualAverage;
};

TEST(BarDataSets, EachSetAnswersItsLargestSmallestAndAverageValue)
{
    const auto groups = threeGroups();
    auto functions = [](const auto& set) {
        return std::tuple{set.largestValue(), set.smallestValue(), set.averageValue()};
    };
    auto row = [&](const char* name, double l, double s, double a, const auto& set) {
        const auto [al, as, aa] = functions(set);
        return FunctionsCase{name, l, s, a, al, as, aa};
    };
    const FunctionsCase cases[] = {
        row("empty bars", 0, 0, nan, BarDataSet({}, "")),
        row("bars 3, -1, 7", 7, -1, 3, BarDataSet(bars({3, -1, 7}), "")),
        row("ranges 1-4, 2-10", 10, 1, 5.5, RangedBarDataSet(ranges({{1, 4}, {2, 10}}), "")),
        row("empty ranges", 0, 0, nan, RangedBarDataSet({}, "")),
        row("stacks (2, 3), (10)", 10, 2, 6.25, multiSets<StackedBarDataSets>({{2, 3}, {10}}, groups)),
        row("stacks (-5), ()", 0, -5, nan, multiSets<StackedBarDataSets>({{-5}, {}}, groups)),
        row("no stacks", 0, 0, nan, multiSets<StackedBarDataSets>({}, groups)),
        row("clusters (1, 5), (), (3)", 5, 1, nan, multiSets<GroupedBarDataSets>({{1, 5}, {}, {3}}, groups)),
        row("clusters (1, 2, 3), (10)", 10, 1, 6, multiSets<GroupedBarDataSets>({{1, 2, 3}, {10}}, groups)),
        row("no clusters", 0, 0, nan, multiSets<GroupedBarDataSets>({}, groups)),
    };
    auto same = [](double expected, double actual) {
        return std::isnan(expected) ? std::isnan(actual) : expected == actual;
    };
    for (const FunctionsCase& c : cases) {
        EXPECT_TRUE(same(c.largest, c.actualLargest)) << c.name << ": largest " << c.actualLargest;
        EXPECT_TRUE(same(c.smallest, c.actualSmallest)) << c.name << ": smallest " << c.actualSmallest;
        EXPECT_TRUE(same(c.average, c.actualAverage)) << c.name << ": average " << c.actualAverage;
    }
    const StackedBarDataSets stacks = multiSets<StackedBarDataSets>({{2, 3}, {}}, groups);
    EXPECT_EQ(stacks.dataSets[0].totalValue(), 5);
    EXPECT_EQ(stacks.dataSets[1].totalValue(), 0);
}

TEST(BarDataSets, SetsCompareTheirIdsPointsAndTitles)
{
    const std::vector<BarChartDataPoint> points = bars({1, 2});
    const BarDataSet set(points, "Sales");
    EXPECT_NE(set, BarDataSet(points, "Sales")) << "a fresh id";
    expectEveryFieldCounts<BarDataSet>(set,
                                       {[](auto& s) { s.dataPoints[1].legendTag = "Sales"; },
                                        [](auto& s) { s.dataPoints.pop_back(); }, [](auto& s) { s.legendTitle = ""; }});
    const auto groups = threeGroups();
    const auto clusters = multiSets<GroupedBarDataSets>({{1, 2}, {3}}, groups);
    expectEveryFieldCounts<GroupedBarDataSets>(clusters, {[](auto& s) { s.dataSets[1].setTitle = "x"; },
                                                          [](auto& s) { s.dataSets[0].dataPoints[0].value = 9; },
                                                          [](auto& s) { s.dataSets.clear(); }});
    expectEveryFieldCounts<StackedBarDataSets>(multiSets<StackedBarDataSets>({{1}}, groups),
                                               {[](auto& s) { s.dataSets[0].dataPoints[0].legendTag = "x"; }});
    expectEveryFieldCounts<RangedBarDataSet>(RangedBarDataSet(ranges({{1, 2}}), "R"),
                                             {[](auto& s) { s.dataPoints[0].lowerValue = 0; }});
}

} // namespace
