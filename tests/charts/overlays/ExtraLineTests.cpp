#include "OverlayTest.h"
#include "tests/charts/bar/BarTest.h"
#include "tests/charts/line/LineTest.h"

#include "charts/overlays/ExtraLine.h"

namespace {

using namespace charts;
using namespace charts::testing;

// The extra line decoration on a line chart's stand-in content (a green
// fill), in a 100 × 50 host, recording how its closures are called.
class ExtraLineTest : public UiTest {
protected:
    std::shared_ptr<LineChartData> chart = lineChart(lineSet({1, 2, 3}));
    kit::ViewHost host{kit::EmptyView(), {100, 50}};
    std::vector<std::string> calls;
    ExtraLineStyle style = extraStyle(ColourStyle(kit::Color::purple()));
    std::vector<double> values{0, 10};

    template <class ChartData>
    kit::View decorated(const std::shared_ptr<ChartData>& data, std::string title = "Target")
    {
        return applyExtraLine(
            kit::View(kit::Color::green()), data, std::move(title),
            [this] {
                calls.push_back("points");
                return extraPoints(values);
            },
            [this] {
                calls.push_back("style");
                return style;
            });
    }
    void reappear()
    {
        host.setVisible(false);
        host.setVisible(true);
        host.update();
    }
    std::vector<const LegendData*> lineEntries(const std::string& title = "Target")
    {
        std::vector<const LegendData*> found;
        for (const LegendData& legend : *chart->legends)
            if (legend.legend == title)
                found.push_back(&legend);
        return found;
    }
};

TEST_F(ExtraLineTest, EachAppearanceStoresAFreshLineAndOneLegendEntry)
{
    const std::size_t ownEntries = chart->legends->size();
    host.setRoot(decorated(chart));
    host.update();
    EXPECT_EQ(calls, (std::vector<std::string>{"points", "style"}));
    ASSERT_TRUE(chart->extraLineData->has_value());
    const ExtraLineData first = **chart->extraLineData;
    EXPECT_EQ(first.legendTitle, "Target");
    ASSERT_EQ(first.dataPoints.size(), 2u);
    EXPECT_EQ(first.dataPoints[1].value, 10);

    ASSERT_EQ(chart->legends->size(), ownEntries + 1);
    const LegendData& entry = chart->legends->back();
    EXPECT_EQ(entry.id, first.id);
    EXPECT_EQ(entry.chartType, ChartType::line);
    EXPECT_EQ(entry.prioity, 3);
    EXPECT_EQ(entry.strokeStyle, style.strokeStyle);
    EXPECT_EQ(entry.colour, ColourStyle(kit::Color::purple()));

    // Again on screen: a new line with a new id, the closures called again, still one entry.
    reappear();
    EXPECT_EQ(calls, (std::vector<std::string>{"points", "style", "points", "style"}));
    EXPECT_NE((*chart->extraLineData)->id, first.id);
    EXPECT_EQ(lineEntries().size(), 1u);

    // A new colour by the next appearance: a second entry; the first stays.
    style.lineColour = ColourStyle(kit::Color::orange());
    reappear();
    const auto entries = lineEntries();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0]->colour, ColourStyle(kit::Color::purple()));
    EXPECT_EQ(entries[1]->colour, ColourStyle(kit::Color::orange()));
}

