#include "POITest.h"

#include "charts/core/Legends.h"

namespace {

using namespace charts;
using namespace charts::testing;

// Caption labels: 6 points a character, 12 high with the fixed metrics.
class POITest : public AxisViewTest {
protected:
    // A chart whose body applies `decorate` afresh at every evaluation, as a
    // view rebuilt by its parent does; it re-evaluates whenever the chart
    // announces a change (its legend entries included).
    template <class Chart>
    struct Decorated {
        kit::ObservedObject<Chart> chartData;
        std::function<kit::View(const std::shared_ptr<Chart>&)> decorate;
        auto dynamicFields() { return std::tie(chartData); }
        kit::View body() const { return decorate(chartData.object()); }
    };

    template <class Chart>
    kit::ViewHost& show(const std::shared_ptr<Chart>& chart,
                        std::function<kit::View(const std::shared_ptr<Chart>&)> decorate, kit::Size size)
    {
        host = std::make_unique<kit::ViewHost>(Decorated<Chart>{chart, std::move(decorate)}, size);
        settle(*host);
        return *host;
    }

    template <class Chart>
    static kit::View valuePOI(const std::shared_ptr<Chart>& chart, const std::string& name, double value,
                              DisplayValue position, bool addToLegends = true)
    {
        return applyYAxisPOI(kit::View(kit::Color::clear()), chart, name, value, std::move(position),
                             kit::Font::caption(), kit::Color::black(), kit::Color::white(), kit::Color::blue(),
                             std::nullopt, kit::StrokeStyle{.lineWidth = 2, .dash = {3, 1}}, std::nullopt, std::nullopt,
                             addToLegends);
    }

    template <class Chart>
    static kit::View indexPOI(const std::shared_ptr<Chart>& chart, const std::string& name, std::int64_t index,
                              std::int64_t count, DisplayValue position)
    {
        return applyXAxisPOI(kit::View(kit::Color::clear()), chart, name, index, count, kit::Color::green(),
                             kit::Color::black(), kit::StrokeStyle{.lineWidth = 2}, std::move(position),
                             kit::Font::caption(), kit::Color::black(), kit::Color::white());
    }

