#include "TestChartData.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace charts;

// Minimal data points and sets of the kinds the bar and line families define.
struct PointBase {
    using TestValue = void;
    kit::UUID id;
    std::optional<std::string> description;
    std::optional<kit::Date> date;
    std::string legendTag;
    std::string formattedValue(std::string_view, const NumberFormatterPtr&) const { return {}; }
    friend bool operator==(const PointBase&, const PointBase&) = default;
};
struct ValuePoint : PointBase, CTnotRanged {
    double value = 0;
    ValuePoint(double v) : value(v) {}
    friend bool operator==(const ValuePoint&, const ValuePoint&) = default;
};
struct RangePoint : PointBase, CTisRanged {
    double upperValue = 0;
    double lowerValue = 0;
    RangePoint(double lower, double upper) : upperValue(upper), lowerValue(lower) {}
    friend bool operator==(const RangePoint&, const RangePoint&) = default;
};
struct LineStyle {
    bool ignoreZero = false;
    friend bool operator==(const LineStyle&, const LineStyle&) = default;
};
template <class Point>
struct Set {
    using TestValue = void;
    using DataPoint = Point;
    kit::UUID id;
    std::vector<Point> dataPoints;
    friend bool operator==(const Set&, const Set&) = default;
};
struct LineSet : Set<ValuePoint> {
    LineStyle style;
};
template <class Inner>
struct MultiSet {
    using TestValue = void;
    using DataSet = Inner;
    kit::UUID id;
    std::vector<Inner> dataSets;
    friend bool operator==(const MultiSet&, const MultiSet&) = default;
};

Set<ValuePoint> bars(std::vector<double> values)
{
    return {kit::UUID(), {values.begin(), values.end()}};
}

LineSet line(std::vector<double> values, bool ignoreZero)
{
    LineSet set;
    set.dataPoints = {values.begin(), values.end()};
    set.style.ignoreZero = ignoreZero;
    return set;
}

TEST(DataFunctions, SingleSetsOfValuesAndRanges)
{
    static_assert(StandardDataSet<Set<ValuePoint>> && RangedDataSet<Set<RangePoint>> && IgnoreZeroDataSet<LineSet>);
    const auto set = bars({3, 7, 7, 1});
    EXPECT_EQ(largestValueOf(set), 7);
    EXPECT_EQ(smallestValueOf(set), 1);
    EXPECT_EQ(averageValueOf(set), 4.5);
    EXPECT_EQ(largestValueOf(bars({})), 0);
    EXPECT_EQ(smallestValueOf(bars({})), 0);
    EXPECT_TRUE(std::isnan(averageValueOf(bars({}))));
    EXPECT_FALSE(std::signbit(*setSmallestValue(bars({0.0, -0.0})))) << "ties keep the first";
    EXPECT_FALSE(setHasSeveralPoints(bars({1})));

    Set<RangePoint> ranges{kit::UUID(), {RangePoint(2, 5), RangePoint(-1, 9), RangePoint(4, 6)}};
    EXPECT_EQ(largestValueOf(ranges), 9);
    EXPECT_EQ(smallestValueOf(ranges), -1);
    EXPECT_EQ(averageValueOf(ranges), (3 + 10 + 2) / 3.0);
    EXPECT_TRUE(std::isnan(averageValueOf(Set<RangePoint>{})));
}

TEST(DataFunctions, LinesMayLeaveOutZerosFromTheirSmallestValue)
{
    EXPECT_EQ(smallestValueOf(line({0, 5, 2}, true)), 2);
    EXPECT_EQ(smallestValueOf(line({0, 5, 2}, false)), 0);
    EXPECT_EQ(averageValueOf(line({0, 5, 1}, true)), 2) << "zeros count in the average";
    EXPECT_FALSE(setSmallestValueIgnoringZero(line({0, 0}, true)));
    EXPECT_EQ(smallestValueOf(line({0, 0}, true)), 0);
}

TEST(DataFunctions, SetsOfSetsSkipEmptyInnerSets)
{
    MultiSet<Set<ValuePoint>> groups{kit::UUID(), {bars({2, 3}), bars({}), bars({10, -4})}};
    EXPECT_EQ(largestValueOf(groups), 10);
    EXPECT_EQ(smallestValueOf(groups), -4);
    EXPECT_TRUE(std::isnan(averageValueOf(groups))) << "an empty inner set has no mean";
    groups.dataSets.erase(groups.dataSets.begin() + 1);
    EXPECT_EQ(averageValueOf(groups), (2.5 + 3) / 2);
    const MultiSet<Set<ValuePoint>> none;
    EXPECT_EQ(largestValueOf(none), 0);
    EXPECT_EQ(smallestValueOf(none), 0);
    EXPECT_TRUE(std::isnan(averageValueOf(none)));

    MultiSet<LineSet> lines;
    EXPECT_EQ(smallestValueOf(lines), 100) << "no line yields a value";
    lines.dataSets = {line({0, 0}, true), line({0, 8}, true), line({6, 3}, false)};
    EXPECT_EQ(smallestValueOf(lines), 3);
    lines.dataSets.push_back(line({0, 9}, false));
    EXPECT_EQ(smallestValueOf(lines), 0);
    EXPECT_EQ(largestValueOf(lines), 9);
}

} // namespace
