#include "OverlayTest.h"
#include "tests/charts/line/LineTest.h"

#include "charts/overlays/ExtraLinePoints.h"
#include "charts/overlays/ExtraLineViews.h"

namespace {

using namespace charts;
using namespace charts::testing;
using Spacing = ExtraLineStyle::SpacingType;

TEST(ExtraLineShape, FollowsItsLineTypeAndSpacing)
{
    // Values 0, 10, 5 on 0...10 in 100 × 50: y = 50 − 5v, so heights 50, 0, 25.
    // Line spacing puts them at x 0, 50, 100; bar spacing at the slot centres
    // 16.67, 50, 83.33 of slots 33.33 wide.
    const double a = 100.0 / 6, b = 50, c = 500.0 / 6;
    struct Case {
        const char* what;
        std::vector<double> values;
        LineType type;
        Spacing spacing;
        std::vector<PathStep> steps;
    };
    const Case cases[] = {
        {"line", {0, 10, 5}, LineType::line, Spacing::line, {M(0, 50), L(50, 0), L(100, 25)}},
        {"stepped",
         {0, 10, 5},
         LineType::stepped,
         Spacing::line,
         {M(0, 50), L(50, 50), L(50, 0), L(100, 0), L(100, 25)}},
        {"curved",
         {0, 10, 5},
         LineType::curvedLine,
         Spacing::line,
         {M(0, 50), C(50, 0, 25, 50, 25, 0), C(100, 25, 75, 0, 75, 25)}},
        {"line, bar spacing", {0, 10, 5}, LineType::line, Spacing::bar, {M(a, 50), L(b, 0), L(c, 25)}},
        {"stepped, bar spacing",
         {0, 10, 5},
         LineType::stepped,
         Spacing::bar,
         {M(a, 50), L(b, 50), L(b, 0), L(c, 0), L(c, 25)}},
        // Flat from the left edge to the first centre and from the last centre to the right edge.
        {"curved, bar spacing",
         {0, 10, 5},
         LineType::curvedLine,
         Spacing::bar,
         {M(0, 50), L(a, 50), C(b, 0, (a + b) / 2, 50, (a + b) / 2, 0), C(c, 25, (b + c) / 2, 0, (b + c) / 2, 25),
          L(100, 25)}},
        {"two points: one segment edge to edge", {0, 10}, LineType::line, Spacing::line, {M(0, 50), L(100, 0)}},
        {"one point, line", {5}, LineType::line, Spacing::line, {}},
        {"one point, stepped in slots", {5}, LineType::stepped, Spacing::bar, {}},
        {"one point, curved: a lone move", {5}, LineType::curvedLine, Spacing::line, {M(0, 25)}},
        {"one point, curved in slots: across the width",
         {5},
         LineType::curvedLine,
         Spacing::bar,
         {M(0, 25), L(50, 25), L(100, 25)}},
        {"no points, curved", {}, LineType::curvedLine, Spacing::bar, {}},
        {"no points, line", {}, LineType::line, Spacing::line, {}},
    };
    for (const Case& k : cases) {
        const ExtraLineShape shape(k.values, k.type, k.spacing, 10, 0);
        expectPath(shape.path({0, 0, 100, 50}), k.steps, k.what);
        // The rectangle's origin is never added.
        EXPECT_EQ(shape.path({10, 10, 100, 50}), shape.path({0, 0, 100, 50})) << k.what;
    }
}

// The extra line's views over a line chart, in a 100 × 50 host, on the manual clock.
class ExtraLineViewTest : public UiTest {
protected:
    std::shared_ptr<LineChartData> chart = lineChart(lineSet({1, 2, 3}));
    kit::ViewHost host{kit::EmptyView(), {100, 50}};
    const Stroke stroke{2, kit::LineCap::butt, kit::LineJoin::miter, 10, {}, 0};
    const kit::Color lineColour = kit::Color::purple();

