#include "charts/core/DataFunctions.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace charts;

// Minimal data points and sets of the kinds the bar and line families define.
struct PointBase {
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

template <class Point>
struct Set {
    using DataPoint = Point;
    kit::UUID id;
    std::vector<Point> dataPoints;
    friend bool operator==(const Set&, const Set&) = default;
};

struct LineStyle {
    bool ignoreZero = false;
};

struct LineSet {
    using DataPoint = ValuePoint;
    kit::UUID id;
    std::vector<ValuePoint> dataPoints;
    LineStyle style;
    friend bool operator==(const LineSet& a, const LineSet& b) { return a.id == b.id; }
};

template <class Inner>
struct MultiSet {
    using DataSet = Inner;
    kit::UUID id;
    std::vector<Inner> dataSets;
    friend bool operator==(const MultiSet&, const MultiSet&) = default;
};

using BarSet = Set<ValuePoint>;
using RangeSet = Set<RangePoint>;

BarSet bars(std::vector<double> values)
{
    BarSet set;
    for (double v : values)
        set.dataPoints.emplace_back(v);
    return set;
}

LineSet line(std::vector<double> values, bool ignoreZero)
{
    LineSet set;
    for (double v : values)
        set.dataPoints.emplace_back(v);
    set.style.ignoreZero = ignoreZero;
    return set;
}

} // namespace

template <class T>
struct std::hash<Set<T>> {
    std::size_t operator()(const Set<T>& s) const { return std::hash<kit::UUID>{}(s.id); }
};
template <>
struct std::hash<ValuePoint> {
    std::size_t operator()(const ValuePoint& p) const { return std::hash<kit::UUID>{}(p.id); }
};
template <>
struct std::hash<RangePoint> {
    std::size_t operator()(const RangePoint& p) const { return std::hash<kit::UUID>{}(p.id); }
};
template <>
struct std::hash<LineSet> {
    std::size_t operator()(const LineSet& s) const { return std::hash<kit::UUID>{}(s.id); }
};
template <class T>
struct std::hash<MultiSet<T>> {
    std::size_t operator()(const MultiSet<T>& s) const { return std::hash<kit::UUID>{}(s.id); }
};

namespace {

TEST(DataFunctions, SingleSetsOfValues)
{
    static_assert(StandardDataSet<BarSet> && !RangedDataSet<BarSet> && IgnoreZeroDataSet<LineSet>);
    const BarSet set = bars({3, 7, 7, 1});
    EXPECT_EQ(largestValueOf(set), 7);
    EXPECT_EQ(smallestValueOf(set), 1);
    EXPECT_EQ(averageValueOf(set), 4.5);

    const BarSet empty = bars({});
    EXPECT_EQ(largestValueOf(empty), 0);
    EXPECT_EQ(smallestValueOf(empty), 0);
    EXPECT_TRUE(std::isnan(averageValueOf(empty)));

    EXPECT_FALSE(std::signbit(*setSmallestValue(bars({0.0, -0.0}))));
    EXPECT_FALSE(setHasSeveralPoints(bars({1})));
    EXPECT_TRUE(setHasPoints(bars({1})));
}

TEST(DataFunctions, LinesMayLeaveOutZerosFromTheirSmallestValue)
{
    EXPECT_EQ(smallestValueOf(line({0, 5, 2}, true)), 2);
    EXPECT_EQ(smallestValueOf(line({0, 5, 2}, false)), 0);
    EXPECT_EQ(averageValueOf(line({0, 5, 1}, true)), 2);
    EXPECT_FALSE(setSmallestValueIgnoringZero(line({0, 0}, true)));
    EXPECT_EQ(setSmallestValueIgnoringZero(line({0, 3, 2}, true)), 2);
    EXPECT_EQ(setSmallestValueIgnoringZero(line({0, 3}, false)), 0);
    EXPECT_EQ(smallestValueOf(line({0, 0}, true)), 0);
}

TEST(DataFunctions, RangedSetsUseUpperAndLowerValues)
{
    RangeSet set;
    set.dataPoints = {RangePoint(2, 5), RangePoint(-1, 9), RangePoint(4, 6)};
    EXPECT_EQ(largestValueOf(set), 9);
    EXPECT_EQ(smallestValueOf(set), -1);
    EXPECT_EQ(averageValueOf(set), (3 + 10 + 2) / 3.0);
    EXPECT_EQ(spanSum(RangeSet{}), 0);
    EXPECT_TRUE(std::isnan(averageValueOf(RangeSet{})));
}

TEST(DataFunctions, SetsOfSetsSkipEmptyInnerSets)
{
    MultiSet<BarSet> groups;
    groups.dataSets = {bars({2, 3}), bars({}), bars({10, -4})};
    EXPECT_EQ(largestValueOf(groups), 10);
    EXPECT_EQ(smallestValueOf(groups), -4);
    // An empty inner set makes the mean of means not a number.
    EXPECT_TRUE(std::isnan(averageValueOf(groups)));
    groups.dataSets.erase(groups.dataSets.begin() + 1);
    EXPECT_EQ(averageValueOf(groups), (2.5 + 3) / 2);

    const MultiSet<BarSet> none;
    EXPECT_EQ(largestValueOf(none), 0);
    EXPECT_EQ(smallestValueOf(none), 0);
    EXPECT_TRUE(std::isnan(averageValueOf(none)));
}

TEST(DataFunctions, SetsOfLinesFallBackToOneHundred)
{
    MultiSet<LineSet> lines;
    EXPECT_EQ(largestValueOf(lines), 0);
    EXPECT_EQ(smallestValueOf(lines), 100);
    lines.dataSets = {line({0, 0}, true), line({0, 8}, true), line({6, 3}, false)};
    EXPECT_EQ(smallestValueOf(lines), 3);
    lines.dataSets.push_back(line({0, 9}, false));
    EXPECT_EQ(smallestValueOf(lines), 0);
    EXPECT_EQ(largestValueOf(lines), 9);
}

} // namespace
