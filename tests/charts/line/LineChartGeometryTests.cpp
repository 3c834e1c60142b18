// Where the line chart views draw: the lines, areas and bands of each chart
// in a 200 × 100 frame, read from the display list and worked out by hand
// (point i of n at x = i × 200 / (n − 1), a value v at
// y = 100 − (v − min) × 100 / range), with animation disabled so every layer
// stands complete.

#include "LineViewTest.h"

namespace {

using namespace charts;
using namespace charts::testing;

class LineChartGeometry : public UiTest {
protected:
    const kit::Size size{200, 100};
};

TEST_F(LineChartGeometry, EachChartDrawsItsLayersWhereTheirValuesLie)
{
    using K = kit::DisplayItem::Kind;
    struct Layer {
        K kind;
        std::vector<PathStep> path;
    };
    struct Case {
        const char* what;
        kit::View chart;
        std::vector<Layer> layers; // back to front
    };
    const auto line = [](std::vector<double> values, LineType type = LineType::line,
                         LineChartStyle style = lineChartStyle()) {
        return still(lineChart(lineSet(values, lineStyle(false, type)), std::move(style)));
    };
    auto filledData = line({0, 10});
    filledData->isFilled = true;
    const Case cases[] = {
        // 0 to 10: y = 100 − 10v.
        {"straight", LineChart(line({0, 5, 10})), {{K::stroke, {M(0, 100), L(100, 50), L(200, 0)}}}},
        // Control points half-way across each step, at the heights of their own ends.
        {"curved",
         LineChart(line({0, 5, 10}, LineType::curvedLine)),
         {{K::stroke, {M(0, 100), C(100, 50, 50, 100, 50, 50), C(200, 0, 150, 50, 150, 0)}}}},
        // 2 to 6: y = 100 − 25(v − 2).
        {"stepped",
         LineChart(line({2, 6, 4}, LineType::stepped)),
         {{K::stroke, {M(0, 100), L(100, 100), L(100, 0), L(200, 0), L(200, 50)}}}},
        // Baseline zero, top line 20: y = 100 − 5v.
        {"baseline and top line",
         LineChart(line({5, 10}, LineType::line,
                        lineChartStyle(LineMarkerType::none(), Baseline::zero(), Topline::maximum(20)))),
         {{K::stroke, {M(0, 75), L(200, 50)}}}},
        {"stroked even when the data is marked filled", LineChart(filledData), {{K::stroke, {M(0, 100), L(200, 0)}}}},
        {"filled down to the bottom edge",
         FilledLineChart(line({0, 5, 10})),
         {{K::fill, {M(0, 100), L(100, 50), L(200, 0), L(200, 100), L(0, 100), Z()}}}},
        // One scale over both sets, 0 to 200: y = 100 − v / 2; each set spans the width by its own step.
        {"multi-line",
         MultiLineChart(still(multiLineChart({lineSet({0, 10, 5}), lineSet({100, 200, 150, 100, 200})}))),
         {{K::stroke, {M(0, 100), L(100, 95), L(200, 97.5)}},
          {K::stroke, {M(0, 50), L(50, 0), L(100, 25), L(150, 50), L(200, 0)}}}},
        // (value, upper, lower): lowers 2, 4, 1 and uppers 8, 9, 5 give the
        // scale 1 to 9: y = 100 − 12.5(v − 1). The band, then the line over it.
        {"ranged",
         RangedLineChart(still(rangedChart({{5, 8, 2}, {6, 9, 4}, {3, 5, 1}}))),
         {{K::fill, {M(0, 12.5), L(100, 0), L(200, 50), L(200, 100), L(100, 62.5), L(0, 87.5), L(0, 12.5)}},
          {K::stroke, {M(0, 50), L(100, 37.5), L(200, 75)}}}},
    };
    for (const Case& c : cases) {
        kit::ViewHost host(c.chart, size);
        const auto items = painted(host);
        ASSERT_EQ(items.size(), c.layers.size()) << c.what;
        for (std::size_t i = 0; i < items.size(); ++i) {
            EXPECT_EQ(items[i]->kind, c.layers[i].kind) << c.what << " layer " << i;
            expectPath(hostPath(items[i]), c.layers[i].path, std::string(c.what) + " layer " + std::to_string(i));
        }
    }
}

TEST_F(LineChartGeometry, EveryColourKindPaintsAndAKindMissingAMemberDrawsNothing)
{
    const auto without = [](ColourStyle style, auto member) {
        (style.*member).reset();
        return style;
    };
    // The stops sorted by location, the earlier of two at 0.5 first.
    const kit::Gradient sorted(std::vector<kit::Gradient::Stop>{
        {kit::Color::blue(), 0}, {kit::Color::blue(), 0.5}, {kit::Color::red(), 0.5}, {kit::Color::red(), 1}});
    struct Case {
        const char* what;
        ColourStyle colour;
        std::optional<kit::Paint> paint; // none: that layer is left out
    };
    const Case cases[] = {
        {"colour", ColourStyle(kit::Color::green()), kit::Paint(kit::Color::green())},
        {"colours", redToBlue(),
         kit::LinearGradient{kit::Gradient({kit::Color::red(), kit::Color::blue()}), kit::UnitPoint::leading(),
                             kit::UnitPoint::trailing()}},
        {"stops", blueOverRed(), kit::LinearGradient{sorted, kit::UnitPoint::top(), kit::UnitPoint::bottom()}},
        {"colour kind without a colour", without(ColourStyle(kit::Color::red()), &ColourStyle::colour), {}},
        {"colours without an end point", without(redToBlue(), &ColourStyle::endPoint), {}},
        {"stops without stops", without(blueOverRed(), &ColourStyle::stops), {}},
        {"stops without a start point", without(blueOverRed(), &ColourStyle::startPoint), {}},
    };
    for (const Case& c : cases) {
        const LineStyle style = lineStyle(false, LineType::line, c.colour);
        RangedLineStyle band = rangedStyle(false, c.colour);
        band.lineColour = c.colour;
        struct Chart {
            const char* name;
            kit::View view;
            std::size_t own;    // layers in this colour, first
            std::size_t others; // layers drawn whatever the colour (a red line)
        };
        const Chart charts[] = {
            {"line", LineChart(still(lineChart(lineSet({0, 10}, style)))), 1, 0},
            {"filled", FilledLineChart(still(lineChart(lineSet({0, 10}, style)))), 1, 0},
            {"multi-line", MultiLineChart(still(multiLineChart({lineSet({0, 10}, style), lineSet({10, 0})}))), 1, 1},
            {"ranged band and line", RangedLineChart(still(rangedChart({{0, 10, 0}, {10, 10, 0}}, band))), 2, 0},
        };
        for (const Chart& chart : charts) {
            kit::ViewHost host(chart.view, size);
            const auto items = painted(host);
            const std::size_t own = c.paint ? chart.own : 0;
            ASSERT_EQ(items.size(), own + chart.others) << c.what << " in the " << chart.name << " chart";
            for (std::size_t i = 0; i < own; ++i)
                EXPECT_EQ(items[i]->paint, resolvedPaint(*c.paint)) << c.what << " in the " << chart.name << " chart";
            EXPECT_FALSE(touchAreas(host).bounds.empty()) << "the accessibility layer stays";
        }
    }
}

TEST_F(LineChartGeometry, TheLineTakesItsSetsStrokeFieldForFieldAndLiesOnANearInvisibleBackground)
{
    const Stroke stroke(4, kit::LineCap::square, kit::LineJoin::bevel, 5, {6, 2}, 1);
    kit::ViewHost host{LineChart(
                           still(lineChart(lineSet({0, 10}, strokedStyle(ColourStyle(kit::Color::red()), stroke))))),
                       size};
    const auto items = painted(host);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0]->strokeStyle, (kit::StrokeStyle{4, kit::LineCap::square, kit::LineJoin::bevel, 5, {6, 2}, 1}));
    // Behind it: the two accessibility strips (one hit area), then the
    // fixed grey at opacity 1e-9 over the whole frame, which takes part in
    // hit-testing.
    const TouchAreas strips = touchAreas(host);
    ASSERT_EQ(strips.bounds.size(), 2u);
    const auto hidden = invisible(host);
    ASSERT_EQ(hidden.size(), 1u);
    EXPECT_LT(strips.item, hidden[0]);
    EXPECT_EQ(std::get<kit::Color>(hidden[0]->paint), kit::Color::grayFixed().opacity(1e-9));
    expectRect(hidden[0]->hostBounds(), kit::Rect(0, 0, 200, 100));
    EXPECT_TRUE(hidden[0]->hittable && hidden[0]->hitTest({190, 90}));
}

