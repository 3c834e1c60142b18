#include "OverlayTest.h"

#include "charts/bar/BarChartData.h"
#include "charts/bar/HorizontalBarChartData.h"
#include "charts/overlays/InfoBoxes.h"

#include <functional>

namespace {

using namespace charts;
using namespace charts::testing;

// The horizontal boxes take only chart data whose categories run down the height.
template <class T>
concept TakesHorizontalBoxes = requires
{
    typename HorizontalFloatingInfoBox<T>;
}
&&requires
{
    typename HorizontalInfoBox<T>;
};
static_assert(TakesHorizontalBoxes<HorizontalBarChartData>);
static_assert(TakesHorizontalBoxes<TestHorizontalChart>);
static_assert(!TakesHorizontalBoxes<BarChartData>);
static_assert(!TakesHorizontalBoxes<TestAxisChart>);

const kit::Color background = kit::Color::white(); // the test style's box background
const kit::Color border = kit::Color::gray();      // and border

// The box shown directly, reporting into `reported`.
class TouchBoxTest : public UiTest {
protected:
    std::shared_ptr<TestAxisChart> chart = axisChart({7, 9}, InfoBoxPlacement::floating());
    std::shared_ptr<kit::Rect> reported = std::make_shared<kit::Rect>(-1, -1, -1, -1);
    kit::ViewHost host{kit::EmptyView(), {300, 200}};

    void show()
    {
        const auto frame = reported;
        const kit::Binding<kit::Rect> binding([frame] { return *frame; }, [frame](const kit::Rect& r) { *frame = r; });
        host.setRoot(kit::View(TouchOverlayBox<TestAxisChart>{chart, binding})
                         .frame(kit::FlexFrame{.maxWidth = kit::infinity,
                                               .maxHeight = kit::infinity,
                                               .alignment = kit::Alignment::topLeading()}));
        host.update();
    }
    TestPoint point(double value, std::string description, std::string legendTag = "") const
    {
        TestPoint p(value, std::move(description));
        p.legendTag = std::move(legendTag);
        return p;
    }
};

TEST_F(TouchBoxTest, ShowsEachPointsDescriptionValueAndLegendInTheAlignmentsOrder)
{
    chart->legends = {LegendData(kit::UUID(), "Sales", ColourStyle(kit::Color::red()), std::nullopt, 1, ChartType::bar),
                      LegendData(kit::UUID(), "Sales", ColourStyle(kit::Color::green()), std::nullopt, 1,
                                 ChartType::bar)};
    // The second point's tag matches no entry: no legend symbol; the first
    // matches two entries and shows the first.
    touch(*chart, {}, {0, 0, 300, 200}, {point(7, "Bar", "Sales"), point(9, "Cost", "Other")});
    chart->infoView.modify([](auto& info) { info.touchUnit = TouchUnit::suffix("kg"); });
    show();
    EXPECT_EQ(texts(host), (std::vector<std::string>{"Bar", "7 kg", "Sales", "Cost", "9 kg"}));
    EXPECT_EQ(itemsPainted(host, kit::Color::red(), kit::DisplayItem::Kind::fill).size(), 1u);
    EXPECT_TRUE(itemsPainted(host, kit::Color::green(), kit::DisplayItem::Kind::fill).empty());
    // Stacked without gaps: "Bar" from y 8 to 20, "7 kg" from 20 to 32.
    EXPECT_NEAR(host.displayList().textItem("7 kg")->hostBounds().minY(), 20, 1e-6);

    chart->chartStyle.modify([](auto& style) { style.infoBoxContentAlignment = InfoBoxAlignment::horizontal; });
    host.update();
    EXPECT_EQ(texts(host), (std::vector<std::string>{"Sales", "Bar", "7 kg", "Cost", "9 kg"}));
    // One row: every text on the same line.
    EXPECT_NEAR(host.displayList().textItem("Cost")->hostBounds().midY(),
                host.displayList().textItem("Bar")->hostBounds().midY(), 1e-6);
}

TEST_F(TouchBoxTest, DrawsItsRoundedBoxAndReportsItsSizeOnlyWhileTheTouchLasts)
{
    // Nothing touched: no box, no report; only the padding.
    show();
    EXPECT_TRUE(itemsPainted(host, background, kit::DisplayItem::Kind::fill).empty());
    EXPECT_EQ(*reported, kit::Rect(-1, -1, -1, -1));

    // A touch that found nothing: the box around the empty padding, 16 square.
    touch(*chart, {}, {0, 0, 300, 200}, {});
    host.update();
    EXPECT_EQ(*reported, kit::Rect(0, 0, 16, 16));

    // One point: "Bar" (18 × 12) over "7" (6 × 12), padded 8 all round.
    touch(*chart, {}, {0, 0, 300, 200}, {point(7, "Bar")});
    host.update();
    EXPECT_EQ(*reported, kit::Rect(0, 0, 34, 40));
    const auto fills = itemsPainted(host, background, kit::DisplayItem::Kind::fill);
    const auto strokes = itemsPainted(host, border, kit::DisplayItem::Kind::stroke);
    ASSERT_EQ(fills.size(), 1u);
    ASSERT_EQ(strokes.size(), 1u);
    expectRect(pathBounds(*fills[0]), {0, 0, 34, 40});
    EXPECT_EQ(fills[0]->path, kit::Path::roundedRect({0, 0, 34, 40}, 5, kit::RoundedCornerStyle::continuous));
    EXPECT_EQ(strokes[0]->path, fills[0]->path);

    // A second point grows the box at once.
    touch(*chart, {}, {0, 0, 300, 200}, {point(7, "Bar"), point(9, "Bar")});
    host.update();
    EXPECT_EQ(*reported, kit::Rect(0, 0, 34, 64));

    // The end of the touch takes the box away and keeps the last size.
    touch(*chart, {}, {0, 0, 300, 200}, {}, false);
    host.update();
    EXPECT_TRUE(itemsPainted(host, background, kit::DisplayItem::Kind::fill).empty());
    EXPECT_EQ(*reported, kit::Rect(0, 0, 34, 64));
}

TEST_F(TouchBoxTest, PointsSharingAnIdEachGetTheirRow)
{
    const TestPoint p = point(7, "Bar");
    touch(*chart, {}, {0, 0, 300, 200}, {p, p});
    show();
    EXPECT_EQ(texts(host), (std::vector<std::string>{"Bar", "7", "Bar", "7"}));
    EXPECT_EQ(*reported, kit::Rect(0, 0, 34, 64));
}

class InfoBoxTest : public UiTest {
protected:
    kit::ViewHost host{kit::EmptyView(), {300, 200}};

