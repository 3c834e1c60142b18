// Where the bar chart views put their bars, read from the display list: the
// bar shape, the slots and bars of each of the five charts, their colour
// sources and fallbacks, and the arithmetic that keeps every drawn length
// finite and not below 0.
//
// Sections:
//   the bar shape        rounded corners from the size alone, lengths kept finite
//   the charts' bars     vertical bars in their slots, stacked columns and their corners,
//                        horizontal bars, the free end of a negative bar, ranged bars
//   colours              missing colour members and their fallbacks, gradients over a bar's frame
//   element views        one bar on its own, where its chart draws it

#include "BarViewTest.h"

#include "charts/bar/BarElements.h"
#include "charts/bar/BarGeometry.h"
#include "charts/bar/GroupedBars.h"
#include "charts/bar/RoundedRectangleBarShape.h"

#include <limits>

namespace {

using namespace charts;
using namespace charts::testing;

using BarViewGeometry = UiTest;

constexpr double inf = std::numeric_limits<double>::infinity();
constexpr double nan = std::numeric_limits<double>::quiet_NaN();

TEST_F(BarViewGeometry, TheBarShapeRoundsEachCornerWithinHalfTheSidesFromTheSizeAlone)
{
    struct Case {
        const char* name;
        RoundedRectangleBarShape shape;
        kit::Size size;
        std::vector<kit::Point> inside, outside;
    };
    const Case cases[] = {
        // Radii of 20 on 10 × 100 are 5: fully rounded ends.
        {"clamped",
         {20, 20, 20, 20},
         {10, 100},
         {{5, 0.2}, {5, 50}, {0.2, 50}},
         {{0.5, 0.5}, {9.5, 0.5}, {0.5, 99.5}, {9.5, 99.5}}},
        {"square", {0, 0, 0, 0}, {10, 100}, {{0.1, 0.1}, {9.9, 0.1}, {0.1, 99.9}, {9.9, 99.9}}, {}},
        // Negative and not-a-number radii are square corners.
        {"below 0", {-5, nan, -inf, 0}, {10, 100}, {{0.1, 0.1}, {9.9, 0.1}, {0.1, 99.9}, {9.9, 99.9}}, {}},
        // 40 × 30 with tl 4, tr 0, bl 20 (15, half the height), br 10.
        {"mixed",
         {4, 0, 20, 10},
         {40, 30},
         {{39.9, 0.1}, {3, 1.5}, {15, 29.9}},
         {{0.5, 0.5}, {0.3, 29.7}, {39.5, 29.5}, {2, 24}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const kit::Path path = c.shape.path(kit::Rect({0, 0}, c.size));
        expectRect(path.boundingRect(), kit::Rect({0, 0}, c.size), 1e-9);
        EXPECT_EQ(path, c.shape.path(kit::Rect({10, 10}, c.size))) << "the origin is not added";
        const auto& elements = path.elements();
        EXPECT_EQ(elements.front().type, kit::Path::Element::Type::move);
        EXPECT_NE(elements.back().type, kit::Path::Element::Type::closeSubpath) << "no explicit close";
        EXPECT_NEAR(elements.back().point.x, elements.front().point.x, 1e-9) << "it ends where it began";
        EXPECT_NEAR(elements.back().point.y, elements.front().point.y, 1e-9);
        for (const kit::Point p : c.inside)
            EXPECT_TRUE(path.contains(p)) << p.x << ", " << p.y;
        for (const kit::Point p : c.outside)
            EXPECT_FALSE(path.contains(p)) << p.x << ", " << p.y;
    }
    EXPECT_EQ(RoundedRectangleBarShape(20, 20, 20, 20).path(kit::Rect(0, 0, 10, 100)).elements().front().point,
              (kit::Point{5, 0}))
        << "it starts where the top-left corner ends";
}

TEST_F(BarViewGeometry, ArithmeticKeepsEveryLengthFiniteAndNotBelowZero)
{
    // value / highest, only for a finite highest above 0.
    const std::tuple<double, double, double> fractions[] = {
        {5, 10, 0.5}, {10, 10, 1}, {-5, 10, -0.5}, {5, 0, 0},    {5, -2, 0},
        {5, inf, 0},  {5, nan, 0}, {inf, 10, 0},   {nan, 10, 0},
    };
    for (const auto& [value, highest, fraction] : fractions)
        EXPECT_EQ(barFraction(value, highest), fraction) << value << " / " << highest;

    // From the base: a negative fraction ends at the base; not shown is 0.
    const std::tuple<double, double, bool, double, double> spans[] = {
        {0.5, 200, true, 0, 100},
        {-0.25, 200, true, -50, 50},
        {0.5, 200, false, 0, 0},
        {1e308, 1e10, true, 0, 0},
    };
    for (const auto& [fraction, length, shown, start, spanLength] : spans) {
        const ValueSpan span = valueSpan(fraction, length, shown);
        EXPECT_EQ(span.start, start) << fraction;
        EXPECT_EQ(span.length, spanLength) << fraction;
    }
    EXPECT_EQ((SlotBar{1, 1.5, true}.inset(100)), -25) << "a bar wider than its slot stays centred";
    EXPECT_EQ((SlotBar{1, -0.5, true}.thickness(100)), 0);
    EXPECT_EQ((SlotBar{1, nan, true}.inset(100)), 50);

    // highest / (highest − lowest), only below 0 and in (0, 1].
    const std::tuple<double, double, std::optional<double>> scales[] = {
        {-5, 10, 10.0 / 15},    {0, 10, std::nullopt},    {-5, 0, std::nullopt},   {-5, -1, std::nullopt},
        {-5, -5, std::nullopt}, {-inf, 10, std::nullopt}, {nan, 10, std::nullopt}, {-5, nan, std::nullopt},
    };
    for (const auto& [lowest, highest, factor] : scales)
        EXPECT_EQ(negativeValueScale(lowest, highest), factor) << lowest << " to " << highest;

    // Centre and height of a floating bar 200 high on 0 + 100.
    const std::tuple<double, double, double, double, bool, double, double> ranged[] = {
        {20, 60, 0, 100, true, 120, 80}, {60, 20, 0, 100, true, 120, 80}, {20, 60, 0, 100, false, 120, 0},
        {40, 40, 0, 100, true, 120, 0},  {5, 5, 5, 0, true, 200, 0},      {5, 6, 5, -1, true, 200, 0},
        {20, 60, 0, nan, true, 200, 0},  {inf, 60, 0, 100, true, 200, 0},
    };
    for (const auto& [lower, upper, lowest, range, shown, centre, height] : ranged) {
        const RangedBarFrame frame = rangedBarFrame(lower, upper, lowest, range, 200, shown);
        EXPECT_NEAR(frame.centreY, centre, 1e-9) << lower << "-" << upper << " over " << range;
        EXPECT_NEAR(frame.height, height, 1e-9) << lower << "-" << upper << " over " << range;
    }

    // A part's share of its column: nothing of a total not above 0.
    const std::tuple<double, double, double> parts[] = {{1, 4, 25}, {3, 4, 75}, {-1, 4, 0},
                                                        {0, 0, 0},  {2, -2, 0}, {1, inf, 0}};
    for (const auto& [value, total, height] : parts)
        EXPECT_EQ(stackedPartHeight(value, total, 100), height) << value << " of " << total;
}

// The standard and grouped charts draw bars in slots of equal width (a
// grouped chart's groups first share the width less the gaps); each bar is
// barWidth of its slot, value / maxValue high from the bottom edge.
TEST_F(BarViewGeometry, VerticalBarsStandInTheirSlotsByBarWidthAndValueOverTheHighestValue)
{
    struct Case {
        const char* name;
        kit::View chart;
        kit::Size size;
        std::vector<kit::Rect> bars;
    };
    auto standard = [](std::vector<double> values, double barWidth, Topline topLine = Topline::maximumValue()) {
        auto data = barData(values, barChartStyle(Baseline::minimumValue(), topLine), barsOf(barWidth));
        data->disableAnimation = true;
        return kit::View(BarChart(data));
    };
    const Case cases[] = {
        {"four slots of 100",
         standard({1, 2, 3, 4}, 0.5),
         {400, 200},
         {{25, 150, 50, 50}, {125, 100, 50, 100}, {225, 50, 50, 150}, {325, 0, 50, 200}}},
        {"one bar fills the width", standard({5}, 1), {300, 100}, {{0, 0, 300, 100}}},
        {"a raised top line",
         standard({1, 2, 3, 4}, 0.25, Topline::maximum(8)),
         {400, 200},
         {{37.5, 175, 25, 25}, {137.5, 150, 25, 50}, {237.5, 125, 25, 75}, {337.5, 100, 25, 100}}},
        // The lowest value (10) plays no part in a bar's length.
        {"a positive minimum", standard({10, 20}, 0.5), {200, 100}, {{25, 50, 50, 50}, {125, 0, 50, 100}}},
        {"highest 0", standard({0, 0}, 0.5), {200, 100}, {{25, 100, 50, 0}, {125, 100, 50, 0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        kit::ViewHost host{c.chart, c.size};
        expectRects(rectsIn(host, teal), c.bars);
    }

    // Two groups 20 apart in 420: each 200 wide, 2 and 3 bars sharing it; the
    // k-th bar of a group takes group colour k; highest 4 on 100.
    auto grouped = groupedData({{1, 2}, {3, 4, 2}}, barChartStyle(), fixedGroups(), barsOf(0.5));
    grouped->disableAnimation = true;
    kit::ViewHost host{GroupedBarChart(grouped, 20), {420, 100}};
    const double third = 200.0 / 3;
    expectRects(rectsIn(host, teal), {{25, 75, 50, 25}, {220 + third / 4, 25, third / 2, 75}});
    expectRects(rectsIn(host, plum), {{125, 50, 50, 50}, {220 + third * 1.25, 0, third / 2, 100}});
    expectRects(rectsIn(host, olive), {{220 + third * 2.25, 50, third / 2, 50}});
    expectRects(backgrounds(host), {{0, 0, 100, 100},
                                    {100, 0, 100, 100},
                                    {220, 0, third, 100},
                                    {220 + third, 0, third, 100},
                                    {220 + 2 * third, 0, third, 100}});
    host.setRoot(GroupedBarChart(grouped, 0));
    EXPECT_EQ(grouped->groupSpacing, 0);
    expectRects(rectsIn(host, teal), {{26.25, 75, 52.5, 25}, {227.5, 25, 35, 75}}); // groups edge to edge
}

TEST_F(BarViewGeometry, StackedColumnsStandForTheirTotalsAndSplitIntoPartsFromTheBottomUp)
{
    // Totals 10, 5 and 0 on 300 × 200 with highest 10: columns 50 wide at 25
    // in slots of 100, 200, 100 and 0 high; parts 1, 3, 6 of 10 from the bottom.
    auto data = stackedData({{1, 3, 6}, {5}, {}}, barChartStyle(), fixedGroups(), barsOf(0.5));
    data->disableAnimation = true;
    kit::ViewHost host{StackedBarChart(data), {300, 200}};
    expectRects(rectsIn(host, teal), {{25, 180, 50, 20}, {125, 100, 50, 100}});
    expectRects(rectsIn(host, plum), {{25, 120, 50, 60}});
    expectRects(rectsIn(host, olive), {{25, 0, 50, 120}});
    expectRects(backgrounds(host), {{0, 0, 100, 200}, {100, 0, 100, 200}, {200, 0, 100, 200}});
    for (const kit::DisplayItem* part : fillsIn(host, plum)) {
        ASSERT_EQ(part->clips.size(), 1u) << "each part is clipped to its column";
        expectRect(part->clips[0].path.boundingRect().applying(part->clips[0].transform), kit::Rect(25, 0, 50, 200),
                   1e-9);
    }

    // A column whose total is not above 0 draws nothing; the chart is not
    // scaled for a lowest value below 0 (here −3).
    auto negative = stackedData({{4}, {-2, -3}, {0, 0}}, barChartStyle(), fixedGroups(), barsOf(1));
    negative->disableAnimation = true;
    host.setRoot(StackedBarChart(negative));
    expectRects(rectsIn(host, teal), {{0, 0, 100, 200}});
    EXPECT_TRUE(rectsIn(host, plum).empty());
}

TEST_F(BarViewGeometry, OnlyTheOuterCornersOfAStackedColumnAreRounded)
{
    auto data = stackedData({{1, 3}}, barChartStyle(), fixedGroups(),
                            barsOf(1, ColourFrom::barStyle, ColourStyle(teal), {20, 20, 20, 20}));
    data->disableAnimation = true;
    kit::ViewHost host{StackedBarChart(data), {100, 200}};
    const QImage image = host.renderImage();
    // The bottom part (teal, 50 high) and the top part (plum, 150 high).
    EXPECT_TRUE(pixelIs(image, 50, 190, teal));
    EXPECT_TRUE(pixelIs(image, 1, 199, std::nullopt)) << "the column's bottom corner is cut";
    EXPECT_TRUE(pixelIs(image, 1, 151, teal)) << "the top of the bottom part is square";
    EXPECT_TRUE(pixelIs(image, 1, 148, plum)) << "so is the bottom of the top part";
    EXPECT_TRUE(pixelIs(image, 1, 1, std::nullopt)) << "the column's top corner is cut";
    EXPECT_TRUE(pixelIs(image, 50, 1, plum));
}

TEST_F(BarViewGeometry, HorizontalBarsGrowAlongTheWidthFromTheLeadingEdge)
{
    // 1, 2, 3, 4 on 200 × 100: slots 25 high, bars 12.5 thick 6.25 down.
    auto data = horizontalData({1, 2, 3, 4}, barChartStyle(), barsOf(0.5));
    data->disableAnimation = true;
    kit::ViewHost host{HorizontalBarChart(data), {200, 100}};
    expectRects(rectsIn(host, teal),
                {{0, 6.25, 50, 12.5}, {0, 31.25, 100, 12.5}, {0, 56.25, 150, 12.5}, {0, 81.25, 200, 12.5}});
    expectRects(backgrounds(host), {{0, 0, 200, 25}, {0, 25, 200, 25}, {0, 50, 200, 25}, {0, 75, 200, 25}});

    // A top line of 8 halves them; topLeft and topRight round the upper edge.
    auto raised = horizontalData({1, 2, 3, 4}, barChartStyle(Baseline::minimumValue(), Topline::maximum(8)),
                                 barsOf(0.5, ColourFrom::barStyle, ColourStyle(teal), {5, 5, 0, 0}));
    raised->disableAnimation = true;
    host.setRoot(HorizontalBarChart(raised));
    expectRects(rectsIn(host, teal),
                {{0, 6.25, 25, 12.5}, {0, 31.25, 50, 12.5}, {0, 56.25, 75, 12.5}, {0, 81.25, 100, 12.5}});
    const kit::Path& longest = fillsIn(host, teal).back()->path;
    EXPECT_FALSE(longest.contains({0.3, 0.3}));
    EXPECT_FALSE(longest.contains({99.7, 0.3}));
    EXPECT_TRUE(longest.contains({0.3, 12.2}));
    EXPECT_TRUE(longest.contains({99.7, 12.2})) << "the free end's lower corner stays square";
}

// A bar of a negative value hangs from the zero line (or reaches back
// before it): the corners that round a positive bar's free end round its
// free end too, and its side on the zero line stays square. Charts of 10
// and −5 are drawn 10 / 15 of their length from the top (trailing) edge, so
// the bar of −5 spans the last third of it; radii of 20 become corners 20
// across and 13.3 along the value axis.
TEST_F(BarViewGeometry, ANegativeBarIsRoundedAtItsFreeEndAndSquareOnTheZeroLine)
{
    const CornerRadius top{20, 20, 0, 0};
    const CornerRadius trailing{0, 20, 0, 20};
    auto standard = barData({10, -5}, barChartStyle(), barsOf(1, ColourFrom::barStyle, ColourStyle(teal), top));
    auto grouped = groupedData({{10}, {-5}}, barChartStyle(), fixedGroups(),
                               barsOf(1, ColourFrom::barStyle, ColourStyle(teal), top));
    auto horizontal = horizontalData({10, -5}, barChartStyle(),
                                     barsOf(1, ColourFrom::barStyle, ColourStyle(teal), trailing));
    standard->disableAnimation = grouped->disableAnimation = horizontal->disableAnimation = true;

    // Upright on 200 × 150: 10 at (0, 0, 100, 100), −5 at (100, 100, 100, 50).
    for (const kit::View& chart : {kit::View(BarChart(standard)), kit::View(GroupedBarChart(grouped, 0))}) {
        kit::ViewHost host{chart, {200, 150}};
        const QImage image = host.renderImage();
        EXPECT_TRUE(pixelIs(image, 1, 1, std::nullopt)) << "10: its top is rounded";
        EXPECT_TRUE(pixelIs(image, 1, 98, teal)) << "10: its base is square";
        EXPECT_TRUE(pixelIs(image, 101, 148, std::nullopt)) << "-5: its bottom left corner is rounded";
        EXPECT_TRUE(pixelIs(image, 198, 148, std::nullopt)) << "-5: its bottom right corner is rounded";
        EXPECT_TRUE(pixelIs(image, 150, 148, teal));
        EXPECT_TRUE(pixelIs(image, 101, 101, teal)) << "-5: square on the zero line";
        EXPECT_TRUE(pixelIs(image, 198, 101, teal)) << "-5: square on the zero line";
    }

    // Sideways on 150 × 200: 10 at (50, 0, 100, 100), −5 at (0, 100, 50, 100).
    kit::ViewHost host{HorizontalBarChart(horizontal), {150, 200}};
    const QImage image = host.renderImage();
    EXPECT_TRUE(pixelIs(image, 148, 1, std::nullopt)) << "10: its trailing end is rounded";
    EXPECT_TRUE(pixelIs(image, 51, 1, teal)) << "10: its base is square";
    EXPECT_TRUE(pixelIs(image, 1, 101, std::nullopt)) << "-5: its leading end is rounded, above";
    EXPECT_TRUE(pixelIs(image, 1, 198, std::nullopt)) << "-5: and below";
    EXPECT_TRUE(pixelIs(image, 1, 150, teal));
    EXPECT_TRUE(pixelIs(image, 48, 101, teal)) << "-5: square on the zero line";
    EXPECT_TRUE(pixelIs(image, 48, 198, teal)) << "-5: square on the zero line";

    // An element view on its own: −5 of 10 half a 100 × 200 slot wide hangs
    // 100 below the slot, a bar 50 × 100 rounded at its bottom; sideways, in
    // 200 × 100, it reaches 100 before the slot, rounded at its leading end.
    const BarChartDataPoint below = standard->dataSets->dataPoints[1];
    standard->barStyle.modify([](BarStyle& style) { style.barWidth = 0.5; });
    kit::ViewHost upright{kit::View(ColourBar<BarChartData, BarChartDataPoint>(standard, below, teal)).frame(100, 200),
                          {100, 200}};
    expectRects(rectsIn(upright, teal), {{25, 200, 50, 100}});
    const kit::Path& hanging = fillsIn(upright, teal).front()->path;
    EXPECT_FALSE(hanging.contains({0.3, 99.7}));
    EXPECT_FALSE(hanging.contains({49.7, 99.7}));
    EXPECT_TRUE(hanging.contains({0.3, 0.3}));
    EXPECT_TRUE(hanging.contains({49.7, 0.3}));
    horizontal->barStyle.modify([](BarStyle& style) { style.barWidth = 0.5; });
    kit::ViewHost sideways{kit::View(HorizontalColourBar<HorizontalBarChartData, BarChartDataPoint>(
                                         horizontal, horizontal->dataSets->dataPoints[1], teal))
                               .frame(200, 100),
                           {200, 100}};
    expectRects(rectsIn(sideways, teal), {{-100, 25, 100, 50}});
    const kit::Path& before = fillsIn(sideways, teal).front()->path;
    EXPECT_FALSE(before.contains({0.3, 0.3}));
    EXPECT_FALSE(before.contains({0.3, 49.7}));
    EXPECT_TRUE(before.contains({99.7, 0.3}));
    EXPECT_TRUE(before.contains({99.7, 49.7}));

    // A floating bar has no base: below zero too its upper end is its top.
    auto ranged = rangedData({{-10, -2}, {0, 10}}, barChartStyle(),
                             barsOf(1, ColourFrom::barStyle, ColourStyle(teal), top));
    ranged->disableAnimation = true;
    host.setRoot(RangedBarChart(ranged));
    const kit::Path& floating = fillsIn(host, teal).front()->path;
    EXPECT_FALSE(floating.contains({0.3, 0.3}));
    EXPECT_TRUE(floating.contains({0.3, pathBounds(*fillsIn(host, teal).front()).height() - 0.3}));
}

TEST_F(BarViewGeometry, RangedBarsSpanFromTheirLowerToTheirUpperValueOnTheValueRange)
{
    struct Case {
        const char* name;
        std::vector<std::pair<double, double>> ranges;
        Baseline baseline;
        double barWidth;
        kit::Size size;
        std::vector<kit::Rect> bars;
    };
    const Case cases[] = {
        // Lowest 0, range 100 on 400 × 200: 20-60 is 80 high about 120; 60-60 is flat at 80.
        {"four slots",
         {{0, 10}, {20, 60}, {50, 100}, {60, 60}},
         Baseline::minimumValue(),
         0.5,
         {400, 200},
         {{25, 180, 50, 20}, {125, 80, 50, 80}, {225, 0, 50, 100}, {325, 80, 50, 0}}},
        {"lower above upper",
         {{0, 100}, {60, 20}},
         Baseline::minimumValue(),
         1,
         {200, 200},
         {{0, 0, 100, 200}, {100, 80, 100, 80}}},
        // Lowest −10, range 30 on 300 high: −10-5 is 150 high on the bottom edge; never scaled.
        {"negative values",
         {{-10, 5}, {0, 20}},
         Baseline::minimumValue(),
         1,
         {200, 300},
         {{0, 150, 100, 150}, {100, 0, 100, 200}}},
        // Baseline zero: lowest 0, range 20; −10-10 reaches 100 below the bottom edge.
        {"baseline zero", {{-10, 10}, {0, 20}}, Baseline::zero(), 1, {100, 200}, {{0, 100, 50, 200}, {50, 0, 50, 200}}},
        {"range 0", {{5, 5}}, Baseline::minimumValue(), 1, {100, 200}, {{0, 200, 100, 0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto data = rangedData(c.ranges, barChartStyle(c.baseline), barsOf(c.barWidth));
        data->disableAnimation = true;
        kit::ViewHost host{RangedBarChart(data), c.size};
        expectRects(rectsIn(host, teal), c.bars);
    }
}

// When the colour a kind needs is missing: the bar-style sub-views draw no
// bars; by data point, the standard chart draws blue, the horizontal chart
// leaves the bar out (the rest share the height), the ranged chart leaves
// its slot empty, the grouped and stacked charts leave the bar or part out.
TEST_F(BarViewGeometry, MissingColourMembersFallBackAsEachChartSays)
{
    ColourStyle noColour(teal);
    noColour.colour.reset();
    ColourStyle noStart({teal, plum}, kit::UnitPoint::bottom(), kit::UnitPoint::top());
    noStart.startPoint.reset();
    ColourStyle noStops(std::vector<GradientStop>{{teal, 0}}, kit::UnitPoint::bottom(), kit::UnitPoint::top());
    noStops.stops.reset();

    for (const ColourStyle& broken : {noColour, noStart, noStops}) {
        SCOPED_TRACE(int(broken.colourType));
        auto standard = barData({1, 2}, barChartStyle(), barsOf(1, ColourFrom::barStyle, broken));
        auto horizontal = horizontalData({1, 2}, barChartStyle(), barsOf(1, ColourFrom::barStyle, broken));
        auto ranged = rangedData({{0, 1}, {0, 2}}, barChartStyle(), barsOf(1, ColourFrom::barStyle, broken));
        for (const kit::View& chart : {kit::View(BarChart(standard)), kit::View(HorizontalBarChart(horizontal)),
                                       kit::View(RangedBarChart(ranged))}) {
            kit::ViewHost host{chart, {200, 100}};
            EXPECT_TRUE(host.displayList().items.empty()) << "no bars and no slots, not the no-data view either";
        }
    }

    // By data point: point 1 of 3 lacks its colours.
    std::vector<BarChartDataPoint> points = bars({1, 2, 4});
    for (BarChartDataPoint& p : points)
        p.colour = ColourStyle(teal);
    points[1].colour = noStart;
    auto standard = std::make_shared<BarChartData>(BarDataSet(points, "Sales"), barMetadata(), std::nullopt,
                                                   std::nullopt, barsOf(1, ColourFrom::dataPoints), barChartStyle(),
                                                   kit::Text("No data"));
    auto horizontal = std::make_shared<HorizontalBarChartData>(BarDataSet(points, "Sales"), barMetadata(), std::nullopt,
                                                               std::nullopt, barsOf(1, ColourFrom::dataPoints),
                                                               barChartStyle(), kit::Text("No data"));
    std::vector<RangedBarDataPoint> spans = ranges({{0, 1}, {0, 2}, {0, 4}});
    for (RangedBarDataPoint& p : spans)
        p.colour = ColourStyle(teal);
    spans[1].colour = noStart;
    auto ranged = std::make_shared<RangedBarChartData>(RangedBarDataSet(spans, "Ranges"), barMetadata(), std::nullopt,
                                                       std::nullopt, barsOf(1, ColourFrom::dataPoints), barChartStyle(),
                                                       kit::Text("No data"));
    standard->disableAnimation = horizontal->disableAnimation = ranged->disableAnimation = true;

    kit::ViewHost host{BarChart(standard), {300, 100}};
    expectRects(rectsIn(host, teal), {{0, 75, 100, 25}, {200, 0, 100, 100}});
    expectRects(rectsIn(host, kit::Color::blue()), {{100, 50, 100, 50}});
    host.setRoot(HorizontalBarChart(horizontal));
    expectRects(rectsIn(host, teal), {{0, 0, 75, 50}, {0, 50, 300, 50}});
    host.setRoot(RangedBarChart(ranged));
    expectRects(rectsIn(host, teal), {{0, 75, 100, 25}, {200, 0, 100, 100}});
    expectRects(backgrounds(host), {{0, 0, 100, 100}, {200, 0, 100, 100}}); // the slot between stays empty

    // Grouped and stacked: the bar or part of the broken group is left out.
    std::vector<GroupingData> groups = fixedGroups();
    groups[1].colour = noStops;
    auto grouped = groupedData({{1, 2, 4}}, barChartStyle(), groups, barsOf(1));
    auto stacked = stackedData({{1, 2, 4}}, barChartStyle(), groups, barsOf(1));
    grouped->disableAnimation = stacked->disableAnimation = true;
    host.setRoot(GroupedBarChart(grouped, 0));
    EXPECT_EQ(rectsIn(host, teal).size() + rectsIn(host, olive).size(), 2u);
    EXPECT_TRUE(rectsIn(host, plum).empty());
    host.setRoot(StackedBarChart(stacked));
    EXPECT_EQ(rectsIn(host, teal).size() + rectsIn(host, olive).size(), 2u);
    EXPECT_TRUE(rectsIn(host, plum).empty());
}

TEST_F(BarViewGeometry, GradientsRunOverTheBarsOwnFrame)
{
    const std::vector<GradientStop> stops{{plum, 0.75}, {teal, 0.25}}; // unsorted
    auto data =
        barData({2, 4}, barChartStyle(),
                barsOf(1, ColourFrom::barStyle, ColourStyle(stops, kit::UnitPoint::bottom(), kit::UnitPoint::top())));
    data->disableAnimation = true;
    kit::ViewHost host{BarChart(data), {200, 200}};
    const QImage image = host.renderImage();
    // Bar 0 is 100 high: teal up to a quarter of it, plum from three quarters.
    EXPECT_TRUE(pixelIs(image, 50, 199, teal));
    EXPECT_TRUE(pixelIs(image, 50, 176, teal));
    EXPECT_TRUE(pixelIs(image, 50, 124, plum));
    EXPECT_TRUE(pixelIs(image, 50, 101, plum));
    EXPECT_TRUE(pixelIs(image, 150, 40, plum)) << "the taller bar has its own gradient";
    EXPECT_TRUE(pixelIs(image, 150, 160, teal));

    auto single = horizontalData({1}, barChartStyle(),
                                 barsOf(1, ColourFrom::barStyle,
                                        ColourStyle(std::vector<kit::Color>{olive}, kit::UnitPoint::leading(),
                                                    kit::UnitPoint::trailing())));
    auto none = horizontalData({1}, barChartStyle(),
                               barsOf(1, ColourFrom::barStyle,
                                      ColourStyle(std::vector<kit::Color>{}, kit::UnitPoint::leading(),
                                                  kit::UnitPoint::trailing())));
    single->disableAnimation = none->disableAnimation = true;
    host.setRoot(HorizontalBarChart(single));
    EXPECT_TRUE(pixelIs(host.renderImage(), 10, 100, olive)) << "one colour is solid";
    host.setRoot(HorizontalBarChart(none));
    EXPECT_TRUE(pixelIs(host.renderImage(), 10, 100, std::nullopt)) << "no colour paints nothing";
}

// The element views draw one bar on their own, in the slot they are given,
// where the chart that draws its bars together puts it.
TEST_F(BarViewGeometry, AnElementViewOnItsOwnDrawsItsBarWhereItsChartDoes)
{
    // 3 of highest 4, half its slot wide: in a 100 × 200 slot 50 wide, 150 high.
    auto data = barData({3, 4}, barChartStyle(), barsOf(0.5));
    data->disableAnimation = true;
    const BarChartDataPoint point = data->dataSets->dataPoints[0];
    kit::ViewHost vertical{kit::View(ColourBar<BarChartData, BarChartDataPoint>(data, point, teal)).frame(100, 200),
                           {100, 200}};
    expectRects(rectsIn(vertical, teal), {{25, 50, 50, 150}});
    expectRects(backgrounds(vertical), {{0, 0, 100, 200}});

    // Along the width from the leading edge: 150 of a 200 × 100 slot, 50 high.
    auto sideways = horizontalData({3, 4}, barChartStyle(), barsOf(0.5));
    sideways->disableAnimation = true;
    kit::ViewHost horizontal{kit::View(HorizontalColourBar<HorizontalBarChartData, BarChartDataPoint>(
                                           sideways, sideways->dataSets->dataPoints[0], teal))
                                 .frame(200, 100),
                             {200, 100}};
    expectRects(rectsIn(horizontal, teal), {{0, 25, 150, 50}});

    // A group's cell takes its group's colour.
    auto grouped = groupedData({{1, 2}}, barChartStyle(), fixedGroups(), barsOf(1));
    grouped->disableAnimation = true;
    kit::ViewHost cell{kit::View(
                           GroupedBarCell<GroupedBarChartData>{grouped, grouped->dataSets->dataSets[0].dataPoints[1]})
                           .frame(100, 200),
                       {100, 200}};
    expectRects(rectsIn(cell, plum), {{0, 0, 100, 200}});
}

} // namespace
