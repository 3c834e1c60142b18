#include "BarTest.h"

namespace {

using namespace charts;
using namespace charts::testing;

const std::vector<GradientStop> someStops{{kit::Color::red(), 0}, {kit::Color::blue(), 1}};

ColourStyle gradient()
{
    return ColourStyle({kit::Color::red(), kit::Color::blue()}, kit::UnitPoint::top(), kit::UnitPoint::bottom());
}
ColourStyle stops()
{
    return ColourStyle(someStops, kit::UnitPoint::bottomTrailing(), kit::UnitPoint::topLeading());
}

// The same kind of colour without the value that kind needs.
ColourStyle stripped(ColourStyle colour)
{
    colour.colour.reset();
    colour.colours.reset();
    colour.stops.reset();
    return colour;
}

const ColourStyle flatEntry(kit::Color::red());
const ColourStyle gradientEntry({kit::Color::red(), kit::Color::blue()}, kit::UnitPoint::leading(),
                                kit::UnitPoint::trailing());
const ColourStyle stopsEntry(someStops, kit::UnitPoint::leading(), kit::UnitPoint::trailing());

LegendData entry(const kit::UUID& id, const std::string& legend, const ColourStyle& colour)
{
    return LegendData(id, legend, colour, std::nullopt, 1, ChartType::bar);
}

// Bars described "A" to "F", coloured flat, by a gradient, by stops, flat
// without a description, and flat and by a gradient without their colours.
std::vector<BarChartDataPoint> colouredBars()
{
    std::vector<BarChartDataPoint> points = bars({1, 2, 3, 4, 5, 6});
    const ColourStyle colours[] = {
        ColourStyle(kit::Color::red()),           gradient(),          stops(), ColourStyle(kit::Color::red()),
        stripped(ColourStyle(kit::Color::red())), stripped(gradient())};
    for (std::size_t i = 0; i < points.size(); ++i) {
        points[i].colour = colours[i];
        points[i].description = std::string(1, char('A' + i));
    }
    points[3].description.reset();
    return points;
}

TEST(BarLegends, BarsColouredByTheirPointsGetOneEntryPerDescribedPointWithAUsableColour)
{
    const BarDataSet set(colouredBars(), "Sales");
    const auto& p = set.dataPoints;
    const std::vector<LegendData> expected{entry(p[0].id, "A", flatEntry), entry(p[1].id, "B", gradientEntry),
                                           entry(p[2].id, "C", stopsEntry)};
    auto make = [&](auto chart) { return chart->legends.get(); };
    const BarStyle byPoints = barStyle(ColourFrom::dataPoints);
    EXPECT_EQ(make(std::make_shared<BarChartData>(set, barMetadata(), std::nullopt, std::nullopt, byPoints,
                                                  barChartStyle(), kit::EmptyView())),
              expected);
    EXPECT_EQ(make(std::make_shared<HorizontalBarChartData>(set, barMetadata(), std::nullopt, std::nullopt, byPoints,
                                                            barChartStyle(), kit::EmptyView())),
              expected)
        << "the horizontal chart's legend is the standard one";

    std::vector<RangedBarDataPoint> rangedPoints = ranges({{0, 1}, {0, 2}, {0, 3}, {0, 4}});
    rangedPoints[1].colour = stops();
    rangedPoints[2].description.reset();
    rangedPoints[3].colour = stripped(stops());
    const auto ranged = std::make_shared<RangedBarChartData>(RangedBarDataSet(rangedPoints, "Ranges"), barMetadata(),
                                                             std::nullopt, std::nullopt, byPoints, barChartStyle(),
                                                             kit::EmptyView());
    EXPECT_EQ(*ranged->legends, (std::vector{entry(rangedPoints[0].id, "Range 0", rangedPoints[0].colour),
                                             entry(rangedPoints[1].id, "Range 1", stopsEntry)}));
    EXPECT_TRUE(barData({}, barChartStyle(), byPoints)->legends->empty());
}

TEST(BarLegends, BarsColouredByTheStyleGetOneEntryForTheSetWhenTheColourIsUsable)
{
    const struct {
        ColourStyle colour;
        std::optional<ColourStyle> expected;
    } cases[] = {
        {ColourStyle(kit::Color::red()), flatEntry},
        {gradient(), gradientEntry},
        {stops(), stopsEntry},
        {stripped(ColourStyle(kit::Color::red())), std::nullopt},
        {stripped(gradient()), std::nullopt},
        {stripped(stops()), std::nullopt},
    };
    for (const auto& c : cases) {
        const BarStyle style = barStyle(ColourFrom::barStyle, c.colour);
        const auto bar = barData({1, 2}, barChartStyle(), style);
        const auto horizontal = horizontalData({1, 2}, barChartStyle(), style);
        const auto ranged = rangedData({{1, 2}}, barChartStyle(), style);
        std::vector<LegendData> expected, expectedRanged;
        if (c.expected) {
            expected.push_back(entry(bar->dataSets->id, "Sales", *c.expected));
            expectedRanged.push_back(entry(ranged->dataSets->id, "Ranges", *c.expected));
        }
        EXPECT_EQ(*bar->legends, expected);
        EXPECT_EQ(horizontal->legends->size(), expected.size());
        EXPECT_EQ(*ranged->legends, expectedRanged);
    }
    const auto empty = barData({});
    EXPECT_EQ(*empty->legends, (std::vector{entry(empty->dataSets->id, "Sales", ColourStyle(kit::Color::orange()))}))
        << "an empty set still has its entry";
}

TEST(BarLegends, GroupedAndStackedChartsListTheirGroupsOnceEachAndNeverRebuildTheLegend)
{
    std::vector<GroupingData> groups{GroupingData("A", ColourStyle(kit::Color::red())), GroupingData("B", gradient()),
                                     GroupingData("C", stripped(stops())), GroupingData("A", stops())};
    const std::vector<LegendData> expected{entry(groups[0].id, "A", flatEntry), entry(groups[1].id, "B", gradientEntry),
                                           entry(groups[3].id, "A", stopsEntry)};
    const auto grouped = groupedData({{1, 2}}, barChartStyle(), groups);
    const auto stacked = stackedData({{1, 2}}, barChartStyle(), groups);
    EXPECT_EQ(*grouped->legends, expected);
    EXPECT_EQ(*stacked->legends, expected);
    EXPECT_EQ(*grouped->groups, groups);

    // Later changes of the data, groups or styles leave the legend as it was.
    grouped->groups = {};
    grouped->barStyle = barStyle(ColourFrom::dataPoints);
    stacked->dataSets = multiSets<StackedBarDataSets>({}, groups);
    const auto bar = barData({1});
    bar->barStyle = barStyle(ColourFrom::barStyle, ColourStyle(kit::Color::purple()));
    EXPECT_EQ(*grouped->legends, expected);
    EXPECT_EQ(*stacked->legends, expected);
    EXPECT_EQ(bar->legends->front().colour, ColourStyle(kit::Color::orange()));

    // Setting up again appends, one announced change per entry.
    Announcements announcements(*grouped);
    grouped->groups = groups;
    grouped->multiBarLegendSetup();
    EXPECT_EQ(announcements.count, 1 + 3);
    EXPECT_EQ(grouped->legends->size(), 6u);
}

} // namespace
