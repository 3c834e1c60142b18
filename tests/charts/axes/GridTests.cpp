#include "AxisViewTest.h"

#include "charts/axes/AxisGrid.h"

namespace {

using namespace charts;
using namespace charts::testing;

// The bar test style's grids: grey lines 1 point wide, animated with an
// ease-in-out of 0.3 seconds.
class GridTest : public AxisViewTest {
protected:
    static std::shared_ptr<BarChartData> gridChart(int xLines, int yLines, bool disableAnimation,
                                                   std::vector<double> values = {1, 2})
    {
        BarChartStyle style = barChartStyle();
        style.xAxisGridStyle.numberOfLines = xLines;
        style.yAxisGridStyle.numberOfLines = yLines;
        const auto chart = barData(values, style);
        chart->disableAnimation = disableAnimation;
        return chart;
    }

    // The x of every vertical line drawn, and the y of every horizontal one.
    static std::vector<double> linePlaces(kit::ViewHost& host)
    {
        std::vector<double> places;
        for (const kit::DisplayItem* item : strokes(host)) {
            const kit::Rect bounds = pathBounds(*item);
            places.push_back(bounds.width() == 0 ? bounds.minX() : bounds.minY());
        }
        return places;
    }
};

struct GridCase {
    const char* name;
    bool vertical;
    int lines;
    kit::Size size;
    std::vector<double> places;
};

TEST_F(GridTest, LinesSpreadFromEndToEndWithGapsOfAtMost500AndGroupsAreCentred)
{
    const GridCase cases[] = {
        // Four 1-wide lines, six 8-point spacings: the gaps share 300 − 52.
        {"four lines", true, 4, {300, 100}, {0, 299.0 / 3, 598.0 / 3, 299}},
        {"two lines at the ends", true, 2, {300, 100}, {0, 299}},
        {"one line in the middle", true, 1, {300, 100}, {149.5}},
        // Gaps held to 500: the group is 5 + 64 + 2000 wide, centred in 3000.
        {"five lines on a long axis", true, 5, {3000, 100}, {465.5, 982.5, 1499.5, 2016.5, 2533.5}},
        {"no lines", true, 0, {300, 100}, {}},
        {"fewer than no lines", true, -2, {300, 100}, {}},
        // Three 1-high lines, four spacings: the gaps share 100 − 35.
        {"three horizontal lines", false, 3, {300, 100}, {0, 49.5, 99}},
        {"one horizontal line", false, 1, {300, 100}, {49.5}},
    };
    for (const GridCase& c : cases) {
        const auto chart = gridChart(c.vertical ? c.lines : 3, c.vertical ? 3 : c.lines, true);
        const kit::View content = kit::Color::clear();
        kit::ViewHost host(c.vertical ? applyXAxisGrid(content, chart) : applyYAxisGrid(content, chart), c.size);
        settle(host);
        const std::vector<double> places = linePlaces(host);
        ASSERT_EQ(places.size(), c.places.size()) << c.name;
        for (std::size_t i = 0; i < places.size(); ++i)
            EXPECT_NEAR(places[i], c.places[i], 1e-9) << c.name << " line " << i;
        for (const kit::DisplayItem* item : strokes(host)) {
            const kit::Rect bounds = pathBounds(*item);
            EXPECT_EQ(c.vertical ? bounds.height() : bounds.width(), c.vertical ? c.size.height : c.size.width)
                << c.name << ": across the whole content";
            EXPECT_EQ(item->strokeStyle, (kit::StrokeStyle{1, kit::LineCap::butt, kit::LineJoin::miter, 10, {}, 0}))
                << c.name;
        }
    }

    const auto empty = gridChart(4, 4, true, {});
    kit::ViewHost host(applyYAxisGrid(applyXAxisGrid(kit::Color::clear(), empty), empty), {300, 100});
    settle(host);
    EXPECT_TRUE(strokes(host).empty()) << "no data, no grid";
}

TEST_F(GridTest, LinesDrawInWithTheChartsAnimationEachTimeTheyAppearAndStandWholeWithoutIt)
{
    // One horizontal line at y 49.5, drawn from the left (the outer grid,
    // drawn first); one vertical line at x 149.5, drawn from the bottom up.
    const auto chart = gridChart(1, 1, false);
    chart->chartStyle.modify([](BarChartStyle& style) {
        style.xAxisGridStyle.dash = {4, 2};
        style.xAxisGridStyle.dashPhase = 1;
    });
    kit::ViewHost host(applyYAxisGrid(applyXAxisGrid(kit::Color::clear(), chart), chart), {300, 100});
    settle(host);
    EXPECT_TRUE(strokes(host).empty()) << "nothing drawn before the animation runs";
    kit::Clock::advance(0.15); // half way: an ease-in-out has done half
    std::vector<const kit::DisplayItem*> lines = strokes(host);
    ASSERT_EQ(lines.size(), 2u);
    expectRect(pathBounds(*lines[0]), kit::Rect(0, 49.5, 150, 0));
    expectRect(pathBounds(*lines[1]), kit::Rect(149.5, 50, 0, 50));
    EXPECT_EQ(lines[1]->strokeStyle.dash, (std::vector<double>{4, 2}));
    EXPECT_EQ(lines[1]->strokeStyle.dashPhase, 1);
    EXPECT_TRUE(lines[0]->strokeStyle.dash.empty()) << "each line its own axis's grid style";
    kit::Clock::advance(0.15);
    lines = strokes(host);
    ASSERT_EQ(lines.size(), 2u);
    expectRect(pathBounds(*lines[1]), kit::Rect(149.5, 0, 0, 100));
    EXPECT_EQ(std::get<kit::Color>(lines[1]->paint).components(), kit::Color::gray().resolved());

    // Shown again, the lines draw in again from nothing.
    host.setVisible(false);
    kit::Clock::advance(1);
    host.setVisible(true);
    settle(host);
    kit::Clock::advance(0.15);
    lines = strokes(host);
    ASSERT_EQ(lines.size(), 2u);
    expectRect(pathBounds(*lines[1]), kit::Rect(149.5, 50, 0, 50));

    const auto still = gridChart(1, 1, true);
    kit::ViewHost stillHost(applyXAxisGrid(kit::Color::clear(), still), {300, 100});
    stillHost.update();
    lines = strokes(stillHost);
    ASSERT_EQ(lines.size(), 1u) << "whole from the first frame";
    expectRect(pathBounds(*lines[0]), kit::Rect(149.5, 0, 0, 100));
}

} // namespace