    void setUp(std::vector<double> values, ExtraLineStyle style, double seconds = 1)
    {
        chart->chartStyle.modify([&](auto& s) { s.globalAnimation = kit::Animation::linear(seconds); });
        chart->extraLineData = extraLine(values, style);
    }
    void showLine() { host.setRoot(kit::ZStack({ColourExtraLineView<LineChartData>{chart, lineColour, stroke}})); }
    const kit::DisplayItem* line()
    {
        const auto items = itemsPainted(host, lineColour, kit::DisplayItem::Kind::stroke);
        return items.size() == 1 ? items[0] : nullptr;
    }
};

TEST_F(ExtraLineViewTest, TheLineSpansItsOwnValueRange)
{
    // Two points, line spacing: the heights of the first and last value in 50.
    struct Case {
        const char* what;
        std::vector<double> values;
        Baseline baseline;
        Topline topLine;
        double first, last;
    };
    const Case cases[] = {
        // Lowest 5 under the values 8 and 12: 8 stands 3/7 up.
        {"baseline below the data",
         {8, 12},
         Baseline::minimumWithMaximum(5),
         Topline::maximumValue(),
         50 - 150.0 / 7,
         0},
        {"baseline above the data", {2, 12}, Baseline::minimumWithMaximum(5), Topline::maximumValue(), 50, 0},
        {"top line under the data", {2, 12}, Baseline::minimumValue(), Topline::maximum(10), 50, 0},
        // Highest 10 over the values 2 and 8: 8 stands 6/8 up.
        {"top line over the data", {2, 8}, Baseline::minimumValue(), Topline::maximum(10), 50, 12.5},
        {"zero baseline", {5, 15}, Baseline::zero(), Topline::maximumValue(), 50 - 50.0 / 3, 0},
        // One value everywhere: a span of 1e-11, never 0, and the line on the bottom edge.
        {"all equal", {4, 4}, Baseline::minimumValue(), Topline::maximumValue(), 50, 50},
        // Below a zero baseline the span is negative and the line flips: −2 on the
        // top edge, −5 above it (f = −50 / −2 = 25).
        {"negative span", {-5, -2}, Baseline::zero(), Topline::maximumValue(), -75, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        setUp(c.values, extraLineStyle(LineMarkerType::none(), c.baseline, c.topLine));
        chart->disableAnimation = true;
        showLine();
        const kit::DisplayItem* item = line();
        ASSERT_TRUE(item);
        expectPath(item->path, {M(0, c.first), L(100, c.last)}, c.what);
    }
    // No extra line: nothing at all.
    chart->extraLineData = std::nullopt;
    host.update();
    EXPECT_TRUE(host.displayList().items.empty());
}

TEST_F(ExtraLineViewTest, TheLineIsDrawnInOrRaisedUnderTheChartsAnimation)
{
    // 0 → 10 across 100 × 50: one chord of length √(100² + 50²).
    const double length = std::hypot(100, 50);
    ExtraLineStyle style = extraLineStyle();
    setUp({0, 10}, style);
    showLine();
    ASSERT_TRUE(line() == nullptr || line()->path.length() < 1e-6);
    kit::Clock::advance(0.25);
    host.update();
    ASSERT_TRUE(line());
    EXPECT_NEAR(line()->path.length(), 0.25 * length, 0.05);
    kit::Clock::advance(0.75);
    host.update();
    EXPECT_NEAR(line()->path.length(), length, 1e-6);

    // Raised: every height from the bottom edge scaled by the fraction.
    style.animationType = ExtraLineStyle::AnimationType::raise;
    chart->extraLineData = extraLine({0, 10}, style);
    host.setRoot(kit::EmptyView());
    host.update();
    showLine();
    host.update();
    kit::Clock::advance(0.5);
    host.update();
    ASSERT_TRUE(line());
    // The end on the top edge has risen half way: 25 above the bottom.
    expectRect(pathBounds(*line()), {0, 25, 100, 25});

    // Without animation: whole on the first frame.
    chart->disableAnimation = true;
    host.setRoot(kit::EmptyView());
    host.update();
    showLine();
    ASSERT_TRUE(line());
    expectPath(line()->path, {M(0, 50), L(100, 0)}, "whole at once");
    EXPECT_FALSE(host.isAnimating());
}

TEST(PointBarSpcing, CentresEachMarkerInItsSlot)
{
    struct Case {
        const char* what;
        double value;
        int index, count;
        double minValue, range, size;
        kit::Rect rect;
        std::optional<kit::Rect> box;
    };
    const Case cases[] = {
        // Slots of 100: centres 50, 150, 250, 350; a 10-point marker's box starts 5 before.
        {"first of four", 5, 0, 4, 0, 10, 10, {0, 0, 400, 300}, kit::Rect{45, 145, 10, 10}},
        {"last of four", 10, 3, 4, 0, 10, 10, {0, 0, 400, 300}, kit::Rect{345, -5, 10, 10}},
        {"one point: half the width", 0, 0, 1, 0, 10, 10, {0, 0, 400, 300}, kit::Rect{195, 295, 10, 10}},
        // Zero baseline, 15 on 0...15 + 1e-11: just under the top edge.
        {"near the top",
         15,
         1,
         2,
         0,
         15 + 1e-11,
         4,
         {0, 0, 400, 300},
         kit::Rect{298, 300 - 300 * 15 / (15 + 1e-11) - 2, 4, 4}},
        {"origin not added", 5, 0, 4, 0, 10, 10, {20, 20, 400, 300}, kit::Rect{45, 145, 10, 10}},
        {"no points", 5, 0, 0, 0, 10, 10, {0, 0, 400, 300}, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const kit::Path path = PointBarSpcing(c.value, c.index, c.minValue, c.range, c.count, c.size, false,
                                              PointShape::square)
                                   .path(c.rect);
        if (!c.box) {
            EXPECT_TRUE(path.isEmpty());
            continue;
        }
        EXPECT_EQ(path, kit::Path::rect(*c.box));
    }
    // The outline by shape; an ignored zero has none.
    const kit::Rect box{45, 145, 10, 10};
    EXPECT_EQ(PointBarSpcing(5, 0, 0, 10, 4, 10, false, PointShape::circle).path({0, 0, 400, 300}),
              kit::Path::ellipse(box));
    kit::Path rounded;
    rounded.addRoundedRect(box, {3, 3}, kit::RoundedCornerStyle::continuous);
    EXPECT_EQ(PointBarSpcing(5, 0, 0, 10, 4, 10, false, PointShape::roundSquare).path({0, 0, 400, 300}), rounded);
    EXPECT_TRUE(PointBarSpcing(0, 0, 0, 10, 4, 10, true, PointShape::circle).path({0, 0, 400, 300}).isEmpty());
}

// Markers in a 400 × 300 host: point style 10 across, blue border of width 2, white fill.
class ExtraMarkerTest : public ExtraLineViewTest {
protected:
    ExtraMarkerTest() { host.setSize({400, 300}); }

    ExtraLineStyle markerStyle(PointType type, Spacing spacing)
    {
        ExtraLineStyle style = extraLineStyle(LineMarkerType::none(), Baseline::minimumValue(), Topline::maximumValue(),
                                              LineType::line, spacing);
        style.pointStyle = PointStyle{10, kit::Color::blue(), kit::Color::white(), 2, type, PointShape::circle};
        return style;
    }
    void showMarkers() { host.setRoot(kit::ZStack({PointsExtraLineView<LineChartData>{chart}})); }
    std::vector<double> centresX(kit::Color colour, kit::DisplayItem::Kind kind)
    {
        std::vector<double> xs;
        for (const kit::DisplayItem* item : itemsPainted(host, colour, kind))
            xs.push_back(pathBounds(*item).midX());
        return xs;
    }
};

TEST_F(ExtraMarkerTest, MarkersArePaintedByPointTypeAndPlacedBySpacing)
{
    struct Case {
        const char* what;
        PointType type;
        Spacing spacing;
        std::vector<double> values;
        std::vector<double> fills, outlines; // centres
    };
    const Case cases[] = {
        {"filled, line spacing", PointType::filled, Spacing::line, {0, 5, 10, 5, 0}, {0, 100, 200, 300, 400}, {}},
        {"outline, bar spacing", PointType::outline, Spacing::bar, {0, 5, 10, 5}, {}, {50, 150, 250, 350}},
        {"outline over fill", PointType::filledOutLine, Spacing::bar, {0, 10}, {100, 300}, {100, 300}},
        // One point under line spacing stands on the leading edge.
        {"one point, line spacing", PointType::filled, Spacing::line, {3}, {0}, {}},
        {"no points", PointType::filledOutLine, Spacing::line, {}, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        setUp(c.values, markerStyle(c.type, c.spacing));
        chart->disableAnimation = true;
        showMarkers();
        EXPECT_EQ(centresX(kit::Color::white(), kit::DisplayItem::Kind::fill), c.fills);
        EXPECT_EQ(centresX(kit::Color::blue(), kit::DisplayItem::Kind::stroke), c.outlines);
        for (const kit::DisplayItem* item : itemsPainted(host, kit::Color::blue(), kit::DisplayItem::Kind::stroke))
            EXPECT_EQ(item->strokeStyle, (kit::StrokeStyle{.lineWidth = 2}));
    }
    // A value of 0 gets its marker on the bottom edge.
    setUp({0, 10}, markerStyle(PointType::filled, Spacing::line));
    chart->disableAnimation = true;
    showMarkers();
    const auto fills = itemsPainted(host, kit::Color::white(), kit::DisplayItem::Kind::fill);
    ASSERT_EQ(fills.size(), 2u);
    expectRect(pathBounds(*fills[0]), {-5, 295, 10, 10});
}

TEST_F(ExtraMarkerTest, APointsOwnColoursWinForThatPointAlone)
{
    chart->chartStyle.modify([&](auto& s) { s.globalAnimation = kit::Animation::linear(1); });
    chart->disableAnimation = true;
    const ExtraLineStyle style = markerStyle(PointType::filledOutLine, Spacing::line);
    chart->extraLineData = ExtraLineData(
        "Extra",
        [] {
            return std::vector<ExtraLineDataPoint>{{1, std::nullopt, std::nullopt},
                                                   {2, PointColour{kit::Color::red(), kit::Color::yellow()},
                                                    std::nullopt}};
        },
        [&] { return style; });
    showMarkers();
    EXPECT_EQ(centresX(kit::Color::white(), kit::DisplayItem::Kind::fill), std::vector<double>{0});
    EXPECT_EQ(centresX(kit::Color::blue(), kit::DisplayItem::Kind::stroke), std::vector<double>{0});
    EXPECT_EQ(centresX(kit::Color::yellow(), kit::DisplayItem::Kind::fill), std::vector<double>{400});
    EXPECT_EQ(centresX(kit::Color::red(), kit::DisplayItem::Kind::stroke), std::vector<double>{400});
}

TEST_F(ExtraMarkerTest, TheOutlineIsTracedOverAFillThatIsWholeFromTheStart)
{
    setUp({5, 5}, markerStyle(PointType::filledOutLine, Spacing::bar));
    showMarkers();
    host.update();
    kit::Clock::advance(0.5);
    host.update();
    const auto fills = itemsPainted(host, kit::Color::white(), kit::DisplayItem::Kind::fill);
    const auto outlines = itemsPainted(host, kit::Color::blue(), kit::DisplayItem::Kind::stroke);
    ASSERT_EQ(fills.size(), 2u);
    ASSERT_EQ(outlines.size(), 2u);
    // All values equal: the span is 1e-11 and both markers sit on the bottom edge.
    expectRect(pathBounds(*fills[0]), {95, 295, 10, 10});
    const double circumference = kit::Path::ellipse({0, 0, 10, 10}).length();
    EXPECT_NEAR(outlines[0]->path.length(), 0.5 * circumference, 0.05);
    // The fill lies under the outline.
    EXPECT_LT(drawingOrderOf(host, kit::Color::white()), drawingOrderOf(host, kit::Color::blue()));

    // Raised markers grow from the bottom edge of the whole area.
    ExtraLineStyle raised = markerStyle(PointType::filled, Spacing::bar);
    raised.animationType = ExtraLineStyle::AnimationType::raise;
    setUp({0, 10}, raised);
    host.setRoot(kit::EmptyView());
    host.update();
    showMarkers();
    host.update();
    kit::Clock::advance(0.5);
    host.update();
    const auto risen = itemsPainted(host, kit::Color::white(), kit::DisplayItem::Kind::fill);
    ASSERT_EQ(risen.size(), 2u);
    // The marker of 10 (box −5...5 high) half way: 300 − (300 − y) / 2.
    const kit::Rect top = risen[1]->hostBounds();
    EXPECT_NEAR(top.minY(), 150 - 2.5, 1e-6);
    EXPECT_NEAR(top.height(), 5, 1e-6);
}

} // namespace