    // The box's rounded background, once it has measured itself.
    std::optional<kit::Rect> boxIn(const kit::View& root)
    {
        host.setRoot(root);
        host.update();
        host.update();
        const auto fills = itemsPainted(host, background, kit::DisplayItem::Kind::fill);
        if (fills.size() != 1)
            return std::nullopt;
        return pathBounds(*fills[0]);
    }
};

ChartViewData labels(std::vector<double> widths, double title, bool shown)
{
    ChartViewData data;
    data.yAxisLabelWidth = std::move(widths);
    data.yAxisTitleWidth = title;
    data.hasYAxisLabels = shown;
    return data;
}

TEST_F(InfoBoxTest, BoxesStandWhereTheirPlacementAndTheTouchPutThem)
{
    const kit::Rect full{0, 0, 300, 200};
    const auto infoBox = InfoBoxPlacement::infoBox(false);
    const auto staticBox = InfoBoxPlacement::infoBox(true);
    const auto floating = InfoBoxPlacement::floating();
    enum Kind { floatingBox, fixedBox, horizontalFloating, horizontalFixed };
    struct Row {
        const char* what;
        Kind kind;
        InfoBoxPlacement placement;
        kit::Point touch;
        kit::Rect chart;
        ChartViewData layout;
        kit::Point centre;
    };
    const Row rows[] = {
        // Floating: centred on the touch's x (kept 17 inside the chart), top edge 10 above the stack.
        {"floating mid-chart", floatingBox, floating, {150, 80}, full, {}, {150, 10}},
        {"floating near the leading edge", floatingBox, floating, {5, 80}, full, {}, {17, 10}},
        {"floating near the trailing edge", floatingBox, floating, {295, 80}, full, {}, {283, 10}},
        // Past the widest label 35, the title 10 and, with labels shown, 4 more.
        {"floating past shown labels",
         floatingBox,
         floating,
         {150, 80},
         full,
         labels({20, 35, 12}, 10, true),
         {199, 10}},
        {"floating past hidden labels",
         floatingBox,
         floating,
         {150, 80},
         full,
         labels({20, 35, 12}, 10, false),
         {195, 10}},
        // A chart narrower than the box: a touch past the lower bound 17 gets the upper bound 20 − 17.
        {"floating in a narrow chart, early touch", floatingBox, floating, {10, 80}, {0, 0, 20, 200}, {}, {17, 10}},
        {"floating in a narrow chart, late touch", floatingBox, floating, {18, 80}, {0, 0, 20, 200}, {}, {3, 10}},
        // In a band 60 high: sliding along it in the middle of its height, or still in its middle.
        {"info box following the touch", fixedBox, infoBox, {100, 80}, full, {}, {100, 30}},
        {"info box following a late touch", fixedBox, infoBox, {299, 80}, full, labels({8}, 0, true), {295, 30}},
        {"static info box", fixedBox, staticBox, {100, 80}, full, {}, {150, 30}},
        // Horizontal floating: centred on the chart's trailing edge plus 6, at the touch's y kept 20 inside.
        {"horizontal floating", horizontalFloating, floating, {50, 100}, full, {}, {306, 100}},
        {"horizontal floating near the top", horizontalFloating, floating, {50, 5}, full, {}, {306, 20}},
        // A band 70 wide after a gap of 8, padded 6: its frame starts at 224; the box's centre 35 into it.
        {"horizontal info box following the touch", horizontalFixed, infoBox, {50, 30}, full, {}, {259, 30}},
        {"horizontal info box near the bottom", horizontalFixed, infoBox, {50, 195}, full, {}, {259, 180}},
        {"static horizontal info box", horizontalFixed, staticBox, {50, 30}, full, {}, {259, 100}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const kit::View content = kit::Color::red();
        kit::View root;
        if (row.kind == floatingBox || row.kind == fixedBox) {
            auto chart = axisChart({7}, row.placement);
            chart->viewData = row.layout;
            touch(*chart, row.touch, row.chart, {chart->dataSets->dataPoints[0]});
            root = row.kind == floatingBox ? applyFloatingInfoBox(content, chart) : applyInfoBox(content, chart, 60);
        } else {
            auto chart = axisChart<TestHorizontalChart>({7}, row.placement);
            touch(*chart, row.touch, row.chart, {chart->dataSets->dataPoints[0]});
            root = row.kind == horizontalFloating ? applyFloatingInfoBox(content, chart)
                                                  : applyInfoBox(content, chart, 70);
        }
        const auto box = boxIn(root);
        ASSERT_TRUE(box);
        EXPECT_NEAR(box->width(), 34, 1e-6);
        EXPECT_NEAR(box->height(), 40, 1e-6);
        EXPECT_NEAR(box->midX(), row.centre.x, 1e-6);
        EXPECT_NEAR(box->midY(), row.centre.y, 1e-6);
    }
}

TEST_F(InfoBoxTest, EachBoxActsOnlyForItsOwnPlacementAndKeepsItsBandWhileNothingIsTouched)
{
    struct Row {
        const char* what;
        bool horizontal;
        bool fixed;
        InfoBoxPlacement placement;
        bool shown;
        kit::Rect content; // the chart's frame in the host
    };
    const kit::Rect full{0, 0, 300, 200};
    const Row rows[] = {
        {"floating under header", false, false, InfoBoxPlacement::header(), false, full},
        {"floating under info box", false, false, InfoBoxPlacement::infoBox(true), false, full},
        {"floating under floating", false, false, InfoBoxPlacement::floating(), true, full},
        {"info box under header", false, true, InfoBoxPlacement::header(), false, full},
        {"info box under floating", false, true, InfoBoxPlacement::floating(), false, full},
        // A band of 60 and the stack's gap of 8 above the chart.
        {"info box under info box", false, true, InfoBoxPlacement::infoBox(false), true, {0, 68, 300, 132}},
        {"horizontal floating under header", true, false, InfoBoxPlacement::header(), false, full},
        {"horizontal floating under info box", true, false, InfoBoxPlacement::infoBox(false), false, full},
        {"horizontal floating under floating", true, false, InfoBoxPlacement::floating(), true, full},
        {"horizontal info box under header", true, true, InfoBoxPlacement::header(), false, full},
        {"horizontal info box under floating", true, true, InfoBoxPlacement::floating(), false, full},
        // A band of 70 + 12 and the stack's gap of 8 beside the chart.
        {"horizontal info box under info box", true, true, InfoBoxPlacement::infoBox(true), true, {0, 0, 210, 200}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        for (bool touched : {true, false}) {
            const kit::View content = kit::View(kit::Color::red()).id("chart");
            kit::View root;
            if (row.horizontal) {
                auto chart = axisChart<TestHorizontalChart>({7}, row.placement);
                touch(*chart, {150, 100}, full, {chart->dataSets->dataPoints[0]}, touched);
                root = row.fixed ? applyInfoBox(content, chart, 70) : applyFloatingInfoBox(content, chart);
            } else {
                auto chart = axisChart({7}, row.placement);
                touch(*chart, {150, 100}, full, {chart->dataSets->dataPoints[0]}, touched);
                root = row.fixed ? applyInfoBox(content, chart, 60) : applyFloatingInfoBox(content, chart);
            }
            host.setRoot(root);
            host.update();
            EXPECT_EQ(itemsPainted(host, background, kit::DisplayItem::Kind::fill).size(),
                      row.shown && touched ? 1u : 0u);
            expectRect(frameOf(host, "chart"), row.content);
        }
    }
}

} // namespace
