// The line charts' views, read from the display list and the accessibility tree.
//
// Sections:
//   touch markers        LineMarkerTest: each marker type, its colour, one per line, the ranged
//                        marker, the indicator switch
//   point markers        PointsViewTest: types and colours, ignored zeros, animation, laid over
//                        the chart
//   accessibility        LineAccessibilityTest: an element per point over its share, the texts of
//                        each chart kind
//   x-axis labels        LineXAxisLabelsTest: from the points or from the chart

#include "LineTest.h"

#include "charts/line/PointMarkers.h"
#include "charts/line/PosistionIndicator.h"
#include "tests/charts/core/TestExtraLine.h"

namespace {

using namespace charts;
using namespace charts::testing;

std::vector<const kit::DisplayItem*> allItems(kit::ViewHost& host)
{
    std::vector<const kit::DisplayItem*> items;
    for (const kit::DisplayItem& item : host.displayList().items)
        items.push_back(&item);
    return items;
}

// Views drawn over one another, each over the whole frame, as the line
// charts lay them.
kit::View stacked(const kit::View& view)
{
    return kit::ZStack({view});
}

// The items that draw something: an empty path draws nothing.
std::vector<const kit::DisplayItem*> drawn(kit::ViewHost& host)
{
    std::vector<const kit::DisplayItem*> items;
    for (const kit::DisplayItem& item : host.displayList().items)
        if (!item.path.isEmpty())
            items.push_back(&item);
    return items;
}

kit::RGBA paintOf(const kit::DisplayItem* item)
{
    return std::get<kit::Color>(item->paint).resolved();
}

// Touch markers drawn in a 200 × 100 chart over the line 0 → 10 → 0 (three
// points, step 100, values 0 to 10: y(v) = 100 − 10v).
class LineMarkerTest : public UiTest {
protected:
    const DotStyle dot{12, kit::Color::white(), kit::Color::blue(), 2};
    const kit::Rect frame{0, 0, 200, 100};
    kit::ViewHost host{kit::EmptyView(), {200, 100}};