TEST_F(ExtraLineTest, AnEntryMatchesOnlyWithTheSameTextColourPriorityAndType)
{
    const ColourStyle purple(kit::Color::purple());
    // "Café" precomposed in the legend, decomposed in the title.
    const std::string composed = "Caf\xC3\xA9", decomposed = "Cafe\xCC\x81";
    struct Case {
        const char* what;
        LegendData existing;
        std::string title;
        bool added;
    };
    const Case cases[] = {
        {"the same entry under another id and stroke",
         LegendData(kit::UUID(), "Target", purple, std::nullopt, 3, ChartType::line), "Target", false},
        {"canonically equal text", LegendData(kit::UUID(), composed, purple, std::nullopt, 3, ChartType::line),
         decomposed, false},
        {"another priority", LegendData(kit::UUID(), "Target", purple, std::nullopt, 1, ChartType::line), "Target",
         true},
        {"another chart type", LegendData(kit::UUID(), "Target", purple, std::nullopt, 3, ChartType::bar), "Target",
         true},
        {"another colour",
         LegendData(kit::UUID(), "Target", ColourStyle(kit::Color::red()), std::nullopt, 3, ChartType::line), "Target",
         true},
        {"another text", LegendData(kit::UUID(), "Targets", purple, std::nullopt, 3, ChartType::line), "Target", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        chart = lineChart(lineSet({1, 2, 3}));
        chart->legends = {c.existing};
        host.setRoot(kit::EmptyView());
        host.update();
        host.setRoot(decorated(chart, c.title));
        host.update();
        EXPECT_EQ(chart->legends->size(), c.added ? 2u : 1u);
        EXPECT_EQ(chart->legends->front(), c.existing);
    }
}

TEST_F(ExtraLineTest, TheLegendColourAndTheLineFollowTheColourKind)
{
    ColourStyle noColour(kit::Color::purple());
    noColour.colour.reset();
    const std::vector<kit::Color> colours{kit::Color::purple(), kit::Color::orange()};
    ColourStyle noPoints(colours, kit::UnitPoint::top(), kit::UnitPoint::bottom());
    noPoints.startPoint.reset();
    const std::vector<GradientStop> stops{{kit::Color::purple(), 0}, {kit::Color::orange(), 1}};
    struct Case {
        const char* what;
        ColourStyle colour;
        std::optional<ColourStyle> legend;
        bool line;
    };
    const Case cases[] = {
        {"flat colour", ColourStyle(kit::Color::purple()), ColourStyle(kit::Color::purple()), true},
        // The legend's gradient always runs from leading to trailing.
        {"colours", ColourStyle(colours, kit::UnitPoint::top(), kit::UnitPoint::bottom()),
         ColourStyle(colours, kit::UnitPoint::leading(), kit::UnitPoint::trailing()), true},
        {"stops", ColourStyle(stops, kit::UnitPoint::top(), kit::UnitPoint::bottom()),
         ColourStyle(stops, kit::UnitPoint::leading(), kit::UnitPoint::trailing()), true},
        {"flat colour without its colour", noColour, std::nullopt, false},
        {"colours without a start point: an entry, no line", noPoints,
         ColourStyle(colours, kit::UnitPoint::leading(), kit::UnitPoint::trailing()), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        chart = lineChart(lineSet({1, 2, 3}));
        chart->disableAnimation = true;
        chart->legends = {};
        style.lineColour = c.colour;
        host.setRoot(kit::EmptyView());
        host.update();
        host.setRoot(decorated(chart));
        host.update();
        ASSERT_EQ(chart->legends->size(), c.legend ? 1u : 0u);
        if (c.legend) {
            EXPECT_EQ(chart->legends->front().colour, *c.legend);
        }
        // The line and its two markers, or only the content.
        EXPECT_EQ(host.displayList().itemsOfKind(kit::DisplayItem::Kind::stroke).size(), c.line ? 1u : 0u);
        EXPECT_EQ(host.displayList().itemsOfKind(kit::DisplayItem::Kind::fill).size(), c.line ? 3u : 1u);
    }
}

TEST_F(ExtraLineTest, AChartWithoutDataShowsItsContentYetGetsItsLineAndEntry)
{
    auto empty = lineChart(lineSet({}));
    empty->legends = {};
    host.setRoot(decorated(empty));
    host.update();
    EXPECT_TRUE(empty->extraLineData->has_value());
    EXPECT_EQ(empty->legends->size(), 1u);
    ASSERT_EQ(host.displayList().items.size(), 1u);
    EXPECT_EQ(paintOf(host.displayList().items[0]), kit::Color::green().resolved());
}

TEST_F(ExtraLineTest, FlatAndStopsLinesAndTheMarkersLieInFrontOfTheChartAGradientOfColoursBehind)
{
    const std::vector<kit::Color> colours{kit::Color::purple(), kit::Color::orange()};
    const std::vector<GradientStop> stops{{kit::Color::purple(), 0}, {kit::Color::orange(), 1}};
    struct Case {
        const char* what;
        ColourStyle colour;
        bool inFront;
    };
    const Case cases[] = {
        {"flat colour", ColourStyle(kit::Color::purple()), true},
        {"stops", ColourStyle(stops, kit::UnitPoint::leading(), kit::UnitPoint::trailing()), true},
        {"colours", ColourStyle(colours, kit::UnitPoint::leading(), kit::UnitPoint::trailing()), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        chart = lineChart(lineSet({1, 2, 3}));
        style.lineColour = c.colour;
        host.setRoot(kit::EmptyView());
        host.update();
        host.setRoot(decorated(chart));
        host.update();
        // On the manual clock at 0 nothing of the line is drawn yet; a quarter
        // second in, under the chart's animation of 0.3 s, most of it is.
        kit::Clock::advance(0.25);
        host.update();
        const auto& items = host.displayList().items;
        const int content = drawingOrderOf(host, kit::Color::green());
        int line = -1, marker = -1;
        for (std::size_t i = 0; i < items.size(); ++i) {
            if (items[i].kind == kit::DisplayItem::Kind::stroke && line < 0)
                line = static_cast<int>(i);
            if (items[i].kind == kit::DisplayItem::Kind::fill && paintOf(items[i]) == kit::Color::white().resolved() &&
                marker < 0)
                marker = static_cast<int>(i);
        }
        ASSERT_GE(line, 0);
        ASSERT_GE(marker, 0);
        EXPECT_EQ(line > content, c.inFront);
        EXPECT_GT(marker, content);
        EXPECT_GT(marker, line);
    }
}

TEST_F(ExtraLineTest, ServesBarChartsAsWell)
{
    auto bar = std::make_shared<BarChartData>(BarDataSet(bars({3, 5}), "Sales"), barMetadata(), std::nullopt,
                                              std::nullopt, barStyle(), barChartStyle(), kit::EmptyView());
    bar->disableAnimation = true;
    style.lineSpacing = ExtraLineStyle::SpacingType::bar;
    host.setRoot(decorated(bar));
    host.update();
    // Slots of 50: the line from (25, 50) to (75, 0).
    const auto lines = itemsPainted(host, kit::Color::purple(), kit::DisplayItem::Kind::stroke);
    ASSERT_EQ(lines.size(), 1u);
    expectPath(lines[0]->path, {M(25, 50), L(75, 0)}, "bar-spaced line");
    EXPECT_EQ(bar->legends->back().legend, "Target");
}

} // namespace