TEST_F(LineChartGeometry, TheTopLineTakesItsOwnColourAndStrokeAndLiesUnderTheFill)
{
    // The set's own line is red and 5 wide; the top line blue, 2 wide and open.
    const Stroke wide(5, kit::LineCap::round, kit::LineJoin::round, 10, {}, 0);
    const kit::StrokeStyle thin{.lineWidth = 2};
    ColourStyle incomplete = redToBlue();
    incomplete.colours.reset();
    struct Case {
        const char* what;
        std::vector<double> values;
        ColourStyle colour;
        std::size_t items; // the top line, then the area
    };
    for (const Case& c : {Case{"drawn", {0, 5, 10}, ColourStyle(kit::Color::blue()), 2},
                          Case{"an incomplete colour", {0, 5, 10}, incomplete, 1},
                          Case{"one point", {5}, ColourStyle(kit::Color::blue()), 0}}) {
        auto data = still(lineChart(lineSet(c.values, strokedStyle(ColourStyle(kit::Color::red()), wide))));
        kit::ViewHost host(applyFilledTopLine(FilledLineChart(data), data, c.colour, thin), size);
        const auto items = painted(host);
        ASSERT_EQ(items.size(), c.items) << c.what;
        if (c.items == 2) {
            EXPECT_EQ(colourOf(items[0]), kit::Color::blue().resolved());
            EXPECT_EQ(items[0]->strokeStyle, thin);
            expectPath(hostPath(items[0]), {M(0, 100), L(100, 50), L(200, 0)}, "the top line is the open line");
            EXPECT_EQ(items[1]->kind, kit::DisplayItem::Kind::fill);
        }
    }
}