    std::unique_ptr<kit::ViewHost> host;
};

TEST_F(POITest, AValueMarkerStandsAtItsValueWithItsLabelAndItsAccessibilityValue)
{
    // Bars of 0 and 100 in 300 × 200: the value 25 lies at y 150.
    struct Case {
        const char* name;
        DisplayValue position;
        std::string text;  // "" when no label
        kit::Point centre; // of the label's text
        std::string value; // accessibility value
    };
    const auto hash = std::make_shared<HashFormatter>();
    const Case cases[] = {
        {"centre", DisplayValue::center("%.0f", nullptr), "25", {150, 150}, "Target 25"},
        {"axis: outside the chart, left of the leading labels",
         DisplayValue::yAxis("%.1f", nullptr),
         "25.0",
         {-4, 150},
         "Target 25.0"},
        {"a formatter shows, the specifier announces",
         DisplayValue::center("%.2f", hash),
         "#",
         {150, 150},
         "Target 25.00"},
        {"nowhere", DisplayValue::none(), "", {}, ""},
    };
    for (const Case& c : cases) {
        const auto chart = barData({0, 100});
        chart->disableAnimation = true;
        show<BarChartData>(chart, [&](const auto& data) { return valuePOI(data, "Target", 25, c.position); },
                           {300, 200});
        const std::vector<const kit::DisplayItem*> lines = strokes(*host);
        ASSERT_FALSE(lines.empty()) << c.name;
        expectRect(pathBounds(*lines.front()), kit::Rect(0, 150, 300, 0));
        EXPECT_EQ(lines.front()->strokeStyle.lineWidth, 2) << c.name;
        EXPECT_EQ(std::get<kit::Color>(lines.front()->paint).components(), kit::Color::blue().resolved()) << c.name;
        const std::vector<DrawnText> texts = drawnTexts(*host);
        if (c.text.empty()) {
            EXPECT_TRUE(texts.empty()) << c.name;
            EXPECT_TRUE(accessibility(*host).empty()) << c.name;
            continue;
        }
        ASSERT_EQ(texts.size(), 1u) << c.name;
        EXPECT_EQ(texts[0].text, c.text) << c.name;
        EXPECT_NEAR(texts[0].bounds.midX(), c.centre.x, 1e-9) << c.name;
        EXPECT_NEAR(texts[0].bounds.midY(), c.centre.y, 1e-9) << c.name;
        EXPECT_EQ(accessibility(*host), (std::vector<std::pair<std::string, std::string>>{{"P-O-I-Marker", c.value}}))
            << c.name;
    }
}

TEST_F(POITest, TheAccessibilityValueFillsTheOnePlaceholderAndCopiesEveryOtherCharacter)
{
    EXPECT_EQ(poiAccessibilityValue("Target", "42"), "Target 42");
    EXPECT_EQ(poiAccessibilityValue("50% line", "3"), "50% line 3");
    EXPECT_EQ(poiAccessibilityValue("%d %@ %s", "7"), "%d 7 %s %@") << "only the first placeholder is filled";
    kit::StringTable::setActive({{"Goal %@", "Ziel: %@!"}});
    EXPECT_EQ(poiAccessibilityValue("Goal", "5"), "Ziel: 5!");
    kit::StringTable::setActive({});
}

TEST_F(POITest, EachMarkerNameGetsOneLegendEntryAcrossReRendersWhateverTheMarkerKind)
{
    const auto chart = barData({1, 2, 3});
    const LegendData own = chart->legends->front();
    show<BarChartData>(chart,
                       [](const auto& data) {
                           return kit::VStack({valuePOI(data, "Target", 2, DisplayValue::none()),
                                               valuePOI(data, "Target", 3, DisplayValue::none()),
                                               indexPOI(data, "Q1", 0, 3, DisplayValue::none()),
                                               indexPOI(data, "Target", 1, 3, DisplayValue::none()),
                                               valuePOI(data, "Hidden", 1, DisplayValue::none(), false),
                                               valuePOI(data, "Sales", 1, DisplayValue::none()),
                                               valuePOI(data, "Cafe\u0301", 1, DisplayValue::none()),
                                               valuePOI(data, "Caf\u00e9", 1, DisplayValue::none())});
                       },
                       {300, 400});
    const std::vector<LegendData> legends = *chart->legends;
    ASSERT_EQ(legends.size(), 4u) << "the set's own entry, Target, Q1 and one Café";
    EXPECT_EQ(legends[0], own);
    EXPECT_EQ(legends[1].legend, "Target");
    EXPECT_EQ(legends[1].chartType, ChartType::line);
    EXPECT_EQ(legends[1].prioity, 2);
    EXPECT_EQ(legends[1].colour, ColourStyle(kit::Color::blue()));
    ASSERT_TRUE(legends[1].strokeStyle);
    EXPECT_EQ(legends[1].strokeStyle->strokeStyle(), (kit::StrokeStyle{.lineWidth = 2, .dash = {3, 1}}));
    EXPECT_EQ(legends[2].legend, "Q1");
    EXPECT_EQ(legends[2].colour, ColourStyle(kit::Color::green()));
    EXPECT_NE(legends[1].strokeStyle->id, legends[2].strokeStyle->id) << "each copy of a stroke is a stroke of its own";
    EXPECT_EQ(legends[3].legend, "Cafe\u0301");

    // Rebuilt again and again (every legend entry re-evaluates the chart's
    // views): the entries stay as first made.
    chart->metadata.modify([](ChartMetadata& m) { m.title = "Again"; });
    settle(*host);
    EXPECT_EQ(*chart->legends, legends);
}

TEST_F(POITest, TheLegendShowsAnEntryAddedWhileTheChartsViewsAreBuilt)
{
    const auto chart = barData({1, 2, 3});
    show<BarChartData>(chart,
                       [](const auto& data) {
                           return applyLegends(valuePOI(data, "Target", 2, DisplayValue::none()), data,
                                               {kit::GridItem::flexible(10)}, 40, kit::Font::caption(),
                                               kit::Color::primary(), 0);
                       },
                       {300, 300});
    const std::vector<std::string> shown = texts(*host);
    EXPECT_NE(std::find(shown.begin(), shown.end(), "Target"), shown.end());
    EXPECT_EQ(chart->legends->size(), 2u);
}

TEST_F(POITest, AMarkerWithoutANumberToStandAtOrWithoutDataShowsTheChartAloneAndStillJoinsTheLegend)
{
    // An empty cluster makes the mean 0 / 0.
    const auto grouped = groupedData({{1, 2}, {}});
    ASSERT_TRUE(grouped->hasData());
    show<GroupedBarChartData>(grouped,
                              [](const auto& data) {
                                  return applyYAxisPOI(kit::View(kit::Color::clear()), data, "Mean",
                                                       DisplayValue::center("%.0f", nullptr));
                              },
                              {300, 200});
    EXPECT_TRUE(strokes(*host).empty());
    EXPECT_TRUE(drawnTexts(*host).empty());
    EXPECT_EQ(grouped->legends->back().legend, "Mean");

    const auto empty = barData({});
    show<BarChartData>(empty,
                       [](const auto& data) {
                           return valuePOI(data, "Target", 1, DisplayValue::center("%.0f", nullptr));
                       },
                       {300, 200});
    EXPECT_TRUE(strokes(*host).empty());
    EXPECT_EQ(empty->legends->back().legend, "Target");

    // The mean of a chart with data: 20 of 10 ... 30, half way up.
    const auto bars = barData({10, 20, 30});
    bars->disableAnimation = true;
    show<BarChartData>(bars,
                       [](const auto& data) {
                           return applyYAxisPOI(kit::View(kit::Color::clear()), data, "Mean", DisplayValue::none());
                       },
                       {300, 200});
    ASSERT_EQ(strokes(*host).size(), 1u);
    expectRect(pathBounds(*strokes(*host)[0]), kit::Rect(0, 100, 300, 0));
}

TEST_F(POITest, TheMarkerLineDrawsInWithTheChartsAnimationAsItsLabelLayerAppears)
{
    // The bar style animates with an ease-in-out of 0.3 s: half the line
    // after 0.15 s, from the leading edge.
    const auto chart = barData({0, 100});
    show<BarChartData>(chart, [](const auto& data) { return valuePOI(data, "Target", 25, DisplayValue::none()); },
                       {300, 200});
    EXPECT_TRUE(strokes(*host).empty());
    kit::Clock::advance(0.15);
    ASSERT_EQ(strokes(*host).size(), 1u);
    expectRect(pathBounds(*strokes(*host)[0]), kit::Rect(0, 150, 150, 0));
    kit::Clock::advance(0.15);
    expectRect(pathBounds(*strokes(*host)[0]), kit::Rect(0, 150, 300, 0));
}

TEST_F(POITest, AnIndexMarkerStandsAtItsDataPointByTheChartsSpacingWithItsNameAsLabel)
{
    struct Case {
        const char* name;
        std::function<void()> run;
    };
    // Bars in 400 × 200, four points: index 1 in the middle of the second slot.
    const auto bars = barData({1, 2, 3, 4});
    bars->disableAnimation = true;
    show<BarChartData>(bars,
                       [](const auto& data) {
                           return indexPOI(data, "Q2", 1, 4,
                                           DisplayValue::yAxis("%.3f", std::make_shared<HashFormatter>()));
                       },
                       {400, 200});
    expectRect(pathBounds(*strokes(*host).front()), kit::Rect(150, 0, 0, 200));
    ASSERT_EQ(drawnTexts(*host).size(), 1u);
    EXPECT_EQ(drawnTexts(*host)[0].text, "Q2") << "the name, whatever the specifier or formatter";
    EXPECT_EQ(drawnTexts(*host)[0].bounds.midX(), 150);
    EXPECT_EQ(drawnTexts(*host)[0].bounds.midY(), 210) << "10 below the chart";
    EXPECT_EQ(accessibility(*host), (std::vector<std::pair<std::string, std::string>>{{"P-O-I-Marker", "Q2 1"}}));

    // A line of five points: index −1 a step before the leading edge.
    const auto line = lineChart(lineSet({1, 2, 3, 4, 5}));
    line->disableAnimation = true;
    show<LineChartData>(line,
                        [](const auto& data) {
                            return indexPOI(data, "Before", -1, 5, DisplayValue::center("", nullptr));
                        },
                        {400, 200});
    expectRect(pathBounds(*strokes(*host).front()), kit::Rect(-100, 0, 0, 200));
    EXPECT_EQ(accessibility(*host), (std::vector<std::pair<std::string, std::string>>{{"P-O-I-Marker", "Before -1"}}));

    // Horizontal bars: the line lies across at the second of four slots.
    const auto horizontal = horizontalData({1, 2, 3, 4});
    horizontal->disableAnimation = true;
    show<HorizontalBarChartData>(horizontal,
                                 [](const auto& data) {
                                     return indexPOI(data, "Q2", 1, 4, DisplayValue::center("", nullptr));
                                 },
                                 {400, 200});
    expectRect(pathBounds(*strokes(*host).front()), kit::Rect(0, 75, 400, 0));
    EXPECT_EQ(drawnTexts(*host)[0].bounds.midX(), 200);
    EXPECT_EQ(drawnTexts(*host)[0].bounds.midY(), 75);

    // Bars without slots: no line, no label.
    show<BarChartData>(bars,
                       [](const auto& data) { return indexPOI(data, "None", 0, 0, DisplayValue::center("", nullptr)); },
                       {400, 200});
    EXPECT_TRUE(strokes(*host).empty());
    EXPECT_TRUE(drawnTexts(*host).empty());
}

struct FrameCase {
    const char* name;
    kit::View label;
    kit::Size size;
};

TEST_F(POITest, LabelsArePaddedFilledClippedAndBorderedByTheirKind)
{
    // "25" in caption is 12 × 12.
    const auto bars = barData({1});
    const auto horizontal = horizontalData({1});
    const kit::Font font = kit::Font::caption();
    const kit::Color black = kit::Color::black(), white = kit::Color::white(), red = kit::Color::red();
    const kit::StrokeStyle stroke{.lineWidth = 3};
    const FrameCase cases[] = {
        {"value on the axis: 4 all round",
         poiLabelAxis(*bars, 25, "%.0f", nullptr, font, black, white, red, std::nullopt, std::nullopt),
         {20, 20}},
        {"value in the centre: the standard 16",
         poiLabelCenter(*bars, 25, "%.0f", nullptr, font, black, white, red, stroke, std::nullopt, std::nullopt),
         {44, 44}},
        {"no padding",
         poiLabelCenter(*bars, 25, "%.0f", nullptr, font, black, white, red, stroke, std::nullopt, 0.0),
         {12, 12}},
        {"a formatter without text: still a label",
         poiLabelAxis(*bars, 25, "%.0f", std::make_shared<SilentFormatter>(), font, black, white, red, std::nullopt,
                      std::nullopt),
         {8, 20}},
        {"a bar on the axis: 4 more at top and bottom",
         poiAbscissaLabelAxis(*bars, "25", font, black, white, red, std::nullopt, std::nullopt),
         {20, 28}},
        {"also without padding",
         poiAbscissaLabelAxis(*bars, "25", font, black, white, red, std::nullopt, 0.0),
         {12, 20}},
        {"a horizontal bar on the axis",
         poiAbscissaLabelAxis(*horizontal, "25", font, black, white, red, std::nullopt, std::nullopt),
         {20, 20}},
        {"a bar in the centre",
         poiAbscissaLabelCenter(*bars, "25", font, black, white, red, stroke, std::nullopt, 2.0),
         {16, 16}},
    };
    for (const FrameCase& c : cases) {
        kit::ViewHost labelHost(c.label.id("label"), {200, 200});
        settle(labelHost);
        EXPECT_EQ(frameOf(labelHost, "label").size, c.size) << c.name;
    }

    // The axis label of leading y-axis labels is a callout pointing at the
    // chart, bordered 1 wide; a custom shape replaces it for clip and border.
    kit::ViewHost callout(poiLabelAxis(*bars, 25, "%.0f", nullptr, font, black, white, red, std::nullopt, std::nullopt),
                          {20, 20});
    settle(callout);
    const auto borders = callout.displayList().itemsOfKind(kit::DisplayItem::Kind::stroke);
    ASSERT_EQ(borders.size(), 1u);
    EXPECT_EQ(pathPoints(borders[0]->path), (std::vector<kit::Point>{{0, 20}, {16, 20}, {20, 10}, {16, 0}, {0, 0}}));
    EXPECT_EQ(borders[0]->strokeStyle, kit::StrokeStyle{});
    EXPECT_EQ(std::get<kit::Color>(borders[0]->paint).components(), red.resolved());
    const auto fills = callout.displayList().itemsOfKind(kit::DisplayItem::Kind::fill);
    ASSERT_EQ(fills.size(), 1u);
    ASSERT_EQ(fills[0]->clips.size(), 1u);
    EXPECT_EQ(pathPoints(fills[0]->clips[0].path), pathPoints(borders[0]->path)) << "filled within the same shape";

    kit::ViewHost custom(poiLabelCenter(*bars, 25, "%.0f", nullptr, font, black, white, red, stroke,
                                        CustomLabelShape(BottomLabelShape()), 4.0),
                         {20, 20});
    settle(custom);
    const auto customBorder = custom.displayList().itemsOfKind(kit::DisplayItem::Kind::stroke);
    ASSERT_EQ(customBorder.size(), 1u);
    EXPECT_EQ(pathPoints(customBorder[0]->path),
              (std::vector<kit::Point>{{0, 20}, {20, 20}, {20, 6}, {10, 0}, {0, 6}}));
    EXPECT_EQ(customBorder[0]->strokeStyle, stroke);
}

TEST_F(POITest, APositionedLabelTakesItsShareOfTheFreeRoomOnceMeasuredAndNeverLeavesItsRow)
{
    struct Case {
        const char* name;
        PositionedPOILabel::Orientation orientation;
        double distance;
        kit::Size label;
        double gap; // before the label, after measuring
    };
    using O = PositionedPOILabel::Orientation;
    const Case cases[] = {
        {"a quarter of 300 − 100", O::horizontal, 0.25, {100, 20}, 50},
        {"against the leading edge", O::horizontal, 0, {100, 20}, 0},
        {"against the trailing edge", O::horizontal, 1, {100, 20}, 200},
        {"centred", O::horizontal, 0.5, {100, 20}, 100},
        // No room before it: the 400-wide row overflows its 300-wide frame
        // by 50 on each side, the label at the row's leading edge.
        {"wider than its row", O::horizontal, 0.5, {400, 20}, -50},
        {"down a column of 100", O::vertical, 0.25, {20, 20}, 20},
    };
    for (const Case& c : cases) {
        const kit::View content = kit::View(kit::Color::red()).frame(c.label.width, c.label.height).id("label");
        kit::ViewHost labelHost(kit::View(PositionedPOILabel([content] { return content; }, c.orientation, c.distance))
                                    .frame(300, 100)
                                    .id("row"),
                                {300, 100});
        const bool horizontal = c.orientation == O::horizontal;
        auto offset = [&] {
            const kit::Rect label = frameOf(labelHost, "label"), row = frameOf(labelHost, "row");
            return horizontal ? label.minX() - row.minX() : label.minY() - row.minY();
        };
        settle(labelHost);
        EXPECT_EQ(offset(), c.gap) << c.name;
    }

    // On a bar chart whose y-axis labels stand trailing, a value label at
    // 0.25 counts from the trailing edge: the 44-wide label "25" stands
    // 0.75 × (300 − 44) from the leading edge.
    const auto bars = barData({0, 100});
    bars->chartStyle.modify([](BarChartStyle& s) { s.yAxisLabelPosition = YAxisLabelPosistion::trailing; });
    kit::ViewHost placed(poiLabelPosition(*bars, 0.25, 25, "%.0f", nullptr, kit::Font::caption(), kit::Color::black(),
                                          kit::Color::white(), kit::Color::red(), kit::StrokeStyle{}, std::nullopt,
                                          std::nullopt),
                         {300, 100});
    settle(placed);
    EXPECT_EQ(placed.displayList().textItem("25")->hostBounds().minX(), 192 + 16);
}

} // namespace
