#include "BarTest.h"

namespace {

using namespace charts;
using namespace charts::testing;

using Segments = std::vector<std::vector<kit::Point>>;

// The path as its subpaths' points, each subpath starting with its move.
Segments segments(const kit::Path& path)
{
    Segments result;
    for (const auto& element : path.elements()) {
        if (element.type == kit::Path::Element::Type::move)
            result.emplace_back();
        result.back().push_back(element.point);
    }
    return result;
}

class BarMarkerTest : public UiTest {
protected:
    // The stroke items of the chart's touch view for its last touch, drawn
    // in a 400 × 200 chart.
    template <class Chart>
    std::vector<kit::DisplayItem> markerStrokes(Chart& chart)
    {
        const auto& info = *chart.infoView;
        kit::ViewHost host(chart.touchMarkerView(info.touchLocation, info.chartSize), {400, 200});
        std::vector<kit::DisplayItem> strokes;
        for (const kit::DisplayItem* item : host.displayList().itemsOfKind(kit::DisplayItem::Kind::stroke))
            strokes.push_back(*item);
        return strokes;
    }
};

TEST_F(BarMarkerTest, EachMarkerKindStrokesItsShapeThroughTheTouchedBarsPosition)
{
    const kit::StrokeStyle style{.lineWidth = 3, .dash = {4, 2}};
    const kit::Color colour = kit::Color::purple();
    // Bar 2 of 4 (value 5 of 10) on 400 × 200: its marker stands at (250, 100).
    const Segments cross{{{0, 100}, {400, 100}}, {{250, 0}, {250, 200}}};
    const std::pair<BarMarkerType, Segments> cases[] = {
        {BarMarkerType::full(colour, style), cross},
        {BarMarkerType::vertical(colour, style), cross}, // the same cross, not a single line
        {BarMarkerType::bottomLeading(colour, style), {{{0, 100}, {250, 100}}, {{250, 200}, {250, 100}}}},
        {BarMarkerType::bottomTrailing(colour, style), {{{400, 100}, {250, 100}}, {{250, 200}, {250, 100}}}},
        {BarMarkerType::topLeading(colour, style), {{{0, 100}, {250, 100}}, {{250, 0}, {250, 100}}}},
        {BarMarkerType::topTrailing(colour, style), {{{400, 100}, {250, 100}}, {{250, 0}, {250, 100}}}},
    };
    for (const auto& [marker, expected] : cases) {
        const auto chart = barData({2, 4, 5, 10},
                                   barChartStyle(Baseline::minimumValue(), Topline::maximumValue(), marker));
        chart->beginTouch({250, 7}, kit::Rect(0, 0, 400, 200));
        const auto strokes = markerStrokes(*chart);
        ASSERT_EQ(strokes.size(), 1u);
        EXPECT_EQ(segments(strokes[0].path), expected);
        EXPECT_EQ(std::get<kit::Color>(strokes[0].paint).components(), colour.resolved());
        EXPECT_EQ(strokes[0].strokeStyle, style);
    }

    const auto none = barData({2, 4, 5, 10},
                              barChartStyle(Baseline::minimumValue(), Topline::maximumValue(), BarMarkerType::none()));
    none->beginTouch({250, 7}, kit::Rect(0, 0, 400, 200));
    EXPECT_TRUE(markerStrokes(*none).empty()) << "none draws nothing on a touched bar";
}

TEST_F(BarMarkerTest, EveryClassPlacesTheMarkerByItsOwnLocationRuleAndNothingWithoutOne)
{
    const kit::Rect frame(0, 0, 400, 200);
    auto crossAt = [](kit::Point p) { return Segments{{{0, p.y}, {400, p.y}}, {{p.x, 0}, {p.x, 200}}}; };

    // Stacked: the centre of column 1 of 2 at the top of its middle segment:
    // totals 10, tops 40, 100, 200.
    const auto stacked = stackedData({{4}, {2, 3, 5}});
    stacked->beginTouch({300, 150}, frame);
    EXPECT_EQ(segments(markerStrokes(*stacked).at(0).path), crossAt({300, 100}));
    // Horizontal: bar 1 of 2 (bands of 100) ends at 400 / 10 · 5.
    const auto horizontal = horizontalData({10, 5});
    horizontal->beginTouch({0, 150}, frame);
    EXPECT_EQ(segments(markerStrokes(*horizontal).at(0).path), crossAt({200, 150}));
    // Ranged: the middle of 0–100 on an axis of 0 to 100.
    const auto ranged = rangedData({{0, 100}, {20, 60}});
    ranged->beginTouch({100, 0}, frame);
    EXPECT_EQ(segments(markerStrokes(*ranged).at(0).path), crossAt({100, 100}));
    // Grouped: bar 1 of cluster 0 (clusters of 200, bars of 100), value 2 of 4.
    const auto grouped = groupedData({{1, 2}, {3, 4}});
    grouped->beginTouch({150, 0}, frame);
    EXPECT_EQ(segments(markerStrokes(*grouped).at(0).path), crossAt({150, 100}));

    // A touch that finds nothing draws nothing; neither does a position that
    // is not finite (all values 0: the maximum is 0; a range of 0).
    const auto bar = barData({2, 4});
    bar->beginTouch({-250, 0}, frame);
    EXPECT_TRUE(markerStrokes(*bar).empty());
    const auto zero = barData({0, 0});
    zero->beginTouch({10, 0}, frame);
    EXPECT_TRUE(markerStrokes(*zero).empty());
    const auto flat = rangedData({{5, 5}});
    flat->beginTouch({10, 0}, frame);
    EXPECT_TRUE(markerStrokes(*flat).empty());
    EXPECT_TRUE(barMarkerView(BarMarkerType::full(kit::Color::red(), {}), kit::Point{std::nan(""), 3}).isEmptyView());
}

TEST_F(BarMarkerTest, TheExtraLinesMarkerIsDrawnAfterTheBarsOnlyWhenThereIsAnExtraLine)
{
    const auto chart = barData({2, 4, 5, 10});
    const kit::Rect frame(0, 0, 400, 200);
    chart->beginTouch({250, 7}, frame);
    EXPECT_EQ(markerStrokes(*chart).size(), 1u);

    // An extra line of two points marked on its nearest point with a vertical
    // line: the touch at 250 is nearer its second point, at x 400.
    chart->extraLineData =
        extraLine({2, 8}, extraLineStyle(LineMarkerType::vertical(MarkerAttachment::point(), kit::Color::green(), {})));
    const auto strokes = markerStrokes(*chart);
    ASSERT_EQ(strokes.size(), 2u);
    EXPECT_EQ(std::get<kit::Color>(strokes[0].paint).components(), kit::Color::red().resolved()) << "the bar's first";
    ASSERT_EQ(segments(strokes[1].path).size(), 1u);
    EXPECT_EQ(segments(strokes[1].path)[0].front().x, 400);
    EXPECT_EQ(std::get<kit::Color>(strokes[1].paint).components(), kit::Color::green().resolved());
}

} // namespace