    template <class ChartData>
    std::vector<const kit::DisplayItem*> draw(const ChartData& chart, kit::Point touch)
    {
        host.setRoot(chart->touchMarkerView(touch, frame));
        return allItems(host);
    }
    std::shared_ptr<LineChartData> chartWith(LineMarkerType marker, std::vector<double> values = {0, 10, 0})
    {
        return lineChart(lineSet(values), lineChartStyle(std::move(marker)));
    }
};

TEST_F(LineMarkerTest, EachMarkerTypeDrawsWhatItNames)
{
    const kit::StrokeStyle dashed{.lineWidth = 3, .dash = {4, 2}};
    // At x 50 a quarter of the chords (0,100)→(100,0)→(200,100) lies left of
    // the touch: the piece 0.2828 long from (50, 50) is centred on (50.1, 49.9).
    const kit::Point onLine{50.1, 49.9};
    struct Case {
        const char* what;
        LineMarkerType marker;
        double touchX;
        int strokes, fills;
        std::optional<double> strokeX; // the vertical arm's x
    };
    const Case cases[] = {
        {"none", LineMarkerType::none(), 50, 0, 0, std::nullopt},
        {"indicator", LineMarkerType::indicator(dot), 50, 0, 2, std::nullopt},
        {"vertical on the line, no dot",
         LineMarkerType::vertical(MarkerAttachment::line(Dot::none()), kit::Color::red(), dashed), 50, 1, 0, onLine.x},
        {"full on the line with its dot",
         LineMarkerType::full(MarkerAttachment::line(Dot::style(dot)), kit::Color::red(), dashed), 50, 1, 2, onLine.x},
        // At a point: the nearer point, x 100 for a touch at 60, not the line under the touch.
        {"vertical at the point", LineMarkerType::vertical(MarkerAttachment::point(), kit::Color::red(), dashed), 60, 1,
         0, 100.0},
        // More than half a step beyond the last point: nothing.
        {"vertical beyond the points", LineMarkerType::vertical(MarkerAttachment::point(), kit::Color::red(), dashed),
         251, 0, 0, std::nullopt},
        {"top trailing at the point", LineMarkerType::topTrailing(MarkerAttachment::point(), kit::Color::red(), dashed),
         140, 1, 0, 100.0},
    };
    for (const Case& c : cases) {
        const auto items = draw(chartWith(c.marker), {c.touchX, 10});
        int strokes = 0, fills = 0;
        for (const kit::DisplayItem* item : items) {
            if (item->kind == kit::DisplayItem::Kind::stroke) {
                ++strokes;
                EXPECT_EQ(paintOf(item), kit::Color::red().resolved()) << c.what;
                EXPECT_EQ(item->strokeStyle, dashed) << c.what;
                if (c.strokeX) {
                    const auto& elements = item->path.elements();
                    EXPECT_NEAR(elements.back().point.x, *c.strokeX, 1e-6) << c.what;
                }
            } else if (item->kind == kit::DisplayItem::Kind::fill) {
                ++fills;
            }
        }
        EXPECT_EQ(strokes, c.strokes) << c.what;
        EXPECT_EQ(fills, c.fills) << c.what;
    }
    // The dot is dot-size and centred on the line under the touch.
    const auto indicator = draw(chartWith(LineMarkerType::indicator(dot)), {50, 10});
    ASSERT_EQ(indicator.size(), 2u);
    EXPECT_EQ(paintOf(indicator[0]), kit::Color::blue().resolved());
    expectRect(indicator[0]->hostBounds(), kit::Rect(onLine.x - 6, onLine.y - 6, 12, 12), 1e-6);
    expectRect(indicator[1]->hostBounds(), kit::Rect(onLine.x - 4, onLine.y - 4, 8, 8), 1e-6);
}

TEST_F(LineMarkerTest, BottomLeadingOnTheLineIsDrawnInThePrimaryColourTwoWide)
{
    const kit::StrokeStyle wide{.lineWidth = 5};
    const auto onLine =
        draw(chartWith(LineMarkerType::bottomLeading(MarkerAttachment::line(Dot::none()), kit::Color::red(), wide)),
             {50, 10});
    ASSERT_EQ(onLine.size(), 1u);
    EXPECT_EQ(paintOf(onLine[0]), kit::Color::primary().resolved());
    EXPECT_EQ(onLine[0]->strokeStyle, (kit::StrokeStyle{.lineWidth = 2}));
    const auto atPoint =
        draw(chartWith(LineMarkerType::bottomLeading(MarkerAttachment::point(), kit::Color::red(), wide)), {50, 10});
    ASSERT_EQ(atPoint.size(), 1u);
    EXPECT_EQ(paintOf(atPoint[0]), kit::Color::red().resolved());
    EXPECT_EQ(atPoint[0]->strokeStyle, wide);
}

TEST_F(LineMarkerTest, EveryLineGetsItsOwnMarkerAndALineWithoutLengthNone)
{
    // Values 0 to 10 over both lines: (0,100)→(200,0) and (0,0)→(200,100); a one-point line has no length.
    const auto chart = multiLineChart({lineSet({0, 10}), lineSet({10, 0}), lineSet({5})},
                                      lineChartStyle(LineMarkerType::indicator(dot)));
    const auto dots = draw(chart, {100, 10});
    ASSERT_EQ(dots.size(), 4u);
    EXPECT_NEAR(dots[0]->hostBounds().midX(), 100.1, 1e-6);
    EXPECT_NEAR(dots[0]->hostBounds().midY(), 49.95, 1e-6);
    EXPECT_NEAR(dots[2]->hostBounds().midY(), 50.05, 1e-6);

    // At the point the one-point line still finds nothing, the others their nearest points.
    const auto point =
        multiLineChart({lineSet({0, 10}), lineSet({5})},
                       lineChartStyle(LineMarkerType::vertical(MarkerAttachment::point(), kit::Color::red(), {})));
    EXPECT_EQ(draw(point, {150, 10}).size(), 1u);
}

TEST_F(LineMarkerTest, TheRangedMarkerFollowsTheValuesAndTheExtraLineComesLast)
{
    // Values 5 → 5 over a band 0 to 10: the line is flat at y 50 whatever the band.
    const auto chart = rangedChart({{5, 10, 0}, {5, 8, 2}}, rangedStyle(),
                                   lineChartStyle(LineMarkerType::indicator(dot)));
    auto items = draw(chart, {100, 10});
    ASSERT_EQ(items.size(), 2u);
    EXPECT_NEAR(items[0]->hostBounds().midY(), 50, 1e-6);

    chart->extraLineData = extraLine({0, 10}, extraLineStyle(LineMarkerType::indicator(dot)));
    items = draw(chart, {100, 10});
    ASSERT_EQ(items.size(), 4u);
    EXPECT_NEAR(items[2]->hostBounds().midX(), 100.1, 0.2);
}

TEST_F(LineMarkerTest, TheIndicatorSwitchDrawsADotOrNothing)
{
    host.setRoot(IndicatorSwitch(Dot::style(dot), {30, 40}));
    const auto items = allItems(host);
    ASSERT_EQ(items.size(), 2u);
    expectRect(items[0]->hostBounds(), {24, 34, 12, 12});
    host.setRoot(IndicatorSwitch(Dot::none(), {30, 40}));
    EXPECT_TRUE(allItems(host).empty());
}

class PointsViewTest : public UiTest {};

TEST_F(PointsViewTest, MarkersArePaintedByTheirTypeAndPointColour)
{
    // Three points in 200 × 100, values 0 to 10, markers 10 across.
    auto points = linePoints({0, 5, 10});
    points[1].pointColour = PointColour{kit::Color::green(), kit::Color::yellow()};
    struct Case {
        PointType type;
        std::vector<kit::DisplayItem::Kind> kinds; // per marker
    };
    const Case cases[] = {
        {PointType::filled, {kit::DisplayItem::Kind::fill}},
        {PointType::outline, {kit::DisplayItem::Kind::stroke}},
        {PointType::filledOutLine, {kit::DisplayItem::Kind::fill, kit::DisplayItem::Kind::stroke}},
    };
    for (const Case& c : cases) {
        LineDataSet set(points, "Line", pointStyle(c.type), lineStyle());
        kit::ViewHost host(stacked(PointsSubView<LineDataSet>(set, 0, 10, kit::Animation::linear(0.3), false, true)),
                           {200, 100});
        const auto items = allItems(host);
        ASSERT_EQ(items.size(), 3 * c.kinds.size()) << static_cast<int>(c.type);
        for (std::size_t i = 0; i < items.size(); ++i) {
            const std::size_t marker = i / c.kinds.size();
            const kit::DisplayItem* item = items[i];
            EXPECT_EQ(item->kind, c.kinds[i % c.kinds.size()]);
            const bool fill = item->kind == kit::DisplayItem::Kind::fill;
            const kit::Color expected = marker == 1 ? (fill ? kit::Color::yellow() : kit::Color::green())
                                                    : (fill ? kit::Color::white() : kit::Color::blue());
            EXPECT_EQ(paintOf(item), expected.resolved());
            if (!fill) {
                EXPECT_EQ(item->strokeStyle, (kit::StrokeStyle{.lineWidth = 2}));
            }
            const kit::Rect bounds = pathBounds(*item);
            EXPECT_NEAR(bounds.midX(), 100.0 * static_cast<double>(marker), 1e-6);
            EXPECT_NEAR(bounds.midY(), 100 - 50.0 * static_cast<double>(marker), 1e-6);
        }
    }
}

TEST_F(PointsViewTest, AnIgnoredZeroHasNoMarkerAndNoPointsNone)
{
    LineDataSet set = lineSet({0, 5, 10}, lineStyle(true));
    kit::ViewHost host(stacked(PointsSubView<LineDataSet>(set, 0, 10, kit::Animation::linear(0.3), false, true)),
                       {200, 100});
    EXPECT_EQ(drawn(host).size(), 2u);
    host.setRoot(stacked(PointsSubView<LineDataSet>(lineSet({}), 0, 10, kit::Animation::linear(0.3), false, true)));
    EXPECT_TRUE(drawn(host).empty());
}

TEST_F(PointsViewTest, AnimatedMarkersAreTracedOrRiseWhileTheFillStandsAtOnce)
{
    LineDataSet set(linePoints({5, 5}), "Line", pointStyle(PointType::filledOutLine), lineStyle());
    kit::ViewHost host(stacked(PointsSubView<LineDataSet>(set, 0, 10, kit::Animation::linear(1), false, false)),
                       {200, 100});
    // Half way through the animation the outline is half traced; the fill is whole.
    kit::Clock::advance(0.5);
    host.update();
    auto items = allItems(host);
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(items[0]->kind, kit::DisplayItem::Kind::fill);
    EXPECT_NEAR(pathBounds(*items[0]).height(), 10, 1e-6);
    EXPECT_NEAR(items[1]->path.length(), 0.5 * kit::Path::ellipse({-5, 45, 10, 10}).length(), 0.05);
    kit::Clock::advance(1);
    host.update();
    items = allItems(host);
    EXPECT_NEAR(items[1]->path.length(), kit::Path::ellipse({-5, 45, 10, 10}).length(), 1e-6);

    // Over a filled chart the markers rise from the bottom edge instead.
    LineDataSet filled(linePoints({5, 5}), "Line", pointStyle(PointType::filled), lineStyle());
    kit::ViewHost risen(stacked(PointsSubView<LineDataSet>(filled, 0, 10, kit::Animation::linear(1), true, false)),
                        {200, 100});
    kit::Clock::advance(0.5);
    risen.update();
    const kit::Rect bounds = allItems(risen)[0]->hostBounds();
    EXPECT_NEAR(bounds.height(), 5, 1e-6);
    EXPECT_NEAR(bounds.midY(), 75, 1e-6);
}

TEST_F(PointsViewTest, PointMarkersLayTheChartsPointsOverItsContentWhileItHasData)
{
    const auto chart = lineChart(lineSet({2, 4}));
    chart->disableAnimation = true;
    kit::ViewHost host(applyPointMarkers(kit::View(kit::Color::red()), chart), {100, 100});
    EXPECT_EQ(allItems(host).size(), 3u);
    const auto empty = lineChart(lineSet({2}));
    host.setRoot(applyPointMarkers(kit::View(kit::Color::red()), empty));
    EXPECT_EQ(allItems(host).size(), 1u);
    // A filled chart's markers: the multi-line chart's never rise, one PointsSubView per line.
    const auto multi = multiLineChart({lineSet({1, 2}), lineSet({3, 4, 5})});
    multi->disableAnimation = true;
    host.setRoot(stacked(multi->pointsView()));
    EXPECT_EQ(allItems(host).size(), 5u);
}

class LineAccessibilityTest : public UiTest {};

TEST_F(LineAccessibilityTest, EveryPointIsAnElementOverItsShareOfTheChart)
{
    auto set = lineSet({12, 1, 2, 3, 4});
    set.dataPoints[0].description = "Mon";
    const auto chart = lineChart(set);
    kit::ViewHost host(stacked(chart->accessibilityView()), {400, 100});
    const auto elements = host.accessibilityElements();
    ASSERT_EQ(elements.size(), 5u);
    EXPECT_EQ(elements[0].label, "Title");
    EXPECT_EQ(elements[0].value, "12 Mon");
    EXPECT_EQ(elements[1].value, "1 ");
    // The bands show nothing: one hit area holds them, painting no pixel.
    const TouchAreas bands = touchAreas(host);
    ASSERT_EQ(bands.bounds.size(), 5u);
    expectRect(bands.bounds[0], {-50, 0, 100, 100});
    expectRect(bands.bounds[4], {350, 0, 100, 100});
    EXPECT_TRUE(host.displayList().itemsOfKind(kit::DisplayItem::Kind::fill).empty());

    // Two lines of 3 and 5 points: 8 elements, those of the short line twice as wide.
    const auto multi = multiLineChart({lineSet({1, 2, 3}), lineSet({1, 2, 3, 4, 5})});
    host.setRoot(stacked(multi->accessibilityView()));
    const auto multiAreas = host.displayList().itemsOfKind(kit::DisplayItem::Kind::hitArea);
    ASSERT_EQ(multiAreas.size(), 2u) << "a hit area a line";
    ASSERT_EQ(multiAreas[0]->areas->size(), 3u);
    ASSERT_EQ(multiAreas[1]->areas->size(), 5u);
    EXPECT_NEAR(multiAreas[0]->areas->front().boundingRect().width(), 200, 1e-6);
    EXPECT_NEAR(multiAreas[1]->areas->front().boundingRect().width(), 100, 1e-6);
    host.setRoot(stacked(lineChart(lineSet({}))->accessibilityView()));
    EXPECT_TRUE(host.accessibilityElements().empty());
}

TEST_F(LineAccessibilityTest, EachChartKindListsItsPointsTextsFromTheDataAsItStands)
{
    // Three points over 300 wide: each element covers the whole chart, each
    // band 150 wide centred on its point (at 0, 150 and 300).
    auto set = lineSet({4, 8, 15});
    set.dataPoints[1].description = "Tue";
    const auto chart = lineChart(set);
    kit::ViewHost host(stacked(chart->accessibilityView()), {300, 100});
    struct Expected {
        std::string value;
        double bandLeft;
    };
    const Expected expected[] = {{"4 ", -75}, {"8 Tue", 75}, {"15 ", 225}};
    auto elements = host.accessibilityElements();
    const TouchAreas bands = touchAreas(host);
    ASSERT_EQ(elements.size(), 3u);
    ASSERT_EQ(bands.bounds.size(), 3u);
    EXPECT_TRUE(bands.item->hittable);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(elements[i].label, "Title") << i;
        EXPECT_EQ(elements[i].value, expected[i].value) << i;
        EXPECT_EQ(elements[i].role, kit::AccessibilityElement::Role::graphic) << i;
        expectRect(elements[i].frame, {0, 0, 300, 100});
        expectRect(bands.bounds[i], {expected[i].bandLeft, 0, 150, 100});
        EXPECT_TRUE(bands.item->hitTest({expected[i].bandLeft + 75, 50})) << i;
    }
    chart->dataSets.modify([](LineDataSet& s) { s.dataPoints[2].value = 16; });
    host.setRoot(stacked(chart->accessibilityView()));
    elements = host.accessibilityElements();
    ASSERT_EQ(elements.size(), 3u);
    EXPECT_EQ(elements[2].value, "16 ");

