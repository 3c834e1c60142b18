#include "OverlayTest.h"
#include "tests/charts/line/LineTest.h"

#include "charts/overlays/LinearTrendLine.h"

#include <limits>

namespace {

using namespace charts;
using namespace charts::testing;

constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr double inf = std::numeric_limits<double>::infinity();

TEST(LinearTrendLineShape, RunsFromTheLeadingToTheTrailingEdgeAtItsValuesHeights)
{
    struct Case {
        const char* what;
        double first, last, range, minValue;
        kit::Rect rect;
        std::optional<std::pair<kit::Point, kit::Point>> ends;
    };
    const Case cases[] = {
        // y = h − (v − min) × h / range.
        {"rising", 25, 75, 100, 0, {0, 0, 200, 100}, {{{0, 75}, {200, 25}}}},
        {"flat", 40, 40, 100, 0, {0, 0, 200, 100}, {{{0, 60}, {200, 60}}}},
        {"outside the span, unclamped", -50, 150, 100, 0, {0, 0, 200, 100}, {{{0, 150}, {200, -50}}}},
        {"on the edges of a shifted axis", 10, 30, 20, 10, {0, 0, 50, 100}, {{{0, 100}, {50, 0}}}},
        {"the origin is not added", 25, 75, 100, 0, {10, 10, 200, 100}, {{{0, 75}, {200, 25}}}},
        {"no span: on the bottom edge", 25, 75, 0, 25, {0, 0, 200, 100}, {{{0, 100}, {200, 100}}}},
        {"a first value that is not a number", nan, 75, 100, 0, {0, 0, 200, 100}, std::nullopt},
        {"an infinite last value", 25, inf, 100, 0, {0, 0, 200, 100}, std::nullopt},
        {"a range that is not a number", 25, 75, nan, 0, {0, 0, 200, 100}, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const kit::Path path = LinearTrendLineShape(c.first, c.last, c.range, c.minValue).path(c.rect);
        if (!c.ends) {
            EXPECT_TRUE(path.isEmpty());
            continue;
        }
        kit::Path expected;
        expected.move(c.ends->first);
        expected.addLine(c.ends->second);
        EXPECT_EQ(path, expected);
    }
}

class TrendLineTest : public UiTest {
protected:
    // Values 0 to 100: the axis runs from 0 with range 100.
    std::shared_ptr<LineChartData> chart = lineChart(lineSet({0, 100, 50}));
    kit::ViewHost host{kit::EmptyView(), {200, 100}};
    const kit::StrokeStyle stroke{.lineWidth = 2, .dash = {4, 2}};

    std::vector<const kit::DisplayItem*> strokes()
    {
        std::vector<const kit::DisplayItem*> found;
        for (const kit::DisplayItem& item : host.displayList().items)
            if (item.kind == kit::DisplayItem::Kind::stroke)
                found.push_back(&item);
        return found;
    }
};

TEST_F(TrendLineTest, IsDrawnOverTheChartOnItsCurrentValueAxis)
{
    host.setRoot(
        applyLinearTrendLine(kit::View(kit::Color::red()), chart, 25, 75, ColourStyle(kit::Color::blue()), stroke));
    auto lines = strokes();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0]->strokeStyle, stroke);
    EXPECT_EQ(paintOf(*lines[0]), kit::Color::blue().resolved());
    EXPECT_EQ(lines[0]->path, LinearTrendLineShape(25, 75, 100, 0).path({0, 0, 200, 100}));
    EXPECT_GT(drawingOrderOf(host, kit::Color::blue()), drawingOrderOf(host, kit::Color::red()));
    // Drawn whole at once, with no animation running.
    EXPECT_FALSE(host.isAnimating());

    // New data: the axis now runs from 0 to 200, and 25 stands at 100 − 12.5.
    chart->dataSets.modify([](auto& set) { set = lineSet({0, 200}); });
    host.update();
    lines = strokes();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0]->path.elements().front().point, (kit::Point{0, 87.5}));
}

TEST_F(TrendLineTest, AColourLackingWhatItsKindNeedsDrawsNoLine)
{
    ColourStyle noColour(kit::Color::blue());
    noColour.colour.reset();
    ColourStyle noEnd({kit::Color::blue(), kit::Color::green()}, kit::UnitPoint::leading(), kit::UnitPoint::trailing());
    noEnd.endPoint.reset();
    ColourStyle noStops({GradientStop{kit::Color::blue(), 0}}, kit::UnitPoint::top(), kit::UnitPoint::bottom());
    noStops.stops.reset();
    struct Case {
        const char* what;
        ColourStyle colour;
        bool drawn;
    };
    const Case cases[] = {
        {"flat colour", ColourStyle(kit::Color::blue()), true},
        {"colours",
         ColourStyle({kit::Color::blue(), kit::Color::green()}, kit::UnitPoint::leading(), kit::UnitPoint::trailing()),
         true},
        {"stops",
         ColourStyle({GradientStop{kit::Color::blue(), 0}, GradientStop{kit::Color::green(), 1}}, kit::UnitPoint::top(),
                     kit::UnitPoint::bottom()),
         true},
        {"a colour kind without its colour", noColour, false},
        {"colours without an end point", noEnd, false},
        {"stops without their stops", noStops, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        host.setRoot(applyLinearTrendLine(kit::View(kit::Color::red()), chart, 25, 75, c.colour, stroke));
        EXPECT_EQ(strokes().size(), c.drawn ? 1u : 0u);
        EXPECT_EQ(itemsPainted(host, kit::Color::red(), kit::DisplayItem::Kind::fill).size(), 1u);
    }
}

} // namespace
