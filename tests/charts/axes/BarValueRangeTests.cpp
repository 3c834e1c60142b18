#include "tests/charts/bar/BarTest.h"

#include <cmath>
#include <functional>
#include <limits>

namespace {

using namespace charts;
using namespace charts::testing;

const double nan = std::numeric_limits<double>::quiet_NaN();

struct Range {
    double min, max, range, average;
};

// Reads the four values of GetDataProtocol.
template <class Chart>
Range rangeOf(const Chart& chart)
{
    return {chart.minValue(), chart.maxValue(), chart.range(), chart.average()};
}

struct RowCase {
    const char* name;
    Baseline baseline;
    Topline topLine;
    Range expected;
};

// Makes a chart of the row's data with the given ends and reads its values.
using Row = std::function<Range(Baseline, Topline)>;

void expectRow(const char* row, const Row& make, const std::vector<RowCase>& cases)
{
    auto same = [](double expected, double actual) {
        return std::isnan(expected) ? std::isnan(actual) : expected == actual;
    };
    for (const RowCase& c : cases) {
        const Range actual = make(c.baseline, c.topLine);
        EXPECT_EQ(actual.min, c.expected.min) << row << ", " << c.name;
        EXPECT_EQ(actual.max, c.expected.max) << row << ", " << c.name;
        EXPECT_EQ(actual.range, c.expected.range) << row << ", " << c.name;
        EXPECT_TRUE(same(c.expected.average, actual.average)) << row << ", " << c.name << ": " << actual.average;
    }
}

const Baseline minimum = Baseline::minimumValue();
const Topline maximum = Topline::maximumValue();

TEST(BarValueRange, StandardAndHorizontalBarsRangeOverTheirValues)
{
    // Values 3, 7, 5; average 5.
    const std::vector<RowCase> cases{
        {"data ends", minimum, maximum, {3, 7, 4, 5}},
        {"zero", Baseline::zero(), maximum, {0, 7, 7, 5}},
        {"a given minimum above the data", Baseline::minimumWithMaximum(4), maximum, {3, 7, 4, 5}},
        {"a given minimum below the data", Baseline::minimumWithMaximum(2), maximum, {2, 7, 5, 5}},
        {"a given maximum above the data", minimum, Topline::maximum(10), {3, 10, 7, 5}},
        {"a given maximum below the data", minimum, Topline::maximum(6), {3, 7, 4, 5}},
    };
    expectRow(
        "standard",
        [](Baseline b, Topline t) {
            return rangeOf(*barData({3, 7, 5}, barChartStyle(b, t)));
        },
        cases);
    expectRow(
        "horizontal",
        [](Baseline b, Topline t) {
            return rangeOf(*horizontalData({3, 7, 5}, barChartStyle(b, t)));
        },
        cases);
}

TEST(BarValueRange, GroupedBarsRangeOverEveryBarAndAverageTheClustersMeans)
{
    // Clusters (1, 2, 3) and (10): average (2 + 10) / 2, not 16 / 4.
    expectRow("grouped",
              [](Baseline b, Topline t) {
                  return rangeOf(*groupedData({{1, 2, 3}, {10}}, barChartStyle(b, t)));
              },
              {{"data ends", minimum, maximum, {1, 10, 9, 6}},
               {"zero", Baseline::zero(), maximum, {0, 10, 10, 6}},
               {"a given maximum above the data", minimum, Topline::maximum(20), {1, 20, 19, 6}},
               {"a given minimum below the data", Baseline::minimumWithMaximum(-5), maximum, {-5, 10, 15, 6}}});
}

TEST(BarValueRange, StackedBarsRangeFromTheSmallestSegmentToTheLargestColumnTotal)
{
    expectRow("stacked (2, 3), (6)",
              [](Baseline b, Topline t) {
                  return rangeOf(*stackedData({{2, 3}, {6}}, barChartStyle(b, t)));
              },
              {{"data ends", minimum, maximum, {2, 6, 4, 4.25}}, {"zero", Baseline::zero(), maximum, {0, 6, 6, 4.25}}});
    expectRow("stacked (4, 4), (6)",
              [](Baseline b, Topline t) {
                  return rangeOf(*stackedData({{4, 4}, {6}}, barChartStyle(b, t)));
              },
              {{"data ends", minimum, maximum, {4, 8, 4, 5}},
               {"a given maximum below the total", minimum, Topline::maximum(7), {4, 8, 4, 5}},
               {"a given maximum above the total", minimum, Topline::maximum(9), {4, 9, 5, 5}},
               {"a given minimum below the data", Baseline::minimumWithMaximum(1), maximum, {1, 8, 7, 5}}});
    EXPECT_EQ(stackedData({{4, 4}, {6}})->maxValue(), highestChartValue(*stackedData({{4, 4}, {6}})));
}

TEST(BarValueRange, RangedBarsRangeFromTheLowestLowerToTheHighestUpperValue)
{
    // One bar from 2 to 8: its average is its midpoint.
    expectRow("ranged",
              [](Baseline b, Topline t) {
                  return rangeOf(*rangedData({{2, 8}}, barChartStyle(b, t)));
              },
              {{"data ends", minimum, maximum, {2, 8, 6, 5}},
               {"zero", Baseline::zero(), maximum, {0, 8, 8, 5}},
               {"a given minimum below the data", Baseline::minimumWithMaximum(1), maximum, {1, 8, 7, 5}},
               {"a given maximum above the data", minimum, Topline::maximum(10), {2, 10, 8, 5}}});
    const auto chart = rangedData({{2, 8}});
    EXPECT_EQ(lowestChartValue(*chart), 2);
    EXPECT_EQ(chartValueRange(*chart), 6);
}

TEST(BarValueRange, ChartsWithoutDataRangeFromZeroToZeroAndHaveNoAverage)
{
    const Range empty{0, 0, 0, nan};
    const std::vector<RowCase> cases{{"data ends", minimum, maximum, empty}};
    expectRow(
        "standard", [](Baseline b, Topline t) { return rangeOf(*barData({}, barChartStyle(b, t))); }, cases);
    expectRow(
        "horizontal", [](Baseline b, Topline t) { return rangeOf(*horizontalData({}, barChartStyle(b, t))); }, cases);
    expectRow(
        "grouped", [](Baseline b, Topline t) { return rangeOf(*groupedData({}, barChartStyle(b, t))); }, cases);
    expectRow(
        "stacked", [](Baseline b, Topline t) { return rangeOf(*stackedData({}, barChartStyle(b, t))); }, cases);
    expectRow(
        "ranged", [](Baseline b, Topline t) { return rangeOf(*rangedData({}, barChartStyle(b, t))); }, cases);

    // Every read sees the current style and data.
    const auto chart = barData({});
    chart->chartStyle.modify([](BarChartStyle& style) { style.topLine = Topline::maximum(50); });
    EXPECT_EQ(chart->range(), 50);
    chart->dataSets = BarDataSet(bars({60}), "More");
    EXPECT_EQ(chart->range(), 0) << "from 60 to 60";
}

} // namespace

