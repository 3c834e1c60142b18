#include "OverlayTest.h"
#include "tests/charts/axes/AxisViewTest.h"
#include "tests/charts/line/LineTest.h"

#include "charts/axes/XAxisLabels.h"
#include "charts/axes/YAxisLabels.h"
#include "charts/bar/BarChart.h"
#include "charts/overlays/LinearTrendLine.h"

#include <QImage>

#include <cmath>
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

using TrendLineRender = AxisViewTest;

// Whether the pixel at (x, y) is painted opaque in `colour`.
bool painted(const QImage& image, int x, int y, kit::Color colour)
{
    const QColor c = image.pixelColor(x, y);
    const kit::RGBA want = colour.resolved();
    return c.alphaF() > 0.95 && std::abs(c.redF() - want.red) < 0.05 && std::abs(c.greenF() - want.green) < 0.05 &&
           std::abs(c.blueF() - want.blue) < 0.05;
}

TEST_F(TrendLineRender, StaysInsideThePlotWhereItsValuesLeaveTheValueAxis)
{
    const kit::Color magenta = kit::Color::rgb(1, 0, 1);
    // The bars 0, 40, 80 and 100: the value axis runs from 0 with range 100.
    // A line from −50 to 100 stands at −50 + 150 × s a share s across the
    // plot: below its bottom edge (over the x-axis labels) for s < 1/3, on
    // the value 50 at s = 2/3, on the top edge at s = 1.
    for (const kit::Size size : {kit::Size{300, 200}, kit::Size{800, 600}}) {
        SCOPED_TRACE(::testing::Message() << size.width << " x " << size.height);
        const auto chart = barData({0, 40, 80, 100});
        chart->disableAnimation = true;
        kit::View view = applyLinearTrendLine(kit::View(BarChart(chart)).id("plot"), chart, -50, 100,
                                              ColourStyle(magenta), kit::StrokeStyle{.lineWidth = 3});
        view = applyYAxisLabels(applyXAxisLabels(view, chart), chart, "%.0f");
        kit::ViewHost host(view, size);
        settle(host);
        const kit::Rect plot = frameOf(host, "plot");
        ASSERT_GT(plot.height(), size.height / 2);
        const QImage image = host.renderImage(1);

        // Nothing of the line outside the plot (a pixel of antialiasing at its edges aside).
        int outside = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (painted(image, x, y, magenta) &&
                    (x + 1 < plot.minX() || x > plot.maxX() || y + 1 < plot.minY() || y > plot.maxY()))
                    ++outside;
        EXPECT_EQ(outside, 0) << "pixels of the trend line outside the plot";

        // Inside it the line is drawn as before: on the value 50 two thirds across.
        const double x = plot.minX() + plot.width() * 2 / 3;
        const double y = plot.maxY() - plot.height() * 0.5;
        bool found = false;
        for (int dy = -2; dy <= 2 && !found; ++dy)
            for (int dx = -2; dx <= 2 && !found; ++dx)
                found = painted(image, int(std::floor(x)) + dx, int(std::floor(y)) + dy, magenta);
        EXPECT_TRUE(found) << "the line near " << x << ", " << y;
    }
}

} // namespace