TEST_F(LineChartGeometry, WithoutEnoughPointsEachChartShowsItsNoDataText)
{
    const auto text = [](auto data) {
        data->noDataText = kit::Text(kit::Verbatim{"Nothing to show"});
        return data;
    };
    const std::pair<const char*, kit::View> cases[] = {
        {"line, one point", LineChart(text(lineChart(lineSet({5}))))},
        {"filled, no point", FilledLineChart(text(lineChart(lineSet({}))))},
        {"multi-line, one point in each",
         MultiLineChart(text(multiLineChart({lineSet({5}), lineSet({7}), lineSet({})})))},
        {"multi-line, no lines", MultiLineChart(text(multiLineChart({})))},
        {"ranged, one point", RangedLineChart(text(rangedChart({{5, 8, 2}})))},
    };
    for (const auto& [what, chart] : cases) {
        kit::ViewHost host(chart, size);
        EXPECT_EQ(texts(host), std::vector<std::string>{"Nothing to show"}) << what;
        EXPECT_TRUE(host.displayList().itemsOfKind(kit::DisplayItem::Kind::fill).empty()) << what;
        EXPECT_TRUE(host.displayList().itemsOfKind(kit::DisplayItem::Kind::hitArea).empty()) << what;
    }
    // Zeros under ignoreZero and points marked to be left out still count towards the two.
    auto counted = still(lineChart(lineSet({0, 0}, lineStyle(true))));
    counted->dataSets.modify([](LineDataSet& set) { set.dataPoints[1].ignoreMe = true; });
    kit::ViewHost host{LineChart(counted), size};
    EXPECT_TRUE(texts(host).empty());
}

} // namespace