namespace {

TEST(BarValueRange, TheEndsFollowEveryWriteToTheDataSetsAndTheStyle)
{
    // Asked after each write, in turn, on one chart of values 3, 7, 5.
    auto chart = barData({3, 7, 5}, barChartStyle(minimum, maximum));
    struct Step {
        const char* write;
        std::function<void(BarChartData&)> apply;
        double min, max, range;
    };
    const std::vector<Step> steps{
        {"nothing yet", [](BarChartData&) {}, 3, 7, 4},
        {"asked again", [](BarChartData&) {}, 3, 7, 4},
        {"the middle value to 9",
         [](BarChartData& c) { c.dataSets.modify([](BarDataSet& s) { s.dataPoints[1].value = 9; }); }, 3, 9, 6},
        {"the first value to -1",
         [](BarChartData& c) { c.dataSets.modify([](BarDataSet& s) { s.dataPoints[0].value = -1; }); }, -1, 9, 10},
        {"a zero baseline",
         [](BarChartData& c) { c.chartStyle.modify([](auto& s) { s.baseline = Baseline::zero(); }); }, 0, 9, 9},
        {"a top line of 12",
         [](BarChartData& c) { c.chartStyle.modify([](auto& s) { s.topLine = Topline::maximum(12); }); }, 0, 12, 12},
        {"values 20 and 30",
         [](BarChartData& c) {
             c.dataSets.modify([](BarDataSet& s) {
                 s.dataPoints.erase(s.dataPoints.begin() + 2);
                 s.dataPoints[0].value = 20;
                 s.dataPoints[1].value = 30;
             });
         },
         0, 30, 30},
    };
    for (const Step& step : steps) {
        step.apply(*chart);
        EXPECT_EQ(chart->minValue(), step.min) << step.write;
        EXPECT_EQ(chart->maxValue(), step.max) << step.write;
        EXPECT_EQ(chart->range(), step.range) << step.write;
    }
}

} // namespace