    struct Case {
        const char* what;
        kit::View view;
        std::vector<std::string> values;
    };
    LineChartData unshared(lineSet({3}), metadata(), std::nullopt, std::nullopt, lineChartStyle(), kit::EmptyView());
    const Case cases[] = {
        {"multi-line, set by set",
         multiLineChart({lineSet({1, 2}), lineSet({3, 4, 5})})->accessibilityView(),
         {"1 ", "2 ", "3 ", "4 ", "5 "}},
        {"ranged, lower-upper", rangedChart({{5, 10, 0}, {7, 8, 2}})->accessibilityView(), {"0-10 ", "2-8 "}},
        {"chart data no shared pointer owns", unshared.accessibilityView(), {"3 "}},
    };
    for (const Case& c : cases) {
        host.setRoot(stacked(c.view));
        elements = host.accessibilityElements();
        ASSERT_EQ(elements.size(), c.values.size()) << c.what;
        for (std::size_t i = 0; i < elements.size(); ++i) {
            EXPECT_EQ(elements[i].label, "Title") << c.what;
            EXPECT_EQ(elements[i].value, c.values[i]) << c.what;
            expectRect(elements[i].frame, {0, 0, 300, 100});
        }
    }
}

} // namespace

namespace {

class LineXAxisLabelsTest : public UiTest {};

TEST_F(LineXAxisLabelsTest, LabelsComeFromThePointsOrFromTheChartAndStandOnTheirPoints)
{
    // A plot 200 wide from x = 50: three points at 50, 150 and 250.
    const kit::Rect plot{50, 0, 200, 20};
    const auto centres = [](kit::ViewHost& host) {
        std::vector<std::pair<std::string, double>> result;
        for (const kit::DisplayItem* item : textItems(host))
            result.emplace_back(textOf(item), item->hostBounds().midX());
        return result;
    };
    using Centres = std::vector<std::pair<std::string, double>>;
    auto set = lineSet({1, 2, 3});
    set.dataPoints[0].xAxisLabel = "Mon";
    set.dataPoints[1].xAxisLabel = "";
    set.dataPoints[2].xAxisLabel = "Wed";
    const auto single = lineChart(set);
    kit::ViewHost host(besidePlot(single.get(), plot, single->xAxisLabelsView()), {300, 40});
    kit::runUntilIdle();
    host.update();
    // An empty label leaves its place empty.
    EXPECT_EQ(centres(host), (Centres{{"Mon", 50}, {"Wed", 250}}));

    // A line of one point puts its label on the plot's leading edge.
    auto one = lineSet({1});
    one.dataPoints[0].xAxisLabel = "Only";
    const auto lone = lineChart(one);
    host.setRoot(besidePlot(lone.get(), plot, lone->xAxisLabelsView()));
    EXPECT_EQ(centres(host), (Centres{{"Only", 50}}));

    // Several lines: the first line's labels.
    const auto multi = multiLineChart({set, lineSet({4})});
    host.setRoot(besidePlot(multi.get(), plot, multi->xAxisLabelsView()));
    EXPECT_EQ(centres(host), (Centres{{"Mon", 50}, {"Wed", 250}}));
    const auto none = multiLineChart({});
    host.setRoot(besidePlot(none.get(), plot, none->xAxisLabelsView()));
    EXPECT_TRUE(texts(host).empty());

    LineChartStyle fromChart = lineChartStyle();
    fromChart.xAxisLabelsFrom = LabelsFrom::chartData(kit::Angle::zero());
    const auto ranged = rangedChart({{1, 2, 0}}, rangedStyle(), fromChart);
    host.setRoot(besidePlot(ranged.get(), plot, ranged->xAxisLabelsView()));
    EXPECT_TRUE(texts(host).empty());
    ranged->xAxisLabels = std::vector<std::string>{"Q1", "Q2", "Q3"};
    host.setRoot(besidePlot(ranged.get(), plot, ranged->xAxisLabelsView()));
    EXPECT_EQ(centres(host), (Centres{{"Q1", 50}, {"Q2", 150}, {"Q3", 250}}));
    // Each label measured itself into the layout record.
    EXPECT_EQ(ranged->viewData->xAxislabelWidths.size(), 3u);
}

} // namespace
