#include "LineTest.h"

#include "charts/line/LineSubViews.h"
#include "kit/base/NumberFormatter.h"

#include <cmath>
#include <limits>

namespace {

using namespace charts;
using namespace charts::testing;

constexpr double nan = std::numeric_limits<double>::quiet_NaN();

TEST(LineDataPoints, ValueTextsFollowTheFormatterTheSpecifierAndTheMarks)
{
    const auto formatter = std::make_shared<kit::NumberFormatter>();
    LineChartDataPoint point(12.5);
    EXPECT_FALSE(point.ignoreMe);
    EXPECT_EQ(point.legendTag, "");
    // printf rounds half to even on the exact binary value.
    EXPECT_EQ(point.formattedValue("%.0f", nullptr), "12");
    EXPECT_EQ(point.formattedValue("%.2f", nullptr), "12.50");
    point.ignoreMe = true;
    EXPECT_EQ(point.formattedValue("%.0f", nullptr), "");
    EXPECT_EQ(point.formattedValue("%.0f", formatter), formatter->string(12.5).value_or(""));

    RangedLineChartDataPoint band(5, 8, 2);
    EXPECT_FALSE(band._valueOnly);
    struct Case {
        double value, upper, lower;
        bool valueOnly;
        const char* specifier;
        std::string expected;
    };
    const Case cases[] = {
        {5, 8, 2, false, "%.0f", "2-8"},     {5, 8, 2, true, "%.0f", "5"},
        {0.5, 4, -3, false, "%.0f", "-3-4"}, {2.5, 1.25, 0.125, false, "%.1f", "0.1-1.2"},
        {5, 8, 2, false, "%d", "2-8"}, // not a floating conversion: "%.0f"
    };
    for (const Case& c : cases) {
        RangedLineChartDataPoint p(c.value, c.upper, c.lower);
        p._valueOnly = c.valueOnly;
        p.ignoreMe = true;
        EXPECT_EQ(p.formattedValue(c.specifier, nullptr), c.expected) << c.specifier;
    }
    EXPECT_EQ(band.formattedValue("%.0f", formatter), formatter->string(5).value_or(""));
}

TEST(LineDataPoints, EqualityAndHashingCoverEveryField)
{
    const LineChartDataPoint point(3, "Mon", "Monday", std::nullopt,
                                   PointColour{kit::Color::red(), kit::Color::blue()});
    EXPECT_NE(point, LineChartDataPoint(3, "Mon", "Monday", std::nullopt, point.pointColour));
    LineChartDataPoint copy = point;
    EXPECT_EQ(copy, point);
    EXPECT_EQ(std::hash<LineChartDataPoint>{}(copy), std::hash<LineChartDataPoint>{}(point));
    copy.legendTag = "Line";
    EXPECT_NE(copy, point);
    copy = point;
    copy.ignoreMe = true;
    EXPECT_NE(copy, point);
    EXPECT_NE(std::hash<LineChartDataPoint>{}(copy), std::hash<LineChartDataPoint>{}(point));

    const RangedLineChartDataPoint band(5, 8, 2);
    RangedLineChartDataPoint valueOnly = band;
    valueOnly._valueOnly = true;
    EXPECT_NE(valueOnly, band);
    EXPECT_NE(std::hash<RangedLineChartDataPoint>{}(valueOnly), std::hash<RangedLineChartDataPoint>{}(band));
}

TEST(LineStyles, StylesCompareByEveryFieldTheStrokesIdIncluded)
{
    const Stroke a(2, kit::LineCap::round, kit::LineJoin::round, 10, {}, 0);
    const Stroke b(2, kit::LineCap::round, kit::LineJoin::round, 10, {}, 0);
    const LineStyle style(ColourStyle(kit::Color::red()), LineType::line, a, false);
    EXPECT_NE(style, LineStyle(ColourStyle(kit::Color::red()), LineType::line, b, false));
    const LineStyle copy = style;
    EXPECT_EQ(copy, style);
    EXPECT_EQ(std::hash<LineStyle>{}(copy), std::hash<LineStyle>{}(style));

    ColourStyle withoutColour(kit::Color::red());
    withoutColour.colour.reset();
    EXPECT_NE(LineStyle(withoutColour, LineType::line, a, false), style);

    const RangedLineStyle ranged(ColourStyle(kit::Color::red()), ColourStyle(kit::Color::blue()), LineType::line, a,
                                 false);
    const RangedLineStyle swapped(ColourStyle(kit::Color::blue()), ColourStyle(kit::Color::red()), LineType::line, a,
                                  false);
    EXPECT_NE(ranged, swapped);
    EXPECT_NE(std::hash<RangedLineStyle>{}(ranged), std::hash<RangedLineStyle>{}(swapped));

    const PointStyle positive{0.0, kit::Color::red(), kit::Color::blue(), 1, PointType::filled, PointShape::circle};
    const PointStyle negative{-0.0, kit::Color::red(), kit::Color::blue(), 1, PointType::filled, PointShape::circle};
    EXPECT_EQ(positive, negative);
    EXPECT_EQ(std::hash<PointStyle>{}(positive), std::hash<PointStyle>{}(negative));
}

// Largest, smallest and average of each kind of set.
TEST(LineDataSets, DataFunctionsOfEachKindOfSet)
{
    auto line = [](std::vector<double> v, bool ignoreZero) { return lineSet(v, lineStyle(ignoreZero)); };
    auto check = [](const char* what, const auto& set, double largest, double smallest, double average) {
        EXPECT_EQ(set.largestValue(), largest) << what;
        EXPECT_EQ(set.smallestValue(), smallest) << what;
        if constexpr (requires { set.valueEnds(); }) {
            // Both ends read in one pass are the same.
            EXPECT_EQ(set.valueEnds().largest, largest) << what;
            EXPECT_EQ(set.valueEnds().smallest, smallest) << what;
        }
        if (std::isnan(average))
            EXPECT_TRUE(std::isnan(set.averageValue())) << what;
        else
            EXPECT_NEAR(set.averageValue(), average, 1e-12) << what;
    };
    check("empty line", line({}, false), 0, 0, nan);
    check("0, 3, 5", line({0, 3, 5}, false), 5, 0, 8.0 / 3);
    check("0, 3, 5 ignoring zeros", line({0, 3, 5}, true), 5, 3, 8.0 / 3);
    check("zeros ignored", line({0, 0}, true), 0, 0, 0);
    check("-2 below, 7 last", line({3, 0, -2, 7}, false), 7, -2, 2);
    check("ties and zeros ignored", line({0, 4, 0, 2, 4}, true), 4, 2, 2);
    check("sets without points", MultiLineDataSet({line({}, false), line({}, true)}), 0, 100, nan);
    check("no sets", MultiLineDataSet({}), 0, 100, nan);
    check("one empty set", MultiLineDataSet({line({1, 3}, false), line({}, false)}), 3, 1, nan);
    check("mean of means", MultiLineDataSet({line({1, 3}, false), line({10}, false)}), 10, 1, 6);
    check("each set its own zeros", MultiLineDataSet({line({0, 4}, true), line({0, 9}, false)}), 9, 0, 3.25);
    check("ranged", RangedLineDataSet(rangedPoints({{5, 8, 2}, {5, 6, 4}}), "L", "B", pointStyle(), rangedStyle(true)),
          8, 2, 4);
    check("ranged without points", RangedLineDataSet({}, "L", "B", pointStyle(), rangedStyle()), 0, 0, nan);
}

// The value range of the three charts, bound to the shared templates.
TEST(LineValueRange, TheChartsRangeAndMean)
{
    const auto single = lineChart(lineSet({0, 4, 9}, lineStyle(true)));
    EXPECT_EQ(single->minValue(), 4);
    EXPECT_EQ(single->maxValue(), 9);
    EXPECT_EQ(single->range(), 5);
    EXPECT_NEAR(single->average(), 13.0 / 3, 1e-12);
    // Both ends follow the style's baseline and top line: 2 lies below the
    // smallest value 4 and wins; 12 lies above 9 and wins; then the data
    // win where they pass them.
    struct Ends {
        Baseline baseline;
        Topline topLine;
        double lowest, highest;
    };
    for (const Ends& e : {Ends{Baseline::minimumWithMaximum(2), Topline::maximum(12), 2, 12},
                          Ends{Baseline::minimumWithMaximum(6), Topline::maximum(8), 4, 9},
                          Ends{Baseline::zero(), Topline::maximumValue(), 0, 9}}) {
        const auto chart = lineChart(lineSet({0, 4, 9}, lineStyle(true)),
                                     lineChartStyle(LineMarkerType::none(), e.baseline, e.topLine));
        EXPECT_EQ(chart->minValue(), e.lowest);
        EXPECT_EQ(chart->maxValue(), e.highest);
        EXPECT_EQ(chart->range(), e.highest - e.lowest);
    }

    const auto empty = multiLineChart({lineSet({}), lineSet({})});
    EXPECT_EQ(empty->minValue(), 100);
    EXPECT_EQ(empty->maxValue(), 0);
    EXPECT_EQ(empty->range(), -100);
    EXPECT_TRUE(std::isnan(empty->average()));

    const auto ranged = rangedChart({{5, 9, 2}, {7, 8, 3}}, rangedStyle(),
                                    lineChartStyle(LineMarkerType::none(), Baseline::zero(), Topline::maximum(12)));
    EXPECT_EQ(ranged->minValue(), 0);
    EXPECT_EQ(ranged->maxValue(), 12);
    EXPECT_EQ(ranged->range(), 12);
    // The mean of the line's values, not of the band.
    EXPECT_EQ(ranged->average(), 6);
    EXPECT_TRUE(std::isnan(rangedChart({})->average()));
}

// A single line's points are read once for what the line draws and both ends of its
// values, kept until the set is written.
TEST(LineValueRange, OnePassReadsWhatTheLineDrawsAndBothEndsUntilTheSetIsWritten)
{
    const auto chart = lineChart(lineSet({3, 0, -2, 7}, lineStyle(true)));
    chart->dataSets.modify([](LineDataSet& set) { set.dataPoints[1].ignoreMe = true; });
    const DrawnLine& drawn = chart->drawnLine();
    EXPECT_EQ(*drawn.points, (std::vector<LinePathPoint>{{3, false}, {0, true}, {-2, false}, {7, false}}));
    EXPECT_EQ(drawn.ends.smallest, -2);
    EXPECT_EQ(drawn.ends.largest, 7);
    EXPECT_EQ(chart->minValue(), -2);
    EXPECT_EQ(chart->maxValue(), 7);
    const auto kept = drawn.points;
    EXPECT_EQ(chart->drawnLine().points, kept); // read once while nothing is written

    // The line's sub-view takes the chart's own reading for the chart's own set, and reads a
    // set of the caller's itself.
    const std::shared_ptr<const LineDataSet> own(chart, &chart->dataSets.get());
    EXPECT_EQ(drawnPoints(*chart, own), kept);
    const auto copy = std::make_shared<const LineDataSet>(chart->dataSets.get());
    EXPECT_NE(drawnPoints(*chart, copy), kept);
    EXPECT_EQ(*drawnPoints(*chart, copy), *kept);

    // A write to the set is read again: a value, then the zeros no longer left out (and the
    // marks of left-out points no longer read).
    chart->dataSets.modify([](LineDataSet& set) { set.dataPoints[2].value = 1; });
    EXPECT_EQ(*chart->drawnLine().points, (std::vector<LinePathPoint>{{3, false}, {0, true}, {1, false}, {7, false}}));
    EXPECT_EQ(chart->minValue(), 1);
    chart->dataSets.modify([](LineDataSet& set) { set.style.ignoreZero = false; });
    EXPECT_EQ(*chart->drawnLine().points, (std::vector<LinePathPoint>{{3, false}, {0, false}, {1, false}, {7, false}}));
    EXPECT_EQ(chart->minValue(), 0);
    EXPECT_EQ(chart->maxValue(), 7);

    // The ends are those of one value after another: a first value that is not a number
    // stays both ends; an empty line's ends are 0.
    const auto first = lineChart(lineSet({nan, 1, 2}))->drawnLine().ends;
    EXPECT_TRUE(std::isnan(first.smallest) && std::isnan(first.largest));
    const auto later = lineChart(lineSet({1, nan, 2}))->drawnLine().ends;
    EXPECT_EQ(later.smallest, 1);
    EXPECT_EQ(later.largest, 2);
    const auto none = lineChart(lineSet({}))->drawnLine();
    EXPECT_TRUE(none.points->empty());
    EXPECT_EQ(none.ends.smallest, 0);
    EXPECT_EQ(none.ends.largest, 0);
}

} // namespace
